// Quantisation of the fast DCT's output: the divisors fold in its scaling
// (the transform itself is in JpegBlockTransform.inl, built once per path).
#pragma once

#include <array>
#include <cstdint>

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
    // The short range in 16-bit arithmetic, for dividends below 2^14: the
    // reciprocal and 2^(15 - ceil(log2 d)), which replaces the shift.
    std::array<uint16_t, 64> wordHalfDivisors;
    std::array<uint16_t, 64> wordReciprocals;
    std::array<uint16_t, 64> wordScales;

    void Prepare(const std::array<uint16_t, 64>& divisors);

    // dividend / divisor of entry i, for any dividend below 2^20 (divisors
    // reach 3925, and dividend * divisor must stay below 2^32).
    uint32_t FullQuotient(uint32_t dividend, int i) const
    {
        return static_cast<uint32_t>((uint64_t{dividend} * reciprocals[i]) >> 32) + (dividend & unitDivisorMasks[i]);
    }

    // The same for a dividend below 2^15, in 32-bit arithmetic.
    uint32_t ShortQuotient(uint32_t dividend, int i) const
    {
        return (dividend * shortReciprocals[i]) >> shortShifts[i];
    }

    // The same for a dividend below 2^14 as the vector code computes it: two
    // high halves of 16-bit products, (2n * m) >> 16, then (2q * scale) >> 16.
    uint32_t WordQuotient(uint32_t dividend, int i) const
    {
        const uint32_t scaled = ((2 * dividend) * wordReciprocals[i]) >> 16;
        return ((2 * scaled) * wordScales[i]) >> 16;
    }
};
