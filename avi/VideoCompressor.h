#pragma once
// The seam between the AVI writer and the video codecs: a compressor turns one
// frame bitmap into the bytes of one video sample and names the format that
// the stream header and stream format record.

#include "riff/AviResult.h"
#include "avi/DibFrame.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

inline constexpr std::uint32_t kFourccDib = MakeFourcc('D', 'I', 'B', ' ');

// The part of the platform's compression options that a compressor reads.
struct AviCompressOptions {
    std::uint32_t fccHandler = 0;
    std::uint32_t dwQuality = 0;
    std::uint32_t dwKeyFrameEvery = 0;
};

// One encoded sample; the bytes stay valid until the next call on the compressor.
struct EncodedFrame {
    std::span<const std::uint8_t> bytes;
    bool bKeyFrame = true;
};

class CVideoCompressor {
public:
    virtual ~CVideoCompressor() = default;

    // Four-character code of the codec for the stream header's handler field.
    virtual std::uint32_t Handler() const = 0;

    // The stream format for frames of the given input format.
    virtual BitmapInfoHeader OutputFormat(const BitmapInfoHeader& input) const = 0;

    // Encodes one frame of the input format given to OutputFormat.
    virtual HRESULT Compress(const DibFrame& frame, EncodedFrame& encoded) = 0;
};

// Frames stored as they are: uncompressed bottom-up DIB rows.
class CDibCompressor final : public CVideoCompressor {
public:
    std::uint32_t Handler() const override;
    BitmapInfoHeader OutputFormat(const BitmapInfoHeader& input) const override;
    HRESULT Compress(const DibFrame& frame, EncodedFrame& encoded) override;
};

// Builds the compressor that options name; null when no such codec exists.
using CompressorFactory = std::function<std::unique_ptr<CVideoCompressor>(const AviCompressOptions& options)>;

// Lets the user choose; the options preset the choice and receive it.
// Returns false when the user cancelled.
using CompressorChooser = std::function<bool(AviCompressOptions& options)>;

// The codecs every build has: handler 0 or "DIB " (any letter case) gives
// uncompressed frames.
std::unique_ptr<CVideoCompressor> MakeStandardCompressor(const AviCompressOptions& options);

// Compressed formats are stored in "##dc" chunks, uncompressed ones in "##db".
bool IsUncompressedFormat(const BitmapInfoHeader& format);
