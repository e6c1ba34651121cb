#include "imaging/BitmapLayout.h"

#include <limits>

namespace {

constexpr uint32_t kUncompressed = 0; // BI_RGB
constexpr uint32_t kBitFields = 3;    // BI_BITFIELDS: uncompressed rows behind colour masks
// The largest side a JPEG frame header can state.
constexpr int32_t kMaxJpegSide = 65535;

uint16_t ReadU16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

uint32_t ReadU32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

int32_t ReadI32(const uint8_t* bytes) { return static_cast<int32_t>(ReadU32(bytes)); }

int32_t ColorCountOf(const SBitmapInfoHeader& info)
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

} // namespace

SBitmapInfoHeader::SBitmapInfoHeader(const uint8_t* bytes)
    : size(ReadU32(bytes)), width(ReadI32(bytes + 4)), height(ReadI32(bytes + 8)), bitCount(ReadU16(bytes + 14)),
      compression(ReadU32(bytes + 16)), colorsUsed(ReadU32(bytes + 32))
{}

bool SBitmapInfoHeader::HasPlainRows() const { return compression == kUncompressed || compression == kBitFields; }

uint64_t SBitmapInfoHeader::RowStride() const { return (uint64_t(uint32_t(width)) * bitCount + 31) / 32 * 4; }

uint64_t SBitmapInfoHeader::RowCount() const
{
    return height < 0 ? uint64_t{0} - uint64_t(int64_t{height}) : uint64_t(height);
}

uint32_t BitmapPixelOffset(const uint8_t* fileHeader) { return ReadU32(fileHeader + 10); }

std::optional<SBitmapLayout> ReadBitmapLayout(const uint8_t* info, std::size_t size, uint32_t pixelOffset)
{
    if (size < kBitmapInfoHeaderSize)
        return std::nullopt;
    const SBitmapInfoHeader header(info);
    if (header.size < kBitmapInfoHeaderSize || header.size > size || header.width <= 0 || header.height == 0 ||
        header.height == std::numeric_limits<int32_t>::min())
        return std::nullopt;
    // Larger headers (V4, V5) are skipped by their own size; the colour table follows.
    const int32_t colorCount = ColorCountOf(header);
    const uint64_t colorTableEnd = uint64_t{header.size} + 4 * uint64_t(colorCount);
    if (colorTableEnd > size)
        return std::nullopt;
    // The file header's offset is trusted when it points past the colour
    // table; otherwise the rows follow the table directly.
    uint64_t bitsOffset = colorTableEnd;
    if (pixelOffset >= kBitmapFileHeaderSize + colorTableEnd && pixelOffset - kBitmapFileHeaderSize <= size)
        bitsOffset = pixelOffset - kBitmapFileHeaderSize;
    if (header.HasPlainRows() &&
        (!IsKnownBitCount(header.bitCount) || header.RowStride() * header.RowCount() > uint64_t(size) - bitsOffset))
        return std::nullopt;
    return SBitmapLayout{header, colorCount, bitsOffset};
}

bool IsJpegReady(const SBitmapInfoHeader& info)
{
    return info.bitCount == 24 && info.compression == kUncompressed && info.height > 0 && info.width <= kMaxJpegSide &&
           info.height <= kMaxJpegSide;
}
