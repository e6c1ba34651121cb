#include "imaging/DibFile.h"

#include "imaging/JpegEncoder.h"

#include <fstream>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0; // BI_RGB
constexpr uint32_t kBitFields = 3;    // BI_BITFIELDS: uncompressed rows behind colour masks

uint16_t ReadU16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

uint32_t ReadU32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

int32_t ReadI32(const uint8_t* bytes) { return static_cast<int32_t>(ReadU32(bytes)); }

// The BITMAPINFOHEADER fields this file relies on, read as little-endian.
struct SInfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t colorsUsed;

    explicit SInfoHeader(const uint8_t* bytes)
        : size(ReadU32(bytes)), width(ReadI32(bytes + 4)), height(ReadI32(bytes + 8)), bitCount(ReadU16(bytes + 14)),
          compression(ReadU32(bytes + 16)), colorsUsed(ReadU32(bytes + 32))
    {}

    bool HasPlainRows() const { return compression == kUncompressed || compression == kBitFields; }

    uint64_t RowStride() const { return (uint64_t(uint32_t(width)) * bitCount + 31) / 32 * 4; }

    uint64_t RowCount() const { return height < 0 ? uint64_t{0} - uint64_t(int64_t{height}) : uint64_t(height); }
};

int32_t ColorCountOf(const SInfoHeader& info)
{
    if (info.bitCount > 8)
        return 0;
    if (info.colorsUsed != 0)
        return info.colorsUsed > uint32_t(std::numeric_limits<int32_t>::max()) ? std::numeric_limits<int32_t>::max()
                                                                               : static_cast<int32_t>(info.colorsUsed);
    return 1 << info.bitCount;
}

bool IsKnownBitCount(uint16_t bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// Reads the whole file into one buffer; the file header is returned apart.
std::unique_ptr<uint8_t[]> ReadBitmapFile(const char* path, uint8_t fileHeader[kFileHeaderSize], std::size_t& size)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return nullptr;
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    file.seekg(0, std::ios::beg);
    if (length < std::streamoff(kFileHeaderSize) ||
        length - std::streamoff(kFileHeaderSize) > std::numeric_limits<int32_t>::max())
        return nullptr;
    if (!file.read(reinterpret_cast<char*>(fileHeader), kFileHeaderSize) || fileHeader[0] != 'B' ||
        fileHeader[1] != 'M')
        return nullptr;
    size = static_cast<std::size_t>(length) - kFileHeaderSize;
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[size == 0 ? 1 : size]);
    if (!data || !file.read(reinterpret_cast<char*>(data.get()), std::streamsize(size)))
        return nullptr;
    return data;
}

} // namespace

bool CDibFile::LoadFile(const char* path)
{
    uint8_t fileHeader[kFileHeaderSize];
    std::size_t size = 0;
    std::unique_ptr<uint8_t[]> data = ReadBitmapFile(path, fileHeader, size);
    if (!data)
        return false;
    const uint32_t pixelOffset = ReadU32(fileHeader + 10);
    return TakeBitmap(std::move(data), size, pixelOffset);
}

bool CDibFile::TakeBitmap(std::unique_ptr<uint8_t[]> data, std::size_t size, uint32_t pixelOffset)
{
    if (size < kInfoHeaderSize)
        return false;
    const SInfoHeader info(data.get());
    if (info.size < kInfoHeaderSize || info.size > size || info.width <= 0 || info.height == 0 ||
        info.height == std::numeric_limits<int32_t>::min())
        return false;

    // Larger headers (V4, V5) are skipped by their own size; the colour table follows.
    const int32_t colorCount = ColorCountOf(info);
    const uint64_t colorTableEnd = uint64_t{info.size} + 4 * uint64_t(colorCount);
    if (colorTableEnd > size)
        return false;
    // The file header's offset is trusted when it points past the colour
    // table; otherwise the rows follow the table directly.
    uint64_t bitsOffset = colorTableEnd;
    if (pixelOffset >= kFileHeaderSize + colorTableEnd && pixelOffset - kFileHeaderSize <= size)
        bitsOffset = pixelOffset - kFileHeaderSize;
    if (info.HasPlainRows()) {
        if (!IsKnownBitCount(info.bitCount) || info.RowStride() * info.RowCount() > uint64_t(size) - bitsOffset)
            return false;
    }

    m_pData = std::move(data);
    m_nSize = static_cast<int32_t>(size);
    m_pHeader = m_pData.get();
    m_pColorTable = m_pData.get() + info.size;
    m_pBits = m_pData.get() + bitsOffset;
    m_nWidth = info.width;
    m_nHeight = info.height;
    m_nColorCount = colorCount;
    m_palette.clear();
    for (int32_t i = 0; i < colorCount; ++i) {
        const uint8_t* quad = m_pColorTable + 4 * i;
        m_palette.push_back({quad[2], quad[1], quad[0], 0});
    }
    return true;
}

int CDibFile::BitCount() const { return m_pHeader != nullptr ? SInfoHeader(m_pHeader).bitCount : 0; }

EJpegSaveResult CDibFile::SaveAsJpeg(const char* path, uint16_t quality) const
{
    if (!IsLoaded())
        return EJpegSaveResult::NothingLoaded;
    const SInfoHeader info(m_pHeader);
    // The encoder reads bottom-up 24-bit rows only; anything else would come
    // out as a damaged picture, so no file is made for it.
    if (info.bitCount != 24 || info.compression != kUncompressed || info.height <= 0 ||
        info.width > CJpegEncoder::kMaxDimension || info.height > CJpegEncoder::kMaxDimension)
        return EJpegSaveResult::UnsupportedBitmap;

    std::vector<uint8_t> jpeg;
    try {
        jpeg.resize(CJpegEncoder::MaxEncodedSize(info.width, info.height));
    } catch (const std::bad_alloc&) {
        return EJpegSaveResult::OutOfMemory;
    }
    CJpegEncoder encoder(quality);
    std::size_t length = 0;
    if (!encoder.Encode(m_pBits, jpeg.data(), jpeg.size(), info.width, info.height, length))
        return EJpegSaveResult::UnsupportedBitmap;

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return EJpegSaveResult::CannotCreateFile;
    if (!file.write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(length)) || !file.flush())
        return EJpegSaveResult::WriteFailed;
    return EJpegSaveResult::Saved;
}
