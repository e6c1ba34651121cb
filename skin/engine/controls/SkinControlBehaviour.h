#pragma once
// How a control object behaves around its painting: the mouse's hot areas,
// the paint messages answered, and the off-screen canvas every paint goes
// through so that a control never flickers.

#include "win/OffscreenBuffer.h"
#include "win/UniqueHandle.h"

#include <windows.h>

namespace tavrelin::skin {

// Asks for WM_MOUSELEAVE once the mouse leaves the control.
void RequestMouseLeave(HWND control);

// Whether the point lies in the rectangle, stored in hot; a change repaints
// the whole control (no erase), and becoming hot asks for WM_MOUSELEAVE.
void TrackHotArea(HWND control, const RECT& area, POINT point, bool& hot);

// The client position of a mouse message's lParam.
POINT MousePoint(LPARAM lParam);

// For WM_MOUSEMOVE the mouse's position, for WM_MOUSELEAVE a point outside
// every control; false for other messages.
bool HotTrackingPoint(UINT message, LPARAM lParam, POINT& point);

// WM_ERASEBKGND (nothing erased: the paint covers everything), WM_PAINT and
// WM_PRINTCLIENT for the client area, answered through paint(HDC); false
// for other messages.
template <class Paint>
bool AnswerPaintMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, Paint paint)
{
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        win::PaintDC dc(control);
        paint(dc.get());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        if (!(lParam & PRF_CLIENT))
            return false;
        paint(reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
    default:
        return false;
    }
}

// The steps around a control's paint: the picture is drawn off screen, in
// the control's client coordinates, and shown in one copy. Kept by the
// object between paints, so that the buffer is made once per size.
class CSkinControlCanvas {
public:
    // draw(dc, client) over the whole client area; false when GDI has no
    // room for the buffer (nothing is drawn then).
    template <class Draw>
    bool Paint(HWND control, HDC target, Draw draw)
    {
        RECT client{};
        ::GetClientRect(control, &client);
        return PaintArea(target, client, [&](HDC dc) { draw(dc, client); });
    }

    // draw(dc) for a part of the client area: only the area is shown.
    template <class Draw>
    bool PaintArea(HDC target, const RECT& area, Draw draw)
    {
        if (::IsRectEmpty(&area))
            return false;
        HDC dc = m_buffer.Prepare(target, area.right, area.bottom);
        if (!dc)
            return false;
        draw(dc);
        m_buffer.CopyTo(target, area);
        return true;
    }

private:
    win::COffscreenBuffer m_buffer;
};

} // namespace tavrelin::skin
