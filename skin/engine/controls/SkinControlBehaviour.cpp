#include "skin/engine/controls/SkinControlBehaviour.h"

namespace tavrelin::skin {

void RequestMouseLeave(HWND control)
{
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, control, 0};
    ::TrackMouseEvent(&track);
}

void TrackHotArea(HWND control, const RECT& area, POINT point, bool& hot)
{
    const bool bHot = ::PtInRect(&area, point) != FALSE;
    if (bHot == hot)
        return;
    hot = bHot;
    ::InvalidateRect(control, nullptr, FALSE);
    if (bHot)
        RequestMouseLeave(control);
}

POINT MousePoint(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool HotTrackingPoint(UINT message, LPARAM lParam, POINT& point)
{
    if (message != WM_MOUSEMOVE && message != WM_MOUSELEAVE)
        return false;
    point = message == WM_MOUSEMOVE ? MousePoint(lParam) : POINT{-1, -1};
    return true;
}

} // namespace tavrelin::skin
