// The numeric part of coding one 8 x 8 block: the separable fast integer DCT
// of Arai, Agui and Nakajima (8 fractional bits, truncating multiplies) that
// the encoder's output is defined by, and quantisation with the divisors that
// undo its scaling.
#pragma once

#include "imaging/SimdDispatch.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Quantisation by (|c| + d / 2) / d, sign restored, done as an exact multiply
// by a reciprocal. All arrays in natural (row-major) order.
struct SQuantiser {
    std::array<uint32_t, 64> halfDivisors;
    std::array<uint32_t, 64> reciprocals;
    std::array<uint32_t, 64> unitDivisorMasks;
    // For dividends below 2^15 (every block seen in practice): 32-bit
    // reciprocals with a per-entry shift.
    std::array<uint32_t, 64> shortReciprocals;
    std::array<uint32_t, 64> shortShifts;

    void Prepare(const std::array<uint16_t, 64>& divisors);

    // dividend / divisor of entry i, for any dividend below 2^20 (divisors
    // reach 3925, and dividend * divisor must stay below 2^32).
    uint32_t FullQuotient(uint32_t dividend, int i) const
    {
        return static_cast<uint32_t>((uint64_t{dividend} * reciprocals[i]) >> 32) +
               (dividend & unitDivisorMasks[i]);
    }

    // The same for a dividend below 2^15, in 32-bit arithmetic.
    uint32_t ShortQuotient(uint32_t dividend, int i) const
    {
        return (dividend * shortReciprocals[i]) >> shortShifts[i];
    }
};

// samples: 8 x 8 level-shifted samples, natural order. Rows are transformed
// first, then columns, as the truncating multiplies make the order matter.
// Writes the quantised coefficients in natural order and returns the mask of
// the non-zero ones (bit i for natural index i).
uint64_t TransformBlock(const int32_t* samples, const SQuantiser& quantiser, int16_t* quantised);

// The DCT alone, natural order in and out.
void ForwardDct(const int32_t* samples, int32_t* coefficients);

// Bit i set where values[i] is not zero.
TAVRELIN_FORCE_INLINE uint64_t NonZeroMask(const int16_t* values)
{
#if defined(__SSE2__)
    uint64_t mask = 0;
    const __m128i zero = _mm_setzero_si128();
    for (int i = 0; i < 64; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i + 8));
        const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(low, zero), _mm_cmpeq_epi16(high, zero));
        mask |= uint64_t(uint16_t(~_mm_movemask_epi8(zeros))) << i;
    }
    return mask;
#else
    uint64_t mask = 0;
    for (int i = 0; i < 64; ++i)
        mask |= uint64_t{values[i] != 0} << i;
    return mask;
#endif
}
