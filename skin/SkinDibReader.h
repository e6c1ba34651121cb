#pragma once
// Device-independent bitmaps of skins: bitmap resources (an info header,
// optional colour masks and colour table, then the pixels) and BMP files (a
// 14-byte file header in front of the same). Everything is checked against
// the bytes really present before a pixel is read.

#include "skin/SkinPixels.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tavrelin::skin {

struct SkinDib {
    SkinPixels pixels; // hasAlphaChannel is set for 32-bit bitmaps
    int bitCount = 0;
};

// Info headers of 40, 108 and 124 bytes; 1, 4, 8, 24 and 32 bits per pixel;
// uncompressed, or 32-bit with colour masks; bottom-up or top-down.
std::optional<SkinDib> DecodeSkinDib(const std::uint8_t* data, size_t size);

// A BMP file: "BM", the pixel offset of its file header, then as above.
std::optional<SkinDib> DecodeSkinBmpFile(const std::uint8_t* data, size_t size);

} // namespace tavrelin::skin
