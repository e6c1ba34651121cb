// Hostile BMP files: loading must never read outside the file's bytes, and
// whatever loads must save without touching memory outside its buffers. The
// banded conversion, which reads the file a few rows at a time, must write
// the very bytes the whole-file way writes, or leave the file to it.
#include "imaging/DibFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string ScratchPath(const char* extension)
{
    return "/dev/shm/tavrelin-fuzz-" + std::to_string(::getpid()) + extension;
}

std::vector<char> ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::string bmpPath = ScratchPath(".bmp");
    static const std::string jpegPath = ScratchPath(".jpg");
    static const std::string bandedPath = ScratchPath("-banded.jpg");
    FILE* file = std::fopen(bmpPath.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const uint16_t quality = static_cast<uint16_t>(size % 101);
    CDibFile dib;
    const bool loaded = dib.LoadFile(bmpPath.c_str());
    if (loaded && int64_t(dib.Width()) * dib.Height() > 1024 * 1024)
        return 0;
    const std::optional<EJpegSaveResult> banded =
        SaveBitmapFileAsJpegInBands(bmpPath.c_str(), bandedPath.c_str(), quality);
    if (!loaded) {
        if (banded)
            __builtin_trap();
        return 0;
    }
    const EJpegSaveResult whole = dib.SaveAsJpeg(jpegPath.c_str(), quality);
    if (banded &&
        (*banded != whole || (whole == EJpegSaveResult::Saved && ReadBytes(jpegPath) != ReadBytes(bandedPath))))
        __builtin_trap();
    std::remove(bandedPath.c_str());
    return 0;
}
