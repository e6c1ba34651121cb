// Colour conversion of one 16 x 16 MCU to the six 8 x 8 sample blocks of
// 4:2:0 JFIF YCbCr, level-shifted by -128.
#pragma once

#include <cstdint>

// rows[j] points at 16 pixels (blue, green, red) of MCU row j, counted from
// the top. Blocks are stored in natural (row-major) order; chroma comes from
// the top-left pixel of each 2 x 2 group, without averaging.
void ConvertMcuColours(const uint8_t* const rows[16], int32_t luminance[4][64],
                       int32_t blueDifference[64], int32_t redDifference[64]);

// The portable variant that ConvertMcuColours falls back to where no
// hand-vectorised one runs; both give the same samples.
void ConvertMcuColoursPortable(const uint8_t* const rows[16], int32_t luminance[4][64],
                               int32_t blueDifference[64], int32_t redDifference[64]);
