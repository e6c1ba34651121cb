#include "imaging/JpegBlockTransform.h"

#include <bit>

void SQuantiser::Prepare(const std::array<uint16_t, 64>& divisors)
{
    // With m = floor(2^s / d) + 1, (n * m) >> s equals n / d whenever
    // n * d < 2^s: the excess n * (m - 2^s / d) / 2^s stays below 1 / d.
    // Full range: s = 32 covers n < 2^20 for every divisor up to the largest,
    // 3925, far above any DCT output plus d / 2;
    // a divisor of 1 would need a 33-bit m and passes n through its mask.
    // Short range: n < 2^15 and s = 15 + ceil(log2 d), so n * m < 2^32.
    for (int i = 0; i < 64; ++i) {
        const uint32_t divisor = divisors[i];
        halfDivisors[i] = divisor / 2;
        reciprocals[i] = divisor == 1 ? 0 : static_cast<uint32_t>((uint64_t{1} << 32) / divisor + 1);
        unitDivisorMasks[i] = divisor == 1 ? ~uint32_t{0} : 0;
        const uint32_t shift = 15 + static_cast<uint32_t>(std::bit_width(divisor - 1));
        shortShifts[i] = shift;
        shortReciprocals[i] = static_cast<uint32_t>((uint64_t{1} << shift) / divisor + 1);
        // The reciprocal stays below 2^16: 2^shift / d < 2^16 for every d
        // above 2^(shift - 16). (2n * m) >> 16 then is (n * m) >> 15, and
        // (2q * 2^(15 - e)) >> 16 is q >> e.
        wordHalfDivisors[i] = static_cast<uint16_t>(divisor / 2);
        wordReciprocals[i] = static_cast<uint16_t>(shortReciprocals[i]);
        wordScales[i] = static_cast<uint16_t>(1u << (30 - shift));
    }
}
