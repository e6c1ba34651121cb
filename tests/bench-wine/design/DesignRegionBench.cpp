// Window shapes of design frames: built from runs against built pixel by
// pixel, on frames with many cut-out pixels, and the whole opening of a GIF.
// Run by hand under Wine:
//   design_region_bench.exe [GIF]      (a GIF of 100 frames: make-bench-gif.sh)
#include "design/DesignFrames.h"

#include "ReferenceRegion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

double MedianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Blobs of the key colour over a design: about a third of the pixels cut
// out, in runs of a few pixels as around a drawn frame's edges.
win::UniqueBitmap NoisyFrame(int width, int height, int* cutOut)
{
    void* bits = nullptr;
    win::UniqueBitmap frame = gdiplus::CreateDibSection24(width, height, &bits);
    std::mt19937 random(5);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    *cutOut = 0;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<unsigned char*>(bits) + y * stride;
        for (int x = 0; x < width; ++x) {
            const bool key = (x == 0 && y == 0) || random() % 3 == 0;
            *cutOut += key;
            row[3 * x] = key ? 0xFF : 0x20;
            row[3 * x + 1] = key ? 0xFF : static_cast<unsigned char>(x);
            row[3 * x + 2] = key ? 0xFF : static_cast<unsigned char>(y);
        }
    }
    return frame;
}

} // namespace

int main(int argc, char** argv)
{
    gdiplus::CGdiplusSession gdiplus;
    std::printf("%-28s %12s %14s %8s %s\n", "frame", "runs (ms)", "per pixel (ms)", "ratio", "EqualRgn");
    for (const SIZE size : {SIZE{320, 240}, SIZE{640, 480}}) {
        int cutOut = 0;
        const win::UniqueBitmap frame = NoisyFrame(size.cx, size.cy, &cutOut);
        const double runs = MedianMs(9, [&] { tavrelin::BuildFrameRegion(frame.get()); });
        const double plain = MedianMs(3, [&] { ::DeleteObject(designtest::BuildReferenceRegion(frame.get())); });
        const win::UniqueRegion built = tavrelin::BuildFrameRegion(frame.get());
        const win::UniqueRegion reference(designtest::BuildReferenceRegion(frame.get()));
        char name[64];
        std::snprintf(name, sizeof name, "%ld x %ld, %d cut out", size.cx, size.cy, cutOut);
        std::printf("%-28s %12.2f %14.1f %7.0fx %s\n", name, runs, plain, plain / runs,
                    ::EqualRgn(built.get(), reference.get()) ? "true" : "FALSE");
    }
    if (argc > 1) {
        size_t frames = 0;
        const double open = MedianMs(3, [&] {
            const auto design = tavrelin::LoadDesignFrames(argv[1]);
            frames = design ? design->frames.size() : 0;
        });
        const auto design = tavrelin::LoadDesignFrames(argv[1]);
        double plain = 0;
        bool equal = design.has_value();
        if (design) {
            const auto start = std::chrono::steady_clock::now();
            for (size_t k = 0; k < design->frames.size(); ++k) {
                const win::UniqueRegion reference(designtest::BuildReferenceRegion(design->frames[k].get()));
                equal = equal && ::EqualRgn(reference.get(), design->regions[k].get());
            }
            plain = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        std::printf("open %zu frames: %.1f ms; their shapes pixel by pixel alone: %.1f ms; EqualRgn for all: %s\n",
                    frames, open, plain, equal ? "true" : "FALSE");
    }
    return 0;
}
