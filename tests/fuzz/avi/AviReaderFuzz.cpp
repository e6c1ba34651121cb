// Hostile AVI files: the reader walks any bytes without reading outside
// them, and every chunk it lists lies inside the file.
#include "avi/AviReader.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CAviReader reader;
    const auto read = [data, size](std::uint64_t offset, std::span<std::uint8_t> out) {
        if (offset >= size)
            return std::size_t{0};
        const std::size_t count = std::min<std::size_t>(out.size(), size - offset);
        std::copy_n(data + offset, count, out.begin());
        return count;
    };
    if (!reader.Parse(read, size))
        return 0;
    for (const AviChunkPlace& frame : reader.Video().frames) {
        if (frame.offset + frame.size > size)
            std::abort();
        reader.ReadChunk(frame);
    }
    if (reader.Audio())
        for (const AviChunkPlace& chunk : reader.Audio()->chunks)
            if (chunk.offset + chunk.size > size)
                std::abort();
    return 0;
}
