#pragma once
// A bitmap written as a BMP file: the form in which a snapshot reaches the
// JPEG writer.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A BITMAPINFOHEADER followed by room for its colour table, as GetDIBits
// fills it and as the BMP file stores it.
class CBitmapInfoBlock {
public:
    explicit CBitmapInfoBlock(std::uint32_t colourEntries);

    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(m_vecWords.data()); }
    const BITMAPINFOHEADER& Header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(m_vecWords.data()); }
    BITMAPINFOHEADER& Header() { return Info()->bmiHeader; }
    // The header and its colour table: 40 + 4 x colours used bytes.
    std::span<const std::uint8_t> Bytes() const;
    std::uint32_t ColourEntries() const { return m_nColourEntries; }

private:
    std::uint32_t m_nColourEntries;
    // Whole 32-bit words keep the header aligned for the platform.
    std::vector<std::uint32_t> m_vecWords;
};

inline constexpr std::uint32_t kBmpFileHeaderSize = 14;

// The bitmap's description as a BMP file stores it: bottom-up, BI_RGB, image
// size with rows padded to 4 bytes, and room for a colour table at 8 bits per
// pixel and below. Nullopt when the bitmap cannot be read or its file would not fit
// in the 32-bit sizes of the format.
std::optional<CBitmapInfoBlock> BuildBitmapInfo(HBITMAP bitmap);

// The 14-byte file header ("BM", file size, pixel offset) for the block.
std::vector<std::uint8_t> BuildFileHeader(const CBitmapInfoBlock& block);

// Reads the bitmap's pixels through `dc` and writes the file, replacing any of
// that name. On failure nothing is left behind: a partial file is deleted.
// The bitmap must not be selected into a DC.
bool WriteBitmapFile(const std::string& path, CBitmapInfoBlock& block, HBITMAP bitmap, HDC dc);

// BuildBitmapInfo and WriteBitmapFile with a DC of `window` for the pixel read.
// Callers may ignore the result: a failed write only means no file.
bool SaveBitmapFile(HBITMAP bitmap, const std::string& path, HWND window);
