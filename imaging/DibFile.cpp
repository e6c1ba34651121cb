#include "imaging/DibFile.h"

#include "imaging/BitmapLayout.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <new>

namespace {

// What goes to the file in one write.
constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// Reads the whole file into one buffer; the file header is returned apart.
std::unique_ptr<uint8_t[]> ReadBitmapFile(const char* path, uint8_t fileHeader[kBitmapFileHeaderSize],
                                          std::size_t& size)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return nullptr;
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    file.seekg(0, std::ios::beg);
    if (length < std::streamoff(kBitmapFileHeaderSize) ||
        length - std::streamoff(kBitmapFileHeaderSize) > std::numeric_limits<int32_t>::max())
        return nullptr;
    if (!file.read(reinterpret_cast<char*>(fileHeader), kBitmapFileHeaderSize) || fileHeader[0] != 'B' ||
        fileHeader[1] != 'M')
        return nullptr;
    size = static_cast<std::size_t>(length) - kBitmapFileHeaderSize;
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[size == 0 ? 1 : size]);
    if (!data || !file.read(reinterpret_cast<char*>(data.get()), std::streamsize(size)))
        return nullptr;
    return data;
}

} // namespace

EJpegSaveResult WriteJpegFile(const char* path, uint16_t quality, int32_t width, int32_t height,
                              const CJpegEncoder::BandSource& bands)
{
    // The file goes out in pieces as it is made: a buffer for all of it would
    // cost more than the picture and, for a large picture, more address space
    // than a 32-bit process may find in one block.
    std::vector<uint8_t> piece;
    try {
        piece.resize(std::max(kPieceSize, CJpegEncoder::MinSinkBufferSize()));
    } catch (const std::bad_alloc&) {
        return EJpegSaveResult::OutOfMemory;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return EJpegSaveResult::CannotCreateFile;
    CJpegEncoder encoder(quality);
    const auto write = [&file](const uint8_t* bytes, std::size_t count) {
        return static_cast<bool>(file.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count)));
    };
    const bool written = encoder.EncodeToSink(width, height, bands, piece, write);
    file.close();
    if (!written || file.fail()) {
        // Part of a picture is no picture: a full disk leaves no broken file behind.
        std::remove(path);
        return EJpegSaveResult::WriteFailed;
    }
    return EJpegSaveResult::Saved;
}

bool CDibFile::LoadFile(const char* path)
{
    uint8_t fileHeader[kBitmapFileHeaderSize];
    std::size_t size = 0;
    std::unique_ptr<uint8_t[]> data = ReadBitmapFile(path, fileHeader, size);
    if (!data)
        return false;
    return TakeBitmap(std::move(data), size, BitmapPixelOffset(fileHeader));
}

bool CDibFile::TakeBitmap(std::unique_ptr<uint8_t[]> data, std::size_t size, uint32_t pixelOffset)
{
    const std::optional<SBitmapLayout> layout = ReadBitmapLayout(data.get(), size, pixelOffset);
    if (!layout)
        return false;
    m_pData = std::move(data);
    m_nSize = static_cast<int32_t>(size);
    m_pHeader = m_pData.get();
    m_pColorTable = m_pData.get() + layout->info.size;
    m_pBits = m_pData.get() + layout->bitsOffset;
    m_nWidth = layout->info.width;
    m_nHeight = layout->info.height;
    m_nColorCount = layout->colorCount;
    m_palette.clear();
    for (int32_t i = 0; i < m_nColorCount; ++i) {
        const uint8_t* quad = m_pColorTable + 4 * i;
        m_palette.push_back({quad[2], quad[1], quad[0], 0});
    }
    return true;
}

int CDibFile::BitCount() const { return m_pHeader != nullptr ? SBitmapInfoHeader(m_pHeader).bitCount : 0; }

EJpegSaveResult CDibFile::SaveAsJpeg(const char* path, uint16_t quality) const
{
    if (!IsLoaded())
        return EJpegSaveResult::NothingLoaded;
    const SBitmapInfoHeader info(m_pHeader);
    // The encoder reads bottom-up 24-bit rows only; anything else would come
    // out as a damaged picture, so no file is made for it.
    if (!IsJpegReady(info))
        return EJpegSaveResult::UnsupportedBitmap;
    const std::size_t stride = static_cast<std::size_t>(info.RowStride());
    const auto band = [&](int mcuRow, int count) {
        return m_pBits + std::size_t(info.height - 16 * mcuRow - count) * stride;
    };
    return WriteJpegFile(path, quality, info.width, info.height, band);
}

std::optional<EJpegSaveResult> SaveBitmapFileAsJpegInBands(const char* bitmapPath, const char* jpegPath,
                                                           uint16_t quality)
{
    std::ifstream file(bitmapPath, std::ios::binary);
    if (!file)
        return std::nullopt;
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    file.seekg(0, std::ios::beg);
    uint8_t headers[kBitmapFileHeaderSize + kBitmapInfoHeaderSize];
    if (length < std::streamoff(sizeof headers) ||
        length - std::streamoff(kBitmapFileHeaderSize) > std::numeric_limits<int32_t>::max() ||
        !file.read(reinterpret_cast<char*>(headers), sizeof headers) || headers[0] != 'B' || headers[1] != 'M')
        return std::nullopt;
    const std::optional<SBitmapLayout> layout =
        ReadBitmapLayout(headers + kBitmapFileHeaderSize, static_cast<std::size_t>(length) - kBitmapFileHeaderSize,
                         BitmapPixelOffset(headers));
    if (!layout || !IsJpegReady(layout->info))
        return std::nullopt;
    const SBitmapInfoHeader& info = layout->info;
    const std::size_t stride = static_cast<std::size_t>(info.RowStride());
    std::vector<uint8_t> band;
    try {
        band.resize(16 * stride);
    } catch (const std::bad_alloc&) {
        return EJpegSaveResult::OutOfMemory;
    }
    // Rows are stored bottom-up: the top of the picture comes from the end of the file.
    const auto readBand = [&](int mcuRow, int count) -> const uint8_t* {
        const uint64_t row = uint64_t(info.height - 16 * mcuRow - count);
        file.seekg(std::streamoff(kBitmapFileHeaderSize + layout->bitsOffset + row * stride));
        if (!file.read(reinterpret_cast<char*>(band.data()), std::streamsize(std::size_t(count) * stride)))
            return nullptr;
        return band.data();
    };
    return WriteJpegFile(jpegPath, quality, info.width, info.height, readBand);
}
