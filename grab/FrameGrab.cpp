#include "grab/FrameGrab.h"

#include "grab/BoxComposition.h"
#include "grab/PixelStretch.h"

namespace {

// The part of the requested source rectangle that the source DC can show.
std::optional<RECT> ReadableArea(HDC source, const RECT& wanted)
{
    RECT clip{};
    const int kind = ::GetClipBox(source, &clip);
    if (kind == ERROR)
        return std::nullopt;
    RECT readable{};
    if (kind == NULLREGION || !::IntersectRect(&readable, &clip, &wanted))
        return RECT{};
    return readable;
}

// The screen position of the window's client origin; nullopt for a window
// that is gone.
std::optional<POINT> ClientOriginOnScreen(HWND window)
{
    if (!::IsWindow(window))
        return std::nullopt;
    POINT origin{0, 0};
    if (!::ClientToScreen(window, &origin))
        return std::nullopt;
    return origin;
}

bool IsUsableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxDibSide && height <= kMaxDibSide;
}

// The box's screen rectangle as the screen shows it, windows over it included.
std::optional<CDibSectionDC> ReadScreenBox(HWND window)
{
    const std::optional<POINT> origin = ClientOriginOnScreen(window);
    if (!origin)
        return std::nullopt;
    // A window's own DC holds only its own pixels under a composing desktop
    // (and under Wine); the screen DC holds what lies over it as well.
    const win::WindowDC screen(nullptr);
    if (!screen)
        return std::nullopt;
    return CopyDcToDibSection(screen.get(), origin->x, origin->y, kGrabBoxWidth, kGrabBoxHeight);
}

win::UniqueBitmap ScaleBox(const CDibSectionDC& box, int width, int height)
{
    std::optional<CDibSectionDC> scaled = CDibSectionDC::Create(box.DC(), width, height);
    if (!scaled)
        return {};
    // Whole pixels are repeated when enlarging, so a doubled frame shows every
    // box pixel as a 2 x 2 block. The default mode would AND the pixels it
    // drops when shrinking and darken small frames; this one just drops them.
    ::SetStretchBltMode(scaled->DC(), COLORONCOLOR);
    if (!::StretchBlt(scaled->DC(), 0, 0, width, height, box.DC(), 0, 0, kGrabBoxWidth, kGrabBoxHeight, SRCCOPY))
        return {};
    return scaled->ReleaseBitmap();
}

// The same pixels as ScaleBox, picked in memory at a fraction of GDI's cost.
win::UniqueBitmap StretchInMemory(CDibSectionDC& box, int width, int height)
{
    if (width == kGrabBoxWidth && height == kGrabBoxHeight)
        return box.ReleaseBitmap();
    const std::shared_ptr<const CPixelStretch> stretch =
        CPixelStretch::For({kGrabBoxWidth, kGrabBoxHeight}, {width, height});
    std::optional<CDibSectionDC> scaled = CDibSectionDC::Create(box.DC(), width, height);
    if (!stretch || !scaled)
        return {};
    ::GdiFlush();
    stretch->Apply(box.Bits(), scaled->Bits());
    return scaled->ReleaseBitmap();
}

} // namespace

std::optional<CDibSectionDC> CopyDcToDibSection(HDC source, int x, int y, int width, int height)
{
    std::optional<CDibSectionDC> copy = CDibSectionDC::Create(source, width, height);
    if (!copy)
        return std::nullopt;
    const RECT wanted{x, y, x + width, y + height};
    const std::optional<RECT> readable = ReadableArea(source, wanted);
    if (!readable)
        return std::nullopt;
    if (::IsRectEmpty(&*readable))
        return copy;
    // CAPTUREBLT takes layered windows along, as the user sees them.
    if (!::BitBlt(copy->DC(), readable->left - x, readable->top - y, readable->right - readable->left,
                  readable->bottom - readable->top, source, readable->left, readable->top, SRCCOPY | CAPTUREBLT))
        return std::nullopt;
    return copy;
}

win::UniqueBitmap GrabDesignBox(HWND window, int width, int height)
{
    if (!::IsWindow(window) || !IsUsableSize(width, height))
        return {};
    if (std::optional<CDibSectionDC> composed = ComposeDesignBox(window))
        return StretchInMemory(*composed, width, height);
    return GrabScreenBox(window, width, height);
}

win::UniqueBitmap GrabScreenBox(HWND window, int width, int height)
{
    if (!IsUsableSize(width, height))
        return {};
    const std::optional<CDibSectionDC> box = ReadScreenBox(window);
    return box ? ScaleBox(*box, width, height) : win::UniqueBitmap{};
}
