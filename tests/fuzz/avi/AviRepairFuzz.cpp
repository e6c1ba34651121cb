// Feeds damaged AVI files to the start-up repair. A file the repair leaves
// alone must be unchanged, byte for byte; a repaired one must be finished:
// a second repair finds nothing to do.
#include "avi/AviRepair.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string WorkFolder()
{
    static const std::string folder = [] {
        // Memory-backed, so that the flushes to disk cost nothing.
        char pattern[] = "/dev/shm/avi-repair-fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        return made != nullptr ? std::string(made) + "/" : std::string("./");
    }();
    return folder;
}

void WriteBytes(const std::string& path, const std::uint8_t* pData, std::size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(size));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// One second of 8000 Hz mono 16-bit silence with a canonical header.
void WriteSound(const std::string& path)
{
    std::vector<std::uint8_t> wave = {'R', 'I', 'F', 'F', 0xA4, 0x3E, 0,   0,   'W', 'A',  'V',  'E',  'f', 'm',  't',
                                      ' ', 16,  0,   0,   0,    1,    0,   1,   0,   0x40, 0x1F, 0,    0,   0x80, 0x3E,
                                      0,   0,   2,   0,   16,   0,    'd', 'a', 't', 'a',  0x80, 0x3E, 0,   0};
    wave.resize(wave.size() + 16000);
    WriteBytes(path, wave.data(), wave.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size)
{
    const std::string path = WorkFolder() + "input.avi";
    const std::string soundPath = WorkFolder() + "sound.wav";
    WriteBytes(path, pData, size);
    AviRepairOptions options;
    // Small RIFFs, so that short inputs reach the extended index code.
    options.segmentLimit = 16 * 1024;
    if (size > 0 && (pData[size - 1] & 1) != 0) {
        WriteSound(soundPath);
        options.wavPath = soundPath;
    }
    AviNeedsRepair(path);
    const EAviRepair result = RepairAvi(path, options);
    if (result == EAviRepair::repaired) {
        if (AviNeedsRepair(path) || RepairAvi(path, options) != EAviRepair::complete)
            __builtin_trap();
    } else {
        const std::vector<std::uint8_t> after = ReadBytes(path);
        if (after.size() != size || (size > 0 && !std::equal(after.begin(), after.end(), pData)))
            __builtin_trap();
    }
    std::remove(path.c_str());
    return 0;
}
