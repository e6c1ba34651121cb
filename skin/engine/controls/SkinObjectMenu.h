#pragma once
// Popup menus (the menu windows of the system, class "#32768") painted from
// the skin's MENU class, without making the program's menus owner-drawn.
//
// The system draws a menu window in its WM_PAINT, which the object could
// answer; but it also draws the item under the mouse straight into the
// window whenever the hot item changes, and shows that before the owner
// hears of it. So the object lays a face over the menu window's client
// area, a child window that paints the menu as the skin has it from the
// menu's own items and places, and clips the window's own drawing away
// beneath it. The face is painted again whenever the menu's items change
// state: after every WM_MENUSELECT and WM_ENTERIDLE its thread handles.

#include "skin/engine/controls/SkinMenuDraw.h"
#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <windows.h>

#include <vector>

namespace tavrelin::skin {

// The window class of the faces; a window of it is never taken over.
constexpr char kSkinMenuFaceClass[] = "TavrelinSkinMenuFace";

class CSkinObjectMenu : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;
    ~CSkinObjectMenu() override;

    void OnSkinChanged(bool wasLoaded, bool isLoaded) override;
    void OnHookDetached(bool automatic) override;

    // The face's picture; false when the face must go (the menu has no
    // items the object can draw).
    bool PaintFace(HDC target);
    // Paints the face again when the menu's items changed state.
    void RefreshFace();
    void OnFaceGone();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Owner-drawn items and menus that scroll are the system's to draw.
    bool CanDraw(const SkinMenuLook& look, const RECT& client) const;
    void ShowFace();
    void DropFace();

    HWND m_face = nullptr;
    std::vector<UINT> m_painted;
    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
