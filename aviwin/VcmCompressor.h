#pragma once
// Frames compressed by a codec of the platform's video compression manager,
// opened by its four-character code and driven frame by frame through the
// sequence functions.

#include <windows.h>
#include <vfw.h>

#include "avi/VideoCompressor.h"
#include "win/UniqueHandle.h"

#include <vector>

namespace tavrelin {

inline void CloseCodec(HIC codec) { ::ICClose(codec); }
// An open codec, closed with its owner.
using UniqueCodec = win::UniqueHandle<HIC, CloseCodec>;

} // namespace tavrelin

class CVcmCompressor final : public CVideoCompressor {
public:
    // Takes over the open codec; options give the quality (0: the codec's
    // default) and the key-frame distance (0: every frame a key frame).
    CVcmCompressor(tavrelin::UniqueCodec codec, const AviCompressOptions& options);
    ~CVcmCompressor() override;
    CVcmCompressor(const CVcmCompressor&) = delete;
    CVcmCompressor& operator=(const CVcmCompressor&) = delete;

    std::uint32_t Handler() const override;
    BitmapInfoHeader OutputFormat(const BitmapInfoHeader& input) const override;
    HRESULT Compress(const DibFrame& frame, EncodedFrame& encoded) override;

private:
    bool StartSequence(const BitmapInfoHeader& input);

    tavrelin::UniqueCodec m_codec;
    // Refers to m_codec without owning it.
    COMPVARS m_compVars{};
    bool m_bSequenceStarted = false;
};

// The compressors the Windows build offers: uncompressed frames and every
// installed codec (ours included) by its four-character code.
CompressorFactory MakePlatformCompressorFactory();

// Conversions between the platform's header and the writer's.
BITMAPINFO ToBitmapInfo(const BitmapInfoHeader& header);
BitmapInfoHeader FromBitmapInfoHeader(const BITMAPINFOHEADER& header);
