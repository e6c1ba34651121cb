// Hostile WAV files: the reader finds the format and the sound without
// reading outside the file, and hands out exactly the whole blocks of sound
// the file holds.
#include "riff/WaveFile.h"

#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/dev/shm/tavrelin-wave-fuzz-" + std::to_string(::getpid()) + ".wav";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CWaveFile wave;
    // A recording cut short is read to the file's end whatever its header says.
    const bool toFileEnd = size > 0 && (data[size - 1] & 1) != 0;
    if (wave.Open(path, toFileEnd) != CWaveFile::EOpenResult::ok)
        return 0;
    const WaveFormat& format = wave.Format();
    if (format.nBlockAlign == 0 || wave.DataSize() % format.nBlockAlign != 0 || wave.DataSize() > size)
        __builtin_trap();
    std::array<std::uint8_t, 1000> buffer{};
    std::uint64_t total = 0;
    for (std::size_t piece = 1 + size % 997; std::size_t read = wave.Read(std::span(buffer).first(piece));)
        total += read;
    if (total != wave.DataSize())
        __builtin_trap();
    return 0;
}
