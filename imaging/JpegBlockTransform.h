// The separable fast integer DCT of Arai, Agui and Nakajima (8 fractional
// bits, truncating multiplies) that the encoder's output is defined by.
#pragma once

#include <cstdint>

// samplesByColumn holds the 8 x 8 level-shifted samples transposed: entry
// [col * 8 + row]. coefficients receives the scaled DCT outputs in natural
// (row-major) order: rows are transformed first, then columns.
void ForwardDct(const int32_t* samplesByColumn, int32_t* coefficients);
