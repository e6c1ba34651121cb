#pragma once
// A device-independent bitmap as the AVI writer sees it: the header fields of
// the platform's BITMAPINFOHEADER and the pixel memory of a bitmap section.

#include "riff/Fourcc.h"

#include <cstdint>
#include <span>

struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 24;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
inline constexpr std::uint32_t kBiRgb = 0;

// A device-dependent bitmap has no pixel memory of its own, so it is handed
// over with null bits and refused.
struct DibFrame {
    BitmapInfoHeader header;
    const std::uint8_t* pBits = nullptr;
};

// Bytes per pixel row: rows of a bitmap are padded to whole 32-bit words.
std::uint32_t DibStride(const BitmapInfoHeader& header);

// Bytes of the whole picture, computed from its size and depth.
std::uint64_t DibImageSize(const BitmapInfoHeader& header);

// True for an uncompressed 24- or 32-bit bitmap with pixel memory whose stated
// image size (when given) covers every row.
bool IsUsableDib(const DibFrame& frame);

// The frame's pixel memory, exactly DibImageSize bytes.
std::span<const std::uint8_t> DibPixels(const DibFrame& frame);
