#include "design/DesignFrames.h"

#include "design/DesignRules.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tavrelin {

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
    std::vector<std::uint8_t> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    const win::WindowDC screen(nullptr);
    if (::GetDIBits(screen.get(), frame, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height)
        return {};
    const std::vector<SPixelRun> runs = KeptPixelRuns(pixels.data(), width, height, stride);

    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(runs.size());
    header.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    header.rcBound = {0, 0, width, height};
    std::memcpy(data.data(), &header, sizeof header);
    auto* rects = data.data() + sizeof header;
    for (size_t i = 0; i < runs.size(); ++i) {
        const RECT rect{runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
        std::memcpy(rects + i * sizeof(RECT), &rect, sizeof rect);
    }
    return win::UniqueRegion(
        ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
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
