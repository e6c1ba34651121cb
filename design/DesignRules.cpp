#include "design/DesignRules.h"

#include <algorithm>
#include <cstring>

namespace tavrelin {

namespace {

constexpr unsigned kDefaultIntervalMs = 100;
// The longest interval a window timer takes.
constexpr unsigned kLongestIntervalMs = 0x7FFFFFFF;

} // namespace

std::vector<SPixelRun> KeptPixelRuns(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride)
{
    std::vector<SPixelRun> runs;
    if (!pixels || width <= 0 || height <= 0)
        return runs;
    std::uint8_t key[3];
    std::memcpy(key, pixels, sizeof key);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + y * stride;
        int x = 0;
        while (x < width) {
            while (x < width && std::memcmp(row + 3 * x, key, 3) == 0)
                ++x;
            const int left = x;
            while (x < width && std::memcmp(row + 3 * x, key, 3) != 0)
                ++x;
            if (x > left)
                runs.push_back({left, x, y});
        }
    }
    return runs;
}

bool DesignFitsInMemory(int width, int height, unsigned frames)
{
    return width > 0 && height > 0 &&
           std::uint64_t(width) * std::uint64_t(height) * std::max(frames, 1u) <= kMostDesignPixels;
}

unsigned FrameIntervalMs(std::optional<unsigned> delayHundredths)
{
    if (!delayHundredths || *delayHundredths <= 1)
        return kDefaultIntervalMs;
    if (*delayHundredths > kLongestIntervalMs / 10)
        return kLongestIntervalMs;
    return *delayHundredths * 10;
}

SWindowSize ZoomedOut(SWindowSize size)
{
    if (size.cx <= 10 || size.cy <= 10)
        return size;
    return {size.cx * 80 / 100, size.cy * 80 / 100};
}

SWindowSize ZoomedIn(SWindowSize size)
{
    if (size.cx >= 320 || size.cy >= 240)
        return size;
    return {size.cx * 100 / 80, size.cy * 100 / 80};
}

} // namespace tavrelin
