#pragma once
// Toolbars painted from the skin's TOOLBAR class: button faces, split-button
// arrows, separators, images (with a drawn disabled look when the toolbar
// has no disabled image list) and texts. The toolbar keeps its own layout,
// hit testing and input.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <commctrl.h>
#include <windows.h>

#include <string>

namespace tavrelin::skin {

class CSkinClass;

class CSkinObjectToolBar : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct ButtonInfo;
    void Paint(HDC target);
    LRESULT Notify(HDC dc, DWORD stage, DWORD_PTR item, const RECT& rect);
    void DrawButton(HDC dc, CSkinClass& skinClass, int index, const TBBUTTON& button);
    // Returns whether an image was drawn.
    bool DrawImage(HDC dc, const ButtonInfo& info, int x, int y);
    void DrawEmbossed(HDC dc, HIMAGELIST list, int image, int x, int y);
    void DrawText(HDC dc, const ButtonInfo& info, RECT rect, bool imageDrawn);
    std::string ButtonText(int command) const;

    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
