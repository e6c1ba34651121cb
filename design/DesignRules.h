#pragma once
// The portable rules of a design window: which pixels of a frame the window
// keeps, how long a frame stays, how far the zoom commands go.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavrelin {

// A design shows at most this many frames; a longer animation loops them.
inline constexpr int kMaxDesignFrames = 100;

// One horizontal stretch of kept pixels: columns left to right - 1 of row y.
struct SPixelRun {
    int left;
    int right;
    int y;
};

// Every frame of a design is held as a 24-bit bitmap while its window is
// open; beyond this many pixels in all frames together (384 MB of bitmaps)
// a 32-bit process may not find the memory, and the design is refused.
inline constexpr std::uint64_t kMostDesignPixels = std::uint64_t{128} << 20;

// Whether a design of `frames` frames of width x height may be prepared.
bool DesignFitsInMemory(int width, int height, unsigned frames);

// The kept pixels of a 24-bit picture (three bytes a pixel, rows `stride`
// bytes apart, first row on top) as runs, row by row from the top: every
// pixel whose colour differs from the top-left pixel's. Empty for an empty
// picture.
std::vector<SPixelRun> KeptPixelRuns(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride);

// The timer interval for a GIF's frame delay in hundredths of a second. No
// delay, 0 or 1 give 100 ms: such ticks would keep the machine busy for a
// picture that does not move that fast.
unsigned FrameIntervalMs(std::optional<unsigned> delayHundredths);

struct SWindowSize {
    int cx;
    int cy;
    bool operator==(const SWindowSize&) const = default;
};
// Four fifths, while both sides are above 10 pixels; otherwise unchanged.
SWindowSize ZoomedOut(SWindowSize size);
// Five fourths, while the window is narrower than 320 and lower than 240;
// otherwise unchanged.
SWindowSize ZoomedIn(SWindowSize size);

} // namespace tavrelin
