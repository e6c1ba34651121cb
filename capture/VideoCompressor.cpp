#include "VideoCompressor.h"

#include <cctype>

std::uint32_t CDibCompressor::Handler() const
{
    return kFourccDib;
}

BitmapInfoHeader CDibCompressor::OutputFormat(const BitmapInfoHeader& input) const
{
    BitmapInfoHeader output = input;
    output.biSize = kBitmapInfoHeaderSize;
    output.biCompression = kBiRgb;
    output.biSizeImage = static_cast<std::uint32_t>(DibImageSize(input));
    output.biClrUsed = 0;
    output.biClrImportant = 0;
    return output;
}

HRESULT CDibCompressor::Compress(const DibFrame& frame, EncodedFrame& encoded)
{
    encoded.bytes = DibPixels(frame);
    encoded.bKeyFrame = true;
    return AVIERR_OK;
}

namespace {

std::uint32_t UpperCaseFourcc(std::uint32_t fourcc)
{
    std::uint32_t upper = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const auto letter = static_cast<unsigned char>(fourcc >> shift);
        upper |= static_cast<std::uint32_t>(std::toupper(letter)) << shift;
    }
    return upper;
}

} // namespace

std::unique_ptr<CVideoCompressor> MakeStandardCompressor(const AviCompressOptions& options)
{
    if (options.fccHandler == 0 || UpperCaseFourcc(options.fccHandler) == kFourccDib) {
        return std::make_unique<CDibCompressor>();
    }
    return nullptr;
}

bool IsUncompressedFormat(const BitmapInfoHeader& format)
{
    return format.biCompression == kBiRgb;
}
