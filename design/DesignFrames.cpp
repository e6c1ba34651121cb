#include "design/DesignFrames.h"

#include "design/DesignRules.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace tavrelin {

namespace {

// Runs this many or fewer go into a region in one call.
constexpr size_t kRunsPerCall = 32;

// One call for a few runs: the system adds a region's rectangles one at a
// time (Wine merges each into all before it), so a frame's thousands of
// runs in one call would cost as much as the pixel-by-pixel way.
win::UniqueRegion RegionOfFewRuns(const SPixelRun* runs, size_t count)
{
    struct {
        RGNDATAHEADER header;
        RECT rects[kRunsPerCall];
    } data{};
    data.header.dwSize = sizeof data.header;
    data.header.iType = RDH_RECTANGLES;
    data.header.nCount = static_cast<DWORD>(count);
    data.header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    data.header.rcBound = {runs[0].left, runs[0].y, runs[0].right, runs[count - 1].y + 1};
    for (size_t i = 0; i < count; ++i) {
        data.rects[i] = {runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
        data.header.rcBound.left = std::min<LONG>(data.header.rcBound.left, runs[i].left);
        data.header.rcBound.right = std::max<LONG>(data.header.rcBound.right, runs[i].right);
    }
    return win::UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof data.header + count * sizeof(RECT)),
                                               reinterpret_cast<const RGNDATA*>(&data)));
}

// Halves joined by union: the runs come row by row, so the halves barely
// overlap in rows and each union costs about the size of its two parts.
win::UniqueRegion RegionOfRuns(const SPixelRun* runs, size_t count)
{
    if (count <= kRunsPerCall)
        return RegionOfFewRuns(runs, count);
    win::UniqueRegion first = RegionOfRuns(runs, count / 2);
    const win::UniqueRegion second = RegionOfRuns(runs + count / 2, count - count / 2);
    if (!first || !second || ::CombineRgn(first.get(), first.get(), second.get(), RGN_OR) == ERROR)
        return {};
    return first;
}

} // namespace

win::UniqueRegion BuildFrameRegion(HBITMAP frame)
{
    BITMAP shape{};
    if (!::GetObjectA(frame, sizeof shape, &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0)
        return {};
    const int width = shape.bmWidth;
    const int height = shape.bmHeight;
    // The rows are read as 24-bit top-down rows, whatever the bitmap's kind.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const std::ptrdiff_t stride = (static_cast<std::ptrdiff_t>(width) * 3 + 3) & ~std::ptrdiff_t{3};
    std::vector<SPixelRun> runs;
    // A huge frame whose bitmap could still be made may not fit twice more
    // in memory: the animation then ends before it.
    try {
        std::vector<std::uint8_t> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
        const win::WindowDC screen(nullptr);
        if (::GetDIBits(screen.get(), frame, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) !=
            height)
            return {};
        runs = KeptPixelRuns(pixels.data(), width, height, stride);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (runs.empty())
        return win::UniqueRegion(::CreateRectRgn(0, 0, 0, 0));
    return RegionOfRuns(runs.data(), runs.size());
}

std::optional<SDesignFrames> LoadDesignFrames(const std::string& gifPath)
{
    SDesignFrames design;
    design.image = gdiplus::CImage::Load(gifPath);
    const std::optional<SIZE> size = design.image.Size();
    if (!size || size->cx <= 0 || size->cy <= 0)
        return std::nullopt;
    design.size = *size;
    design.intervalMs = FrameIntervalMs(design.image.FrameDelay());
    const UINT count = std::min<UINT>(design.image.FrameCount().value_or(1), kMaxDesignFrames);
    if (!DesignFitsInMemory(size->cx, size->cy, count))
        return std::nullopt;
    for (UINT index = 0; index < count; ++index) {
        // A still picture has no time dimension: its only frame is already active.
        if (count > 1 && !design.image.SelectFrame(index))
            break;
        win::UniqueBitmap frame = design.image.ToDibSection();
        win::UniqueRegion region = frame ? BuildFrameRegion(frame.get()) : win::UniqueRegion();
        if (!region)
            break;
        design.frames.push_back(std::move(frame));
        design.regions.push_back(std::move(region));
    }
    if (design.frames.empty())
        return std::nullopt;
    return design;
}

} // namespace tavrelin
