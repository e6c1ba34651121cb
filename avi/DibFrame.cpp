#include "avi/DibFrame.h"

#include <cstdlib>
#include <limits>

std::uint32_t DibStride(const BitmapInfoHeader& header)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(header.biWidth) * header.biBitCount;
    return static_cast<std::uint32_t>((bits + 31) / 32 * 4);
}

std::uint64_t DibImageSize(const BitmapInfoHeader& header)
{
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(header.biHeight));
    return rows * DibStride(header);
}

bool IsUsableDib(const DibFrame& frame)
{
    const BitmapInfoHeader& header = frame.header;
    if (frame.pBits == nullptr || header.biSize < kBitmapInfoHeaderSize)
        return false;
    // The largest size a JPEG frame can state (CJpegEncoder::kMaxDimension),
    // repeated here because the container may not depend on the encoder.
    constexpr std::int32_t kMaxDimension = 65535;
    if (header.biWidth <= 0 || header.biWidth > kMaxDimension || header.biHeight == 0 ||
        header.biHeight < -kMaxDimension || header.biHeight > kMaxDimension) {
        return false;
    }
    if (header.biCompression != kBiRgb || (header.biBitCount != 24 && header.biBitCount != 32))
        return false;
    const std::uint64_t imageSize = DibImageSize(header);
    if (imageSize > std::numeric_limits<std::uint32_t>::max() / 2)
        return false;
    return header.biSizeImage == 0 || header.biSizeImage >= imageSize;
}

std::span<const std::uint8_t> DibPixels(const DibFrame& frame)
{
    return {frame.pBits, static_cast<std::size_t>(DibImageSize(frame.header))};
}
