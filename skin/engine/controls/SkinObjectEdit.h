#pragma once
// Edit boxes painted from the skin's EDIT class: the EDITTEXT part in the
// box's state (normal, hot, focused, disabled, read-only) around the text,
// and the part's colours for the text and its background. Caret, selection
// and input stay the control's own.

#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/frame/SkinObjectFrame.h"

#include <windows.h>

namespace tavrelin::skin {

class CSkinContext;

// What an edit box shows, from its style and state.
struct SkinEditState {
    bool enabled = true;
    bool readOnly = false;
    bool focused = false;
    bool hot = false;
};

// The EDITTEXT state (ETS_NORMAL to ETS_READONLY) of an edit box.
int SkinEditPartState(const SkinEditState& edit);

// The text and background colours of an edit box in an EDITTEXT state: the
// skin's EDIT class where it gives them, else the system colours of a field.
struct SkinFieldColors {
    COLORREF text;
    COLORREF back;
};
SkinFieldColors SkinEditColors(CSkinContext& skin, int state);

class CSkinObjectEdit : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

    bool AnswerOwnColor(UINT message, HDC dc, LRESULT& result) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool PaintOwnBorder(HDC dc, const RECT& window, const RECT& client) override;

private:
    SkinEditState CurrentState() const;
    SkinFieldColors FieldColors() const;

    bool m_bHot = false;
    CColorBrush m_brush;
};

} // namespace tavrelin::skin
