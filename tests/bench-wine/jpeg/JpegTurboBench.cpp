// Our JPEG encoder against libjpeg-turbo's TurboJPEG API built for the same
// target, in one process: 4:2:0 with the fast integer DCT on both sides, the
// same camera-like pictures. Prints processor milliseconds per picture (the
// fastest of a few batches) and
// the ratio turbo / ours, above 1 where ours is faster: for the path this
// processor gets, then for every other path it runs. A measurement, not a
// test. Run: wine-run.sh jpeg_turbo_bench.exe [copy of the table]
#include "CameraPicture.h"
#include "imaging/JpegEncoder.h"

#include <turbojpeg.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kBatches = 3;
constexpr double kBatchMilliseconds = 300;

// This thread's processor time: on a shared machine other work then barely
// moves the figures. Wine counts it in 10 ms ticks, hence long batches.
double CpuMilliseconds()
{
    FILETIME creation, exit, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &creation, &exit, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return double((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e4;
}

// Milliseconds of one call, the fastest of a few batches.
double MillisecondsPerCall(const std::function<void()>& call)
{
    int calls = 0;
    const double start = CpuMilliseconds();
    while (CpuMilliseconds() - start < 50 || calls < 2) {
        call();
        ++calls;
    }
    const double once = (CpuMilliseconds() - start) / calls;
    const int perBatch = std::max(1, int(kBatchMilliseconds / once));
    double best = 1e30;
    for (int batch = 0; batch < kBatches; ++batch) {
        const double batchStart = CpuMilliseconds();
        for (int i = 0; i < perBatch; ++i)
            call();
        best = std::min(best, (CpuMilliseconds() - batchStart) / perBatch);
    }
    return best;
}

double OursMilliseconds(const SCameraPicture& picture, int quality, const SJpegPath& path)
{
    CJpegEncoder encoder(static_cast<uint16_t>(quality), path);
    std::vector<uint8_t> output(CJpegEncoder::MaxEncodedSize(picture.width, picture.height));
    std::size_t length = 0;
    return MillisecondsPerCall([&] {
        if (!encoder.Encode(picture.bits.data(), output.data(), output.size(), picture.width, picture.height, length))
            std::fprintf(stderr, "our encoder failed\n");
    });
}

double TurboMilliseconds(const SCameraPicture& picture, int quality)
{
    tjhandle handle = tjInitCompress();
    unsigned long capacity = tjBufSize(picture.width, picture.height, TJSAMP_420);
    std::vector<unsigned char> output(capacity);
    const double milliseconds = MillisecondsPerCall([&] {
        unsigned char* target = output.data();
        unsigned long length = capacity;
        if (tjCompress2(handle, picture.bits.data(), picture.width, int(picture.stride), picture.height, TJPF_BGR,
                        &target, &length, TJSAMP_420, quality,
                        TJFLAG_BOTTOMUP | TJFLAG_FASTDCT | TJFLAG_NOREALLOC) != 0)
            std::fprintf(stderr, "TurboJPEG: %s\n", tjGetErrorStr2(handle));
    });
    tjDestroy(handle);
    return milliseconds;
}

class CReport {
public:
    explicit CReport(const char* path) : m_pFile(path ? std::fopen(path, "w") : nullptr) {}
    ~CReport()
    {
        if (m_pFile)
            std::fclose(m_pFile);
    }
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;

    void Line(const std::string& text)
    {
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
        if (m_pFile)
            std::fprintf(m_pFile, "%s\n", text.c_str());
    }

private:
    std::FILE* m_pFile;
};

std::string Row(const char* picture, const char* path, double ours, double turbo)
{
    char text[160];
    std::snprintf(text, sizeof text, "| %-14s | %-8s | %8.2f | %8.2f | %5.2f |", picture, path, ours, turbo,
                  turbo / ours);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    CReport report(argc > 1 ? argv[1] : nullptr);
#if defined(_WIN64)
    report.Line("JPEG encoding, 64-bit build; chosen path: " + std::string(DefaultJpegPath().name));
#else
    report.Line("JPEG encoding, 32-bit build; chosen path: " + std::string(DefaultJpegPath().name));
#endif
    report.Line("| picture        | path     | ours ms  | turbo ms | ratio |");
    report.Line("|---|---|---|---|---|");
    struct SSize {
        int width, height;
    };
    for (const SSize size : {SSize{640, 480}, SSize{1920, 1080}}) {
        const SCameraPicture picture = MakeCameraPicture(size.width, size.height);
        for (const int quality : {100, 75}) {
            const std::string name =
                std::to_string(size.width) + "x" + std::to_string(size.height) + "/q" + std::to_string(quality);
            const double turbo = TurboMilliseconds(picture, quality);
            report.Line(Row(name.c_str(), DefaultJpegPath().name, OursMilliseconds(picture, quality, DefaultJpegPath()),
                            turbo));
            for (const SJpegPath& path : JpegPaths())
                if (path.isSupported() && &path != &DefaultJpegPath())
                    report.Line(Row(name.c_str(), path.name, OursMilliseconds(picture, quality, path), turbo));
        }
    }
    return 0;
}
