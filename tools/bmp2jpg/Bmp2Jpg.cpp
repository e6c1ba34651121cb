// bmp2jpg IN.bmp OUT.jpg [QUALITY]: the snapshot's bitmap-to-JPEG step as a
// command, for checking pictures outside the program.
#include "imaging/DibFile.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

enum EExitCode { kSaved = 0, kUnreadable = 1, kUsage = 2, kUnsupported = 3, kCannotCreate = 4, kFailed = 5 };

bool ParseQuality(const char* text, uint16_t& quality)
{
    const char* end = text + std::strlen(text);
    unsigned value = 0;
    const auto [rest, error] = std::from_chars(text, end, value);
    if (error != std::errc() || rest != end || value > 65535)
        return false;
    quality = static_cast<uint16_t>(value);
    return true;
}

int Report(EJpegSaveResult result, const char* target)
{
    switch (result) {
    case EJpegSaveResult::Saved:
        return kSaved;
    case EJpegSaveResult::UnsupportedBitmap:
        std::fprintf(stderr, "bmp2jpg: only uncompressed bottom-up 24-bit bitmaps can be saved\n");
        return kUnsupported;
    case EJpegSaveResult::CannotCreateFile:
        std::fprintf(stderr, "Can not create jpg file!\n");
        return kCannotCreate;
    case EJpegSaveResult::NothingLoaded:
    case EJpegSaveResult::WriteFailed:
    case EJpegSaveResult::OutOfMemory:
        break;
    }
    std::fprintf(stderr, "bmp2jpg: writing %s failed\n", target);
    return kFailed;
}

} // namespace

int main(int argc, char** argv)
{
    uint16_t quality = 100;
    if (argc < 3 || argc > 4 || (argc == 4 && !ParseQuality(argv[3], quality))) {
        std::fprintf(stderr, "usage: bmp2jpg IN.bmp OUT.jpg [QUALITY 0..65535, default 100]\n");
        return kUsage;
    }
    // A large picture need not be held whole; a file the band reader does not
    // take gets the snapshot's own answer.
    if (const std::optional<EJpegSaveResult> saved = SaveBitmapFileAsJpegInBands(argv[1], argv[2], quality))
        return Report(*saved, argv[2]);
    CDibFile dib;
    if (!dib.LoadFile(argv[1])) {
        std::fprintf(stderr, "bmp2jpg: %s is not a readable BMP file\n", argv[1]);
        return kUnreadable;
    }
    return Report(dib.SaveAsJpeg(argv[2], quality), argv[2]);
}
