// Hostile MP3 files: the decoder never reads outside its buffers and either
// leaves no WAV file or one that holds 16-bit PCM sound in one or two
// channels, as the recording expects.
#include "audio/Mp3Decoder.h"
#include "riff/WaveFile.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string stem = "/dev/shm/tavrelin-mp3-fuzz-" + std::to_string(::getpid());
    static const std::string mp3Path = stem + ".mp3", wavPath = stem + ".wav";
    std::FILE* file = std::fopen(mp3Path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    std::remove(wavPath.c_str());
    DecodeMp3ToWave(mp3Path, wavPath);
    CWaveFile wave;
    const CWaveFile::EOpenResult opened = wave.Open(wavPath);
    if (opened == CWaveFile::EOpenResult::cannotOpen)
        return 0;
    const WaveFormat& format = wave.Format();
    if (opened != CWaveFile::EOpenResult::ok || format.wFormatTag != kWaveFormatPcm || format.wBitsPerSample != 16 ||
        (format.nChannels != 1 && format.nChannels != 2) || wave.DataSize() == 0)
        __builtin_trap();
    return 0;
}
