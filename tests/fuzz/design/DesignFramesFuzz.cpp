// A design frame's pixels, delay and size as the platform hands them over:
// the kept runs are exactly the pixels unlike the top-left one, each row's
// runs apart and in order; the frame pace and the zoom steps stay in range.
#include "design/DesignRules.h"

#include <cstdint>
#include <cstring>
#include <vector>

using namespace tavrelin;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckRuns(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride)
{
    const std::vector<SPixelRun> runs = KeptPixelRuns(pixels, width, height, stride);
    std::vector<bool> kept(static_cast<std::size_t>(width) * height, false);
    const SPixelRun* previous = nullptr;
    for (const SPixelRun& run : runs) {
        Check(run.y >= 0 && run.y < height && run.left >= 0 && run.left < run.right && run.right <= width);
        if (previous != nullptr)
            Check(run.y > previous->y || (run.y == previous->y && run.left > previous->right));
        for (int x = run.left; x < run.right; ++x)
            kept[static_cast<std::size_t>(run.y) * width + x] = true;
        previous = &run;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Check(kept[static_cast<std::size_t>(y) * width + x] ==
                  (std::memcmp(pixels + y * stride + 3 * x, pixels, 3) != 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return 0;
    std::uint32_t delay = 0;
    std::memcpy(&delay, data, sizeof delay);
    const unsigned interval = FrameIntervalMs(data[4] & 1 ? std::optional<unsigned>(delay) : std::nullopt);
    Check(interval >= 10 && interval <= 0x7FFFFFFF);
    const SWindowSize shown{1 + 2 * data[5], 1 + 2 * data[6]};
    const SWindowSize in = ZoomedIn(shown), out = ZoomedOut(shown);
    Check(in.cx >= shown.cx && in.cy >= shown.cy && out.cx > 0 && out.cx <= shown.cx && out.cy > 0 &&
          out.cy <= shown.cy);
    // The rest is a frame: 1 to 64 pixels wide, its rows padded as a DIB's.
    const int width = 1 + data[7] % 64;
    const std::ptrdiff_t stride = (3 * width + 3) & ~3;
    const std::size_t pixelBytes = size - 8;
    const int height = static_cast<int>(pixelBytes / static_cast<std::size_t>(stride));
    if (height > 0)
        CheckRuns(data + 8, width, height, stride);
    return 0;
}
