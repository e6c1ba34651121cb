#include "aviwin/VcmCompressor.h"

namespace {

// A zero quality means "not chosen": the codec then uses its own default.
LONG CodecQuality(std::uint32_t dwQuality)
{
    return dwQuality == 0 || dwQuality > ICQUALITY_HIGH ? ICQUALITY_DEFAULT : static_cast<LONG>(dwQuality);
}

} // namespace

BITMAPINFO ToBitmapInfo(const BitmapInfoHeader& header)
{
    BITMAPINFO info{};
    BITMAPINFOHEADER& out = info.bmiHeader;
    out.biSize = sizeof(BITMAPINFOHEADER);
    out.biWidth = header.biWidth;
    out.biHeight = header.biHeight;
    out.biPlanes = header.biPlanes;
    out.biBitCount = header.biBitCount;
    out.biCompression = header.biCompression;
    out.biSizeImage = header.biSizeImage != 0 ? header.biSizeImage : static_cast<DWORD>(DibImageSize(header));
    out.biXPelsPerMeter = header.biXPelsPerMeter;
    out.biYPelsPerMeter = header.biYPelsPerMeter;
    return info;
}

BitmapInfoHeader FromBitmapInfoHeader(const BITMAPINFOHEADER& header)
{
    BitmapInfoHeader out;
    out.biSize = kBitmapInfoHeaderSize;
    out.biWidth = header.biWidth;
    out.biHeight = header.biHeight;
    out.biPlanes = header.biPlanes;
    out.biBitCount = header.biBitCount;
    out.biCompression = header.biCompression;
    out.biSizeImage = header.biSizeImage;
    out.biXPelsPerMeter = header.biXPelsPerMeter;
    out.biYPelsPerMeter = header.biYPelsPerMeter;
    out.biClrUsed = header.biClrUsed;
    out.biClrImportant = header.biClrImportant;
    return out;
}

CVcmCompressor::CVcmCompressor(tavrelin::UniqueCodec codec, const AviCompressOptions& options)
    : m_codec(std::move(codec))
{
    m_compVars.cbSize = sizeof(m_compVars);
    m_compVars.dwFlags = ICMF_COMPVARS_VALID;
    m_compVars.hic = m_codec.get();
    m_compVars.fccType = ICTYPE_VIDEO;
    m_compVars.fccHandler = options.fccHandler;
    m_compVars.lQ = CodecQuality(options.dwQuality);
    m_compVars.lKey = static_cast<LONG>(options.dwKeyFrameEvery);
}

CVcmCompressor::~CVcmCompressor()
{
    if (m_bSequenceStarted)
        ::ICSeqCompressFrameEnd(&m_compVars);
    // Frees the sequence's buffers; the codec is m_codec's to close.
    m_compVars.hic = nullptr;
    ::ICCompressorFree(&m_compVars);
}

std::uint32_t CVcmCompressor::Handler() const { return m_compVars.fccHandler; }

BitmapInfoHeader CVcmCompressor::OutputFormat(const BitmapInfoHeader& input) const
{
    BITMAPINFO inputInfo = ToBitmapInfo(input);
    const LRESULT formatSize = ICCompressGetFormatSize(m_compVars.hic, &inputInfo);
    if (formatSize < static_cast<LRESULT>(sizeof(BITMAPINFOHEADER)) || formatSize > 0x10000)
        return FromBitmapInfoHeader(inputInfo.bmiHeader);
    // Some codecs append their own data to the header; only the header is kept.
    std::vector<std::uint8_t> format(static_cast<std::size_t>(formatSize));
    auto* pOutput = reinterpret_cast<BITMAPINFO*>(format.data());
    if (ICCompressGetFormat(m_compVars.hic, &inputInfo, pOutput) != ICERR_OK)
        return FromBitmapInfoHeader(inputInfo.bmiHeader);
    return FromBitmapInfoHeader(pOutput->bmiHeader);
}

bool CVcmCompressor::StartSequence(const BitmapInfoHeader& input)
{
    BITMAPINFO inputInfo = ToBitmapInfo(input);
    m_bSequenceStarted = ::ICSeqCompressFrameStart(&m_compVars, &inputInfo) != FALSE;
    return m_bSequenceStarted;
}

HRESULT CVcmCompressor::Compress(const DibFrame& frame, EncodedFrame& encoded)
{
    if (!m_bSequenceStarted && !StartSequence(frame.header))
        return AVIERR_CANTCOMPRESS;
    BOOL bKeyFrame = FALSE;
    LONG size = 0;
    // The codec only reads the input, whatever the prototype says.
    auto* pInput = const_cast<std::uint8_t*>(frame.pBits);
    const void* pOutput = ::ICSeqCompressFrame(&m_compVars, 0, pInput, &bKeyFrame, &size);
    if (pOutput == nullptr || size < 0)
        return AVIERR_CANTCOMPRESS;
    encoded.bytes = {static_cast<const std::uint8_t*>(pOutput), static_cast<std::size_t>(size)};
    encoded.bKeyFrame = bKeyFrame != FALSE;
    return AVIERR_OK;
}

CompressorFactory MakePlatformCompressorFactory()
{
    return [](const AviCompressOptions& options) -> std::unique_ptr<CVideoCompressor> {
        if (auto pStandard = MakeStandardCompressor(options))
            return pStandard;
        tavrelin::UniqueCodec codec(::ICOpen(ICTYPE_VIDEO, options.fccHandler, ICMODE_COMPRESS));
        if (!codec)
            return nullptr;
        return std::make_unique<CVcmCompressor>(std::move(codec), options);
    };
}
