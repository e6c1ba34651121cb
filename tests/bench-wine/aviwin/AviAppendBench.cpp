// Cost of appending one frame to an AVI file on Windows, uncompressed and
// through our Motion-JPEG codec, at the picture sizes a camera gives.
// Prints one line per case: size, codec, milliseconds per frame. A second
// table gives the cost of the refresh that keeps a growing file playable:
// uncompressed frames with the headers refreshed and flushed to disk after
// every frame against never.

#include "aviwin/AviFileWriter.h"
#include "aviwin/MotionJpegCodec.h"
#include "grab/DibSectionDC.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDistinctFrames = 4;

struct BenchCase {
    int width;
    int height;
    DWORD fccHandler;
    int frames;
    std::chrono::milliseconds refresh = kDefaultRefreshInterval;
};

// Smooth pictures with a moving edge, like a camera's, so the encoder does typical work.
std::vector<win::UniqueBitmap> MakeFrames(int width, int height)
{
    std::vector<win::UniqueBitmap> frames;
    for (int frameNumber = 0; frameNumber < kDistinctFrames; ++frameNumber) {
        auto surface = CDibSectionDC::Create(nullptr, width, height);
        if (!surface)
            return {};
        win::UniqueBitmap bitmap = surface->ReleaseBitmap();
        DIBSECTION section{};
        ::GetObjectW(bitmap.get(), sizeof(section), &section);
        auto* pBits = static_cast<std::uint8_t*>(section.dsBm.bmBits);
        const int stride = (width * 3 + 3) / 4 * 4;
        for (int row = 0; row < height; ++row) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t* pPixel = pBits + static_cast<std::size_t>(row) * stride + x * 3;
                pPixel[0] = static_cast<std::uint8_t>(x / 3 + frameNumber * 5);
                pPixel[1] = static_cast<std::uint8_t>(row / 2 + ((x + frameNumber * 8) % 64 < 32 ? 40 : 0));
                pPixel[2] = static_cast<std::uint8_t>(255 - (x + row) / 5);
            }
        }
        frames.push_back(std::move(bitmap));
    }
    return frames;
}

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds per appended frame; negative when the writer failed.
double MeasureAppend(const BenchCase& benchCase, const std::string& path)
{
    const std::vector<win::UniqueBitmap> frames = MakeFrames(benchCase.width, benchCase.height);
    if (frames.empty())
        return -1;
    CAviFileWriter writer;
    auto pWriter = writer.AviOpen(path.c_str(), 100, nullptr);
    AVICOMPRESSOPTIONS options{};
    options.fccHandler = benchCase.fccHandler;
    if (!pWriter || writer.AviConfigureVideo(pWriter.get(), frames[0].get(), &options, FALSE, nullptr) != AVIERR_OK)
        return -1;
    pWriter->m_container.SetRefreshInterval(benchCase.refresh);
    // The first frame starts the codec's sequence; it is not what a recording pays per frame.
    writer.AviAppendFrame(pWriter.get(), frames[0].get());
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    for (int frameNumber = 0; frameNumber < benchCase.frames; ++frameNumber) {
        if (writer.AviAppendFrame(pWriter.get(), frames[frameNumber % kDistinctFrames].get()) != AVIERR_OK)
            return -1;
    }
    ::QueryPerformanceCounter(&end);
    writer.AviClose(std::move(pWriter));
    return Seconds(start, end) * 1000.0 / benchCase.frames;
}

} // namespace

int main(int argc, char** argv)
{
    if (!InstallMotionJpegCompressor()) {
        std::fprintf(stderr, "the Motion-JPEG codec could not be installed\n");
        return 2;
    }
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const std::string path = (folder / "aviwin-bench.avi").string();
    const DWORD uncompressed = mmioFOURCC('D', 'I', 'B', ' ');
    const BenchCase cases[] = {{320, 240, uncompressed, 400},
                               {640, 480, uncompressed, 200},
                               {320, 240, kFourccMotionJpeg, 200},
                               {640, 480, kFourccMotionJpeg, 100}};
    int status = 0;
    for (const BenchCase& benchCase : cases) {
        const double milliseconds = MeasureAppend(benchCase, path);
        const char* pszCodec = benchCase.fccHandler == uncompressed ? "uncompressed" : "Motion-JPEG";
        std::printf("%dx%d %-12s %8.3f ms/frame\n", benchCase.width, benchCase.height, pszCodec, milliseconds);
        status = milliseconds < 0 ? 1 : status;
    }
    for (const auto& [name, refresh] : {std::pair{"never", std::chrono::milliseconds::max()},
                                        std::pair{"every frame", std::chrono::milliseconds(0)}}) {
        const double milliseconds = MeasureAppend({640, 480, uncompressed, 200, refresh}, path);
        std::printf("640x480 uncompressed, refresh %-12s %8.3f ms/frame\n", name, milliseconds);
        status = milliseconds < 0 ? 1 : status;
    }
    std::error_code error;
    std::filesystem::remove(path, error);
    return status;
}
