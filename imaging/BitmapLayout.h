// Where a BMP file keeps its rows, read from its headers, and the checks that
// decide whether the file can be held as a bitmap and saved as a JPEG file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;

// The BITMAPINFOHEADER fields the program relies on, read as little-endian.
struct SBitmapInfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t colorsUsed;

    // Reads the first 40 bytes at `bytes`.
    explicit SBitmapInfoHeader(const uint8_t* bytes);
    bool HasPlainRows() const;
    uint64_t RowStride() const;
    uint64_t RowCount() const;
};

struct SBitmapLayout {
    SBitmapInfoHeader info;
    int32_t colorCount;  // entries of the colour table, behind the info header
    uint64_t bitsOffset; // of the first row, from the start of the info header
};

// The file header's offset of the rows; `fileHeader` holds its 14 bytes.
uint32_t BitmapPixelOffset(const uint8_t* fileHeader);

// The layout of a bitmap whose file holds `size` bytes after its file
// header, the first at `info` (at least 40 of them readable), given the file
// header's pixel offset. Nullopt for a file to reject: headers or rows that
// would lie past its end, sizes that make no sense.
std::optional<SBitmapLayout> ReadBitmapLayout(const uint8_t* info, std::size_t size, uint32_t pixelOffset);

// Whether the JPEG writer takes the bitmap: uncompressed, bottom-up 24-bit
// rows and sides a frame header can state.
bool IsJpegReady(const SBitmapInfoHeader& info);
