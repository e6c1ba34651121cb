#pragma once
// A press on a skinned scroll bar, the window's own or a scroll bar
// control: arrows and tracks scroll at once and repeat while held over the
// part; the thumb follows the mouse and reports its tracking position.

#include "skin/engine/frame/SkinScrollBar.h"

#include <windows.h>

#include <functional>

namespace tavrelin::skin {

// What a drag needs from the window that shows the bar.
struct SkinScrollDrag {
    HWND window = nullptr; // holds the mouse and the bar's scroll information
    int bar = SB_VERT;     // SB_HORZ, SB_VERT or SB_CTL
    HWND notify = nullptr; // gets WM_HSCROLL or WM_VSCROLL
    LPARAM control = 0;    // their lParam: the control, or none for a window's own bar
    SkinScrollBarState* state = nullptr;
    std::function<POINT(POINT screen)> toBar; // a screen point in the bar's coordinates
    std::function<void()> repaint;
    std::function<bool(MSG&)> next;  // the loop's next message; false ends the loop
    std::function<bool()> cancelled; // the loop ended because the window lost the mouse
    std::function<void()> finished;  // the loop is over; the mouse is let go next
};

// start is in the bar's coordinates; returns once the button is released.
void DragSkinScrollBar(const SkinScrollDrag& drag, POINT start);

// The scroll information of a bar, all of it zero when it has none.
SCROLLINFO ReadSkinScrollInfo(HWND window, int bar);

} // namespace tavrelin::skin
