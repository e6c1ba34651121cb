#include "avi/VideoCompressor.h"

std::uint32_t CDibCompressor::Handler() const { return kFourccDib; }

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

std::unique_ptr<CVideoCompressor> MakeStandardCompressor(const AviCompressOptions& options)
{
    if (options.fccHandler == 0 || SameFourccIgnoringCase(options.fccHandler, kFourccDib))
        return std::make_unique<CDibCompressor>();
    return nullptr;
}

bool IsUncompressedFormat(const BitmapInfoHeader& format) { return format.biCompression == kBiRgb; }
