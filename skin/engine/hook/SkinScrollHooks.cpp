#include "skin/engine/hook/SkinScrollHooks.h"

#include "skin/engine/hook/SkinApiHook.h"
#include "skin/engine/takeover/SkinTakeover.h"

namespace tavrelin::skin {
namespace {

bool IsSkinned(HWND window) { return static_cast<bool>(SkinnedWindow(window)); }

// A window's own scroll bar lies in its frame; the frame object draws it
// once frames are the engine's, until then the system does on this redraw.
void RedrawScrollBar(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

} // namespace

int WINAPI HookSetScrollPos(HWND window, int bar, int position, BOOL redraw)
{
    const auto system = SystemFunctionAs<decltype(&::SetScrollPos)>(kSlotSetScrollPos);
    if (!IsSkinned(window))
        return system(window, bar, position, redraw);
    const int previous = system(window, bar, position, FALSE);
    if (redraw && bar == SB_CTL)
        ::InvalidateRect(window, nullptr, TRUE);
    else if (redraw)
        RedrawScrollBar(window);
    return previous;
}

int WINAPI HookSetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    const auto system = SystemFunctionAs<decltype(&::SetScrollInfo)>(kSlotSetScrollInfo);
    if (!redraw || bar == SB_CTL || !IsSkinned(window))
        return system(window, bar, info, redraw);
    const int position = system(window, bar, info, FALSE);
    RedrawScrollBar(window);
    return position;
}

// While the engine drags a skinned bar's thumb, the tracking position is its.
BOOL WINAPI HookGetScrollInfo(HWND window, int bar, LPSCROLLINFO info)
{
    const BOOL result = SystemFunctionAs<decltype(&::GetScrollInfo)>(kSlotGetScrollInfo)(window, bar, info);
    if (!result || !info || !(info->fMask & SIF_TRACKPOS))
        return result;
    const CSkinObjectRef object = SkinnedWindow(window);
    int position = 0;
    if (object && object->TrackingPosition(bar, position))
        info->nTrackPos = position;
    return result;
}

BOOL WINAPI HookEnableScrollBar(HWND window, UINT bar, UINT arrows)
{
    const BOOL result = SystemFunctionAs<decltype(&::EnableScrollBar)>(kSlotEnableScrollBar)(window, bar, arrows);
    if (IsSkinned(window) && (bar == SB_HORZ || bar == SB_VERT || bar == SB_BOTH))
        RedrawScrollBar(window);
    return result;
}

} // namespace tavrelin::skin
