#pragma once
// What the control skin objects share: the parent's background brush, the
// keyboard-cue state, mouse-leave requests and the control's font.

#include "skin/engine/draw/SkinMetrics.h"
#include "win/UniqueHandle.h"

#include <windows.h>

namespace tavrelin::skin {

// Fills the rectangle as the parent wants the control's background: the
// brush it answers to the colour message, a system colour index + 1 for
// answers up to 30 (taken from the metrics), else the metrics button face.
void FillParentBackground(HWND control, UINT colorMessage, HDC dc, const RECT& rect, const CSkinMetrics& metrics);

// WM_QUERYUISTATE flags of the control.
bool HidesFocusCues(HWND control);
bool HidesAccelerators(HWND control);

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

// The control's font selected into a DC while it lives.
class CControlFont {
public:
    CControlFont(HWND control, HDC dc);
    CControlFont(const CControlFont&) = delete;
    CControlFont& operator=(const CControlFont&) = delete;
    ~CControlFont();

private:
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

} // namespace tavrelin::skin
