// The numeric part of coding one 8 x 8 block: the separable fast integer DCT
// of Arai, Agui and Nakajima (8 fractional bits, truncating multiplies) that
// the encoder's output is defined by, and quantisation with the divisors that
// undo its scaling.
#pragma once

#include <array>
#include <cstdint>

// Quantisation by (|c| + d / 2) / d, sign restored, done as an exact multiply
// by a reciprocal. All arrays in natural (row-major) order.
struct SQuantiser {
    std::array<uint32_t, 64> halfDivisors;
    std::array<uint32_t, 64> reciprocals;
    std::array<uint32_t, 64> unitDivisorMasks;

    void Prepare(const std::array<uint16_t, 64>& divisors);
};

// samples: 8 x 8 level-shifted samples, natural order. Rows are transformed
// first, then columns, as the truncating multiplies make the order matter.
// Writes the quantised coefficients in natural order and returns the mask of
// the non-zero ones (bit i for natural index i).
uint64_t TransformBlock(const int32_t* samples, const SQuantiser& quantiser, int16_t* quantised);

// The DCT alone, natural order in and out.
void ForwardDct(const int32_t* samples, int32_t* coefficients);
