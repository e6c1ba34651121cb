#include "audio/Mp3Decoder.h"

#include "riff/WaveWriter.h"

#include <mpg123.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t kSampleBytes = 2;

struct CMpg123Deleter {
    void operator()(mpg123_handle* pHandle) const { mpg123_delete(pHandle); }
};
using UniqueMpg123 = std::unique_ptr<mpg123_handle, CMpg123Deleter>;

struct CFileCloser {
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using UniqueFile = std::unique_ptr<std::FILE, CFileCloser>;

// The decoder reads through the C library so that the path is taken in the
// program's own code page, as every other path of the program is.
mpg123_ssize_t ReadFromFile(void* pHandle, void* pBuffer, std::size_t bytes)
{
    auto* pFile = static_cast<std::FILE*>(pHandle);
    const std::size_t read = std::fread(pBuffer, 1, bytes, pFile);
    return read == 0 && std::ferror(pFile) ? -1 : static_cast<mpg123_ssize_t>(read);
}

off_t SeekInFile(void* pHandle, off_t offset, int origin)
{
    auto* pFile = static_cast<std::FILE*>(pHandle);
    if (std::fseek(pFile, offset, origin) != 0)
        return -1;
    return static_cast<off_t>(std::ftell(pFile));
}

bool LibraryReady()
{
    static const bool bReady = mpg123_init() == MPG123_OK;
    return bReady;
}

// Every rate the decoder knows, both channel layouts, 16-bit signed samples
// only: the one sample encoding a PCM WAV file of 16 bits holds.
bool AcceptSixteenBitOutput(mpg123_handle* pDecoder)
{
    const long* pRates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&pRates, &rateCount);
    if (mpg123_format_none(pDecoder) != MPG123_OK)
        return false;
    for (std::size_t index = 0; index < rateCount; ++index)
        mpg123_format(pDecoder, pRates[index], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    return true;
}

UniqueMpg123 OpenDecoder(std::FILE* pFile)
{
    if (!LibraryReady())
        return nullptr;
    int error = MPG123_OK;
    UniqueMpg123 decoder(mpg123_new(nullptr, &error));
    if (!decoder)
        return nullptr;
    // Gapless: the encoder's delay and padding are cut, so the sound is as
    // long as what was encoded. Quiet: a damaged file must not write to the
    // console of a windowed program.
    mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    if (!AcceptSixteenBitOutput(decoder.get()) ||
        mpg123_replace_reader_handle(decoder.get(), ReadFromFile, SeekInFile, nullptr) != MPG123_OK ||
        mpg123_open_handle(decoder.get(), pFile) != MPG123_OK) {
        return nullptr;
    }
    return decoder;
}

WaveFormat PcmFormat(long rate, int channels)
{
    WaveFormat format;
    format.wFormatTag = kWaveFormatPcm;
    format.nChannels = static_cast<std::uint16_t>(channels);
    format.nSamplesPerSec = static_cast<std::uint32_t>(rate);
    format.nBlockAlign = static_cast<std::uint16_t>(channels * kSampleBytes);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    format.wBitsPerSample = 16;
    return format;
}

// The WAV file has one format, so the first one the stream announces is kept:
// later frames at another rate or channel count are converted to it.
bool StartWaveFile(mpg123_handle* pDecoder, const std::string& wavPath, CWaveWriter& writer)
{
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(pDecoder, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        (channels != 1 && channels != 2) || encoding != MPG123_ENC_SIGNED_16) {
        return false;
    }
    mpg123_format_none(pDecoder);
    mpg123_format(pDecoder, rate, channels, MPG123_ENC_SIGNED_16);
    return writer.Open(wavPath, PcmFormat(rate, channels));
}

// Decodes until the stream ends or cannot go on; true when the WAV file holds
// sound worth keeping.
bool DecodeAll(mpg123_handle* pDecoder, const std::string& wavPath, CWaveWriter& writer)
{
    std::vector<unsigned char> buffer(mpg123_outblock(pDecoder) * 8);
    bool bStarted = false;
    for (;;) {
        std::size_t decoded = 0;
        const int result = mpg123_read(pDecoder, buffer.data(), buffer.size(), &decoded);
        if (result == MPG123_NEW_FORMAT && !bStarted) {
            if (!StartWaveFile(pDecoder, wavPath, writer))
                return false;
            bStarted = true;
        }
        if (decoded > 0 && bStarted && !writer.Append({buffer.data(), decoded}))
            return false;
        if (result == MPG123_DONE || writer.IsFull())
            break;
        // Errors that resynchronisation could not mend end the sound where
        // they occur: what was decoded before them is kept.
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
            break;
    }
    return bStarted && writer.DataSize() > 0;
}

} // namespace

bool DecodeMp3ToWave(std::string mp3Path, std::string wavPath)
{
    if (mp3Path.empty() || wavPath.empty())
        return false;
    UniqueFile file(std::fopen(mp3Path.c_str(), "rb"));
    if (!file)
        return false;
    UniqueMpg123 decoder = OpenDecoder(file.get());
    if (!decoder)
        return false;
    CWaveWriter writer;
    return DecodeAll(decoder.get(), wavPath, writer) && writer.Commit();
}
