#include "imaging/JpegBlockTransform.h"

#include "imaging/SimdDispatch.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Eight lanes, one per row (first pass) or per column (second pass): each
// butterfly step then transforms all eight lines at once.
using Lanes = int32_t __attribute__((vector_size(32)));
using UnsignedLanes = uint32_t __attribute__((vector_size(32)));
using ShortLanes = int16_t __attribute__((vector_size(16)));

TAVRELIN_FORCE_INLINE Lanes Multiply(Lanes x, int32_t constant)
{
    return (x * constant) >> 8;
}

TAVRELIN_FORCE_INLINE Lanes Load(const int32_t* source)
{
    Lanes lanes;
    std::memcpy(&lanes, source, sizeof lanes);
    return lanes;
}

TAVRELIN_FORCE_INLINE void Store(int32_t* target, Lanes lanes)
{
    std::memcpy(target, &lanes, sizeof lanes);
}

// One 1-D transform of eight lines; d[k] holds input k of every line.
TAVRELIN_FORCE_INLINE void Transform(Lanes d[8])
{
    const Lanes tmp0 = d[0] + d[7], tmp7 = d[0] - d[7];
    const Lanes tmp1 = d[1] + d[6], tmp6 = d[1] - d[6];
    const Lanes tmp2 = d[2] + d[5], tmp5 = d[2] - d[5];
    const Lanes tmp3 = d[3] + d[4], tmp4 = d[3] - d[4];

    const Lanes even10 = tmp0 + tmp3, even13 = tmp0 - tmp3;
    const Lanes even11 = tmp1 + tmp2, even12 = tmp1 - tmp2;
    d[0] = even10 + even11;
    d[4] = even10 - even11;
    const Lanes z1 = Multiply(even12 + even13, 181);
    d[2] = even13 + z1;
    d[6] = even13 - z1;

    const Lanes odd10 = tmp4 + tmp5, odd11 = tmp5 + tmp6, odd12 = tmp6 + tmp7;
    const Lanes z5 = Multiply(odd10 - odd12, 98);
    const Lanes z2 = Multiply(odd10, 139) + z5;
    const Lanes z4 = Multiply(odd12, 334) + z5;
    const Lanes z3 = Multiply(odd11, 181);
    const Lanes z11 = tmp7 + z3, z13 = tmp7 - z3;
    d[5] = z13 + z2;
    d[3] = z13 - z2;
    d[1] = z11 + z4;
    d[7] = z11 - z4;
}

TAVRELIN_FORCE_INLINE void InterleavePairs(const Lanes* in, Lanes* out, int first, int second)
{
    out[first] = __builtin_shufflevector(in[first], in[second], 0, 8, 1, 9, 4, 12, 5, 13);
    out[second] = __builtin_shufflevector(in[first], in[second], 2, 10, 3, 11, 6, 14, 7, 15);
}

TAVRELIN_FORCE_INLINE void InterleaveQuads(const Lanes* in, Lanes* out, int first, int second)
{
    out[first] = __builtin_shufflevector(in[first], in[second], 0, 1, 8, 9, 4, 5, 12, 13);
    out[second] = __builtin_shufflevector(in[first], in[second], 2, 3, 10, 11, 6, 7, 14, 15);
}

TAVRELIN_FORCE_INLINE void InterleaveHalves(const Lanes* in, Lanes* out, int first, int second,
                                            int lowTarget, int highTarget)
{
    out[lowTarget] = __builtin_shufflevector(in[first], in[second], 0, 1, 2, 3, 8, 9, 10, 11);
    out[highTarget] = __builtin_shufflevector(in[first], in[second], 4, 5, 6, 7, 12, 13, 14, 15);
}

// Lanes[j] becomes column j of the 8 x 8 matrix the eight inputs form as rows:
// interleave 32-bit, then 64-bit, then 128-bit halves. Written without loops
// so that every compiler keeps the eight vectors in registers.
TAVRELIN_FORCE_INLINE void Transpose(Lanes d[8])
{
    Lanes a[8], b[8];
    InterleavePairs(d, a, 0, 1);
    InterleavePairs(d, a, 2, 3);
    InterleavePairs(d, a, 4, 5);
    InterleavePairs(d, a, 6, 7);
    InterleaveQuads(a, b, 0, 2);
    InterleaveQuads(a, b, 1, 3);
    InterleaveQuads(a, b, 4, 6);
    InterleaveQuads(a, b, 5, 7);
    // The stages leave columns 1 and 2, and 5 and 6, swapped.
    InterleaveHalves(b, d, 0, 4, 0, 4);
    InterleaveHalves(b, d, 1, 5, 2, 6);
    InterleaveHalves(b, d, 2, 6, 1, 5);
    InterleaveHalves(b, d, 3, 7, 3, 7);
}

// After the column pass d[k] holds coefficient row k.
TAVRELIN_FORCE_INLINE void TransformInline(const int32_t* samples, Lanes d[8])
{
    // Pass 1: after the transpose lane r is picture row r and d[k] holds the
    // k-th sample of every row.
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k)
        d[k] = Load(samples + k * 8);
    Transpose(d);
    Transform(d);
    // Pass 2: transposed back, lane c is column c and d[k] holds the k-th
    // output of the row pass for every column.
    Transpose(d);
    Transform(d);
}

TAVRELIN_FORCE_INLINE UnsignedLanes LoadUnsigned(const uint32_t* source)
{
    UnsignedLanes lanes;
    std::memcpy(&lanes, source, sizeof lanes);
    return lanes;
}

// Quantisation rounds half away from zero: n = |c| + d / 2, level = n / d,
// sign put back. This is the path for dividends below 2^15 (32-bit
// reciprocals), done on the rows still in registers; false, with nothing
// written, when some dividend is larger.
TAVRELIN_FORCE_INLINE bool QuantiseShort(const Lanes rows[8], const SQuantiser& quantiser, int16_t* quantised)
{
    UnsignedLanes signs[8], dividends[8];
    UnsignedLanes seenBits = {};
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        signs[k] = reinterpret_cast<UnsignedLanes>(rows[k] >> 31);
        dividends[k] = ((reinterpret_cast<UnsignedLanes>(rows[k]) ^ signs[k]) - signs[k]) +
                       LoadUnsigned(quantiser.halfDivisors.data() + 8 * k);
        seenBits |= dividends[k];
    }
    uint32_t anyBits = 0;
    for (int lane = 0; lane < 8; ++lane)
        anyBits |= seenBits[lane];
    if (anyBits >= (1u << 15))
        return false;
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        const UnsignedLanes levels = (dividends[k] * LoadUnsigned(quantiser.shortReciprocals.data() + 8 * k)) >>
                                     LoadUnsigned(quantiser.shortShifts.data() + 8 * k);
        const ShortLanes narrowed =
            __builtin_convertvector(reinterpret_cast<Lanes>((levels ^ signs[k]) - signs[k]), ShortLanes);
        std::memcpy(quantised + 8 * k, &narrowed, sizeof narrowed);
    }
    return true;
}

// The same for any dividend below 2^20, with 64-bit products.
TAVRELIN_FORCE_INLINE void QuantiseFull(const int32_t* coefficients, const SQuantiser& quantiser,
                                        int16_t* quantised)
{
    for (int i = 0; i < 64; ++i) {
        const uint32_t sign = static_cast<uint32_t>(coefficients[i] >> 31);
        const uint32_t dividend = ((static_cast<uint32_t>(coefficients[i]) ^ sign) - sign) + quantiser.halfDivisors[i];
        const uint32_t level = quantiser.FullQuotient(dividend, i);
        quantised[i] = static_cast<int16_t>((level ^ sign) - sign);
    }
}

TAVRELIN_FORCE_INLINE void StoreRows(const Lanes d[8], int32_t* coefficients)
{
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k)
        Store(coefficients + k * 8, d[k]);
}

} // namespace

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
    }
}

TAVRELIN_SIMD_CLONES
uint64_t TransformBlock(const int32_t* samples, const SQuantiser& quantiser, int16_t* quantised)
{
    Lanes rows[8];
    TransformInline(samples, rows);
    if (!QuantiseShort(rows, quantiser, quantised)) {
        alignas(32) int32_t coefficients[64];
        StoreRows(rows, coefficients);
        QuantiseFull(coefficients, quantiser, quantised);
    }
    return NonZeroMask(quantised);
}

void ForwardDct(const int32_t* samples, int32_t* coefficients)
{
    Lanes rows[8];
    TransformInline(samples, rows);
    StoreRows(rows, coefficients);
}
