// Hostile BMP files: loading must never read outside the file's bytes, and
// whatever loads must save without touching memory outside its buffers.
#include "imaging/DibFile.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::string bmpPath = "/tmp/tavrelin-fuzz-" + std::to_string(::getpid()) + ".bmp";
    static const std::string jpegPath = "/tmp/tavrelin-fuzz-" + std::to_string(::getpid()) + ".jpg";
    FILE* file = std::fopen(bmpPath.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CDibFile dib;
    if (dib.LoadFile(bmpPath.c_str()) && int64_t(dib.Width()) * dib.Height() <= 4096 * 4096)
        dib.SaveAsJpeg(jpegPath.c_str(), static_cast<uint16_t>(size));
    return 0;
}
