#include "skin/engine/frame/SkinScrollDrag.h"

namespace tavrelin::skin {
namespace {

constexpr UINT kScrollRepeatDelay = 400;
constexpr UINT kScrollRepeatInterval = 50;

// The scroll request a press on a part of the bar repeats.
WORD ScrollRequest(int part)
{
    switch (part) {
    case kScrollArrowBack:
        return SB_LINEUP;
    case kScrollArrowForward:
        return SB_LINEDOWN;
    case kScrollTrackBack:
        return SB_PAGEUP;
    default:
        return SB_PAGEDOWN;
    }
}

} // namespace

SCROLLINFO ReadSkinScrollInfo(HWND window, int bar)
{
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(window, bar, &info))
        info = SCROLLINFO{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    return info;
}

void DragSkinScrollBar(const SkinScrollDrag& drag, POINT start)
{
    SkinScrollBarState& bar = *drag.state;
    const bool bVertical = bar.vertical;
    const UINT scrollMessage = bVertical ? WM_VSCROLL : WM_HSCROLL;
    const auto notify = [&](WPARAM request) { ::SendMessageA(drag.notify, scrollMessage, request, drag.control); };
    SCROLLINFO info = ReadSkinScrollInfo(drag.window, drag.bar);
    SkinScrollLayout layout = LayoutSkinScrollBar(bar.rect, bVertical, info, info.nPos);
    const int part = HitSkinScrollBar(layout, start);
    if (part == kScrollNone)
        return;
    const int grab = bVertical ? start.y - layout.parts[kScrollThumb].top : start.x - layout.parts[kScrollThumb].left;
    const int trackStart = bVertical ? layout.parts[kScrollArrowBack].bottom : layout.parts[kScrollArrowBack].right;
    bar.pressed = part;
    bar.tracking = part == kScrollThumb;
    bar.trackPosition = info.nPos;
    ::SetCapture(drag.window);
    if (part != kScrollThumb)
        notify(ScrollRequest(part));
    drag.repaint();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kScrollRepeatDelay, nullptr);
    MSG message{};
    while (drag.next(message)) {
        if (message.message == WM_LBUTTONUP)
            break;
        const POINT point = drag.toBar(message.pt);
        if (message.message == WM_MOUSEMOVE && part == kScrollThumb) {
            const int offset = (bVertical ? point.y : point.x) - grab - trackStart;
            const int position = SkinScrollPositionAt(layout, bVertical, info, offset);
            if (position != bar.trackPosition) {
                bar.trackPosition = position;
                notify(MAKEWPARAM(SB_THUMBTRACK, position & 0xFFFF));
                drag.repaint();
            }
            continue;
        }
        if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer) {
            ::SetTimer(nullptr, timer, kScrollRepeatInterval, nullptr);
            info = ReadSkinScrollInfo(drag.window, drag.bar);
            layout = LayoutSkinScrollBar(bar.rect, bVertical, info, info.nPos);
            if (part != kScrollThumb && HitSkinScrollBar(layout, point) == part)
                notify(ScrollRequest(part));
            continue;
        }
        if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSELEAVE)
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    ::KillTimer(nullptr, timer);
    drag.finished();
    if (!::IsWindow(drag.window))
        return;
    if (::GetCapture() == drag.window)
        ::ReleaseCapture();
    if (part == kScrollThumb && !drag.cancelled())
        notify(MAKEWPARAM(SB_THUMBPOSITION, bar.trackPosition & 0xFFFF));
    notify(SB_ENDSCROLL);
    bar.pressed = kScrollNone;
    bar.tracking = false;
    drag.repaint();
}

} // namespace tavrelin::skin
