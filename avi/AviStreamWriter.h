#pragma once
// The AVI writer used by a recording: frames are appended one by one through
// the video compressor chosen on the first frame, the sound follows as the
// samples of one or more WAV files after the last frame. Every operation
// returns the AVIERR_* codes; the first failure of the file or the codec is
// sticky and makes every later frame or sound call return AVIERR_ERROR.

#include "avi/AviContainer.h"
#include "riff/AviResult.h"
#include "avi/DibFrame.h"
#include "avi/VideoCompressor.h"
#include "riff/WaveFile.h"
#include "riff/WaveFormat.h"

#include <cstdint>
#include <memory>

// The record of one open file, owned by the caller from AviOpen to AviClose.
struct AviWriter {
    explicit AviWriter(CompressorFactory factory) : m_factory(std::move(factory)) {}

    CAviContainer m_container;
    CompressorFactory m_factory;
    WaveFormat m_audioFormat;       // nChannels 0: no audio format yet
    std::int32_t m_framePeriod = 0; // milliseconds per frame
    bool m_bHasVideoStream = false;
    BitmapInfoHeader m_videoInput; // the frames' format, from the first bitmap
    std::unique_ptr<CVideoCompressor> m_pCompressor;
    int m_videoStream = -1;
    int m_audioStream = -1;
    std::int64_t m_frameCount = 0;
    std::int64_t m_sampleCount = 0;
    bool m_bError = false;
};

// Creates the file. Returns none when the path is missing or cannot be
// written, or the frame period is not positive.
std::unique_ptr<AviWriter> AviOpen(const char* pszPath, std::int32_t framePeriod, const WaveFormat* pAudioFormat,
                                   CompressorFactory factory = MakeStandardCompressor);

// Chooses the video compressor for the frames of pBitmap's format. With a
// chooser the user picks (pOptions preset the choice and receive it);
// without one the options are used as given (none: uncompressed).
HRESULT AviConfigureVideo(AviWriter* pWriter, const DibFrame* pBitmap, AviCompressOptions* pOptions,
                          const CompressorChooser& chooser);

// Appends one frame; without a configuration the frames are stored uncompressed.
HRESULT AviAppendFrame(AviWriter* pWriter, const DibFrame* pBitmap);

// Appends the samples of a WAV file to the audio stream.
HRESULT AviAppendWaveFile(AviWriter* pWriter, const char* pszPath);

// Copies the samples of a WAV file of the stream's format into the audio
// stream, in chunks of about a second, and counts the blocks written.
HRESULT AppendWaveSamples(CAviContainer& container, int audioStream, CWaveFile& wave, std::int64_t& blocksWritten);

// Completes the file's indexes and headers and releases the writer.
HRESULT AviClose(std::unique_ptr<AviWriter> pWriter);
