#include "avi/AviStreamWriter.h"

#include "riff/WaveFile.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t kFrameRate = 1000;

// Audio goes out in chunks of about a second, so players can seek in it;
// the cap keeps the buffer small for hostile rates.
constexpr std::uint32_t kMaxAudioChunkBytes = 1u << 20;

HRESULT CheckFrameCall(const AviWriter* pWriter, const DibFrame* pBitmap)
{
    if (pWriter == nullptr)
        return AVIERR_BADHANDLE;
    if (pBitmap == nullptr || !IsUsableDib(*pBitmap))
        return AVIERR_BADPARAM;
    return pWriter->m_bError ? AVIERR_ERROR : AVIERR_OK;
}

HRESULT Fail(AviWriter& writer, HRESULT result)
{
    writer.m_bError = true;
    return result;
}

void CreateVideoStream(AviWriter& writer, const DibFrame& bitmap)
{
    if (!writer.m_bHasVideoStream) {
        writer.m_videoInput = bitmap.header;
        writer.m_bHasVideoStream = true;
    }
}

// Once frames go into the file their format is fixed; a frame of another
// size or depth would be read as garbage.
bool MatchesVideoInput(const AviWriter& writer, const BitmapInfoHeader& header)
{
    const BitmapInfoHeader& input = writer.m_videoInput;
    return header.biWidth == input.biWidth && header.biHeight == input.biHeight &&
           header.biBitCount == input.biBitCount;
}

HRESULT BuildCompressor(AviWriter& writer, const AviCompressOptions& options)
{
    writer.m_pCompressor = writer.m_factory ? writer.m_factory(options) : nullptr;
    return writer.m_pCompressor ? AVIERR_OK : Fail(writer, AVIERR_NOCOMPRESSOR);
}

HRESULT SetCompressedFormat(AviWriter& writer, const DibFrame& bitmap)
{
    AviVideoStreamInfo info;
    info.fccHandler = writer.m_pCompressor->Handler();
    info.dwScale = static_cast<std::uint32_t>(writer.m_framePeriod);
    info.dwRate = kFrameRate;
    info.format = writer.m_pCompressor->OutputFormat(bitmap.header);
    const HRESULT result = writer.m_container.AddVideoStream(info, writer.m_videoStream);
    return result == AVIERR_OK ? result : Fail(writer, result);
}

HRESULT WriteFrame(AviWriter& writer, const DibFrame& bitmap)
{
    EncodedFrame encoded;
    HRESULT result = writer.m_pCompressor->Compress(bitmap, encoded);
    if (result == AVIERR_OK)
        result = writer.m_container.WriteChunk(writer.m_videoStream, encoded.bytes, encoded.bKeyFrame, 1);
    if (result != AVIERR_OK)
        return Fail(writer, result);
    ++writer.m_frameCount;
    return AVIERR_OK;
}

HRESULT AdoptAudioFormat(AviWriter& writer, const WaveFormat& format)
{
    if (writer.m_audioFormat.nChannels == 0) {
        writer.m_audioFormat = format;
        writer.m_audioFormat.cbSize = 0;
        return AVIERR_OK;
    }
    return SameWaveLayout(writer.m_audioFormat, format) ? AVIERR_OK : AVIERR_BADFORMAT;
}

HRESULT CreateAudioStream(AviWriter& writer)
{
    if (writer.m_audioStream >= 0)
        return AVIERR_OK;
    const HRESULT result = writer.m_container.AddAudioStream(writer.m_audioFormat, writer.m_audioStream);
    return result == AVIERR_OK ? result : Fail(writer, result);
}

HRESULT CopySamples(AviWriter& writer, CWaveFile& wave)
{
    const HRESULT result = AppendWaveSamples(writer.m_container, writer.m_audioStream, wave, writer.m_sampleCount);
    return result == AVIERR_OK || result == AVIERR_FILEREAD ? result : Fail(writer, result);
}

} // namespace

std::unique_ptr<AviWriter> AviOpen(const char* pszPath, std::int32_t framePeriod, const WaveFormat* pAudioFormat,
                                   CompressorFactory factory)
{
    if (pszPath == nullptr || framePeriod <= 0)
        return nullptr;
    auto pWriter = std::make_unique<AviWriter>(std::move(factory));
    if (pWriter->m_container.Create(pszPath) != AVIERR_OK)
        return nullptr;
    if (pAudioFormat != nullptr)
        pWriter->m_audioFormat = *pAudioFormat;
    pWriter->m_framePeriod = framePeriod;
    return pWriter;
}

HRESULT AviConfigureVideo(AviWriter* pWriter, const DibFrame* pBitmap, AviCompressOptions* pOptions,
                          const CompressorChooser& chooser)
{
    HRESULT result = CheckFrameCall(pWriter, pBitmap);
    if (result != AVIERR_OK)
        return result;
    AviWriter& writer = *pWriter;
    if (writer.m_pCompressor)
        return AVIERR_COMPRESSOR;
    CreateVideoStream(writer, *pBitmap);
    AviCompressOptions zeroedOptions;
    AviCompressOptions& options = pOptions != nullptr ? *pOptions : zeroedOptions;
    if (chooser && !chooser(options))
        return Fail(writer, AVIERR_USERABORT);
    result = BuildCompressor(writer, options);
    return result == AVIERR_OK ? SetCompressedFormat(writer, *pBitmap) : result;
}

HRESULT AviAppendFrame(AviWriter* pWriter, const DibFrame* pBitmap)
{
    HRESULT result = CheckFrameCall(pWriter, pBitmap);
    if (result != AVIERR_OK)
        return result;
    AviWriter& writer = *pWriter;
    CreateVideoStream(writer, *pBitmap);
    if (!MatchesVideoInput(writer, pBitmap->header))
        return AVIERR_BADFORMAT;
    if (!writer.m_pCompressor) {
        AviCompressOptions options;
        options.fccHandler = kFourccDib;
        result = BuildCompressor(writer, options);
        if (result == AVIERR_OK)
            result = SetCompressedFormat(writer, *pBitmap);
        if (result != AVIERR_OK)
            return result;
    }
    return WriteFrame(writer, *pBitmap);
}

HRESULT AviAppendWaveFile(AviWriter* pWriter, const char* pszPath)
{
    if (pWriter == nullptr)
        return AVIERR_BADHANDLE;
    if (pszPath == nullptr)
        return AVIERR_BADPARAM;
    AviWriter& writer = *pWriter;
    if (writer.m_bError)
        return AVIERR_ERROR;
    CWaveFile wave;
    const CWaveFile::EOpenResult opened = wave.Open(pszPath);
    if (opened == CWaveFile::EOpenResult::cannotOpen)
        return Fail(writer, AVIERR_FILEOPEN);
    if (opened == CWaveFile::EOpenResult::malformed) {
        return AVIERR_FILEREAD; // only this sound is refused; the video stays intact
    }
    HRESULT result = AdoptAudioFormat(writer, wave.Format());
    if (result == AVIERR_OK)
        result = CreateAudioStream(writer);
    return result == AVIERR_OK ? CopySamples(writer, wave) : result;
}

namespace {

std::size_t AudioChunkBytes(const WaveFormat& format)
{
    const std::uint64_t second = static_cast<std::uint64_t>(format.nSamplesPerSec) * format.nBlockAlign;
    const std::uint64_t capped = std::min<std::uint64_t>(second, kMaxAudioChunkBytes);
    return static_cast<std::size_t>(std::max<std::uint64_t>(capped - capped % format.nBlockAlign, format.nBlockAlign));
}

} // namespace

HRESULT AppendWaveSamples(CAviContainer& container, int audioStream, CWaveFile& wave, std::int64_t& blocksWritten)
{
    const std::uint16_t blockAlign = wave.Format().nBlockAlign;
    std::vector<std::uint8_t> buffer(AudioChunkBytes(wave.Format()));
    std::uint64_t copied = 0;
    while (copied < wave.DataSize()) {
        const std::size_t read = wave.Read(buffer);
        const std::size_t wholeBlocks = read - read % blockAlign;
        if (wholeBlocks == 0) {
            return AVIERR_FILEREAD; // the file shrank after it was opened
        }
        const auto blocks = static_cast<std::uint32_t>(wholeBlocks / blockAlign);
        const HRESULT result = container.WriteChunk(audioStream, std::span(buffer).first(wholeBlocks), true, blocks);
        if (result != AVIERR_OK)
            return result;
        blocksWritten += blocks;
        copied += read;
    }
    return AVIERR_OK;
}

HRESULT AviClose(std::unique_ptr<AviWriter> pWriter)
{
    if (!pWriter)
        return AVIERR_BADHANDLE;
    return pWriter->m_container.Finish();
}
