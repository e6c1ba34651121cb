#pragma once
// Push buttons, check boxes, radio buttons and group boxes painted from the
// skin's BUTTON class. The button keeps its own input and notifications;
// whatever it would paint itself is kept off the screen.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <windows.h>
#include <vssym32.h>

namespace tavrelin::skin {

class CSkinClass;
class CSkinMetrics;

// A BUTTON part (BP_PUSHBUTTON to BP_GROUPBOX) and its state.
struct SkinButtonLook {
    int part = 0; // 0: the button keeps the system's or its owner's painting
    int state = 0;
};

// What the button shows, from its style and state.
struct SkinButtonState {
    LONG_PTR style = 0;
    bool enabled = true;
    bool hot = false;
    bool pushed = false;
    LRESULT check = BST_UNCHECKED;
};

SkinButtonLook SkinButtonPartState(const SkinButtonState& button);

class CSkinObjectButton : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool IsSkinned() const;
    // The default processing with the window hidden, so that what the
    // system paints straight away never reaches the screen.
    LRESULT DefaultHidden(WPARAM wParam, LPARAM lParam);
    void TrackHot(POINT point);
    SkinButtonState CurrentState() const;
    void Paint(HDC target);
    void DrawPushButton(HDC dc, CSkinClass& skinClass, const SkinButtonLook& look, const RECT& client);
    void DrawCheckOrRadio(HDC dc, CSkinClass& skinClass, const SkinButtonLook& look, const RECT& client);
    void DrawGroupBox(HDC dc, CSkinClass& skinClass, const SkinButtonLook& look, const RECT& client);
    // Text, bitmap or icon in the rectangle; returns where the text went.
    RECT DrawContent(HDC dc, RECT area, UINT defaultAlign);
    void DrawFocus(HDC dc, const RECT& rect);

    bool m_bHot = false;
    bool m_bPushed = false;
    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
