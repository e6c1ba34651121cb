#include "grab/FrameGrab.h"

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
    const std::optional<POINT> origin = ClientOriginOnScreen(window);
    if (!origin || width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide)
        return {};
    // A window's own DC holds only its own pixels under a composing desktop
    // (and under Wine); the screen DC holds what lies over it as well.
    const win::WindowDC screen(nullptr);
    if (!screen)
        return {};
    const std::optional<CDibSectionDC> box =
        CopyDcToDibSection(screen.get(), origin->x, origin->y, kGrabBoxWidth, kGrabBoxHeight);
    if (!box)
        return {};
    std::optional<CDibSectionDC> scaled = CDibSectionDC::Create(box->DC(), width, height);
    if (!scaled)
        return {};
    // Whole pixels are repeated when enlarging, so a doubled frame shows every
    // screen pixel as a 2 x 2 block. The default mode would AND the pixels it
    // drops when shrinking and darken small frames; this one just drops them.
    ::SetStretchBltMode(scaled->DC(), COLORONCOLOR);
    if (!::StretchBlt(scaled->DC(), 0, 0, width, height, box->DC(), 0, 0, kGrabBoxWidth, kGrabBoxHeight, SRCCOPY))
        return {};
    return scaled->ReleaseBitmap();
}
