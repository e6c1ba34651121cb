// A BMP file held in memory as a device-independent bitmap, and its
// conversion to a JPEG file.
#pragma once

#include "imaging/JpegEncoder.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

enum class EJpegSaveResult {
    Saved,
    NothingLoaded,
    UnsupportedBitmap, // not an uncompressed, bottom-up 24-bit bitmap: no file is made
    CannotCreateFile,  // the target could not be opened for writing
    WriteFailed,
    OutOfMemory,
};

// Writes the JPEG file of a width x height picture whose rows the bands give
// (see CJpegEncoder::BandSource), replacing an existing file, in pieces as
// they are made. A file that can't be written to its end is removed.
EJpegSaveResult WriteJpegFile(const char* path, uint16_t quality, int32_t width, int32_t height,
                              const CJpegEncoder::BandSource& bands);

// Saves a BMP file as a JPEG file reading it a band of rows at a time, so
// that a large picture is never held whole: the same file CDibFile would
// write. Only files that CDibFile would load and save go this way; for any
// other nothing is written and the result is nullopt, and CDibFile gives
// the answer.
std::optional<EJpegSaveResult> SaveBitmapFileAsJpegInBands(const char* bitmapPath, const char* jpegPath,
                                                           uint16_t quality);

class CDibFile {
public:
    struct SPaletteEntry {
        uint8_t red;
        uint8_t green;
        uint8_t blue;
        uint8_t flags;
    };

    CDibFile() = default;
    CDibFile(const CDibFile&) = delete;
    CDibFile& operator=(const CDibFile&) = delete;

    // Reads a whole BMP file. A rejected file leaves what was loaded before.
    bool LoadFile(const char* path);

    // Writes the loaded bitmap as a JPEG file, replacing an existing one.
    EJpegSaveResult SaveAsJpeg(const char* path, uint16_t quality) const;

    bool IsLoaded() const { return m_pData != nullptr; }
    int32_t Width() const { return m_nWidth; }
    int32_t Height() const { return m_nHeight; }
    int32_t Size() const { return m_nSize; }
    int BitCount() const;
    int32_t ColorCount() const { return m_nColorCount; }
    const uint8_t* Data() const { return m_pData.get(); }
    const uint8_t* Bits() const { return m_pBits; }
    const uint8_t* ColorTable() const { return m_pColorTable; }
    // The logical palette built from the colour table; empty above 8 bits per pixel.
    const std::vector<SPaletteEntry>& Palette() const { return m_palette; }

private:
    bool TakeBitmap(std::unique_ptr<uint8_t[]> data, std::size_t size, uint32_t pixelOffset);

    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nSize = 0;
    std::unique_ptr<uint8_t[]> m_pData;
    const uint8_t* m_pBits = nullptr;
    const uint8_t* m_pHeader = nullptr;
    std::vector<SPaletteEntry> m_palette;
    const uint8_t* m_pColorTable = nullptr;
    int32_t m_nColorCount = 0;
};
