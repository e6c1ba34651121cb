#pragma once
// Combo boxes painted from the skin: the COMBOBOX class's DROPDOWNBUTTON
// part by state (normal, hot, pressed, disabled) and, around the text, the
// COMBOBOX class's own background when the skin gives one, else the EDIT
// class's EDITTEXT part, as an edit box in that state has it. The combo box
// paints its text (or its edit box or its owner's items) itself, in the
// field's colours; its drop list is a list box of its own.

#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <windows.h>

namespace tavrelin::skin {

// The DROPDOWNBUTTON state (CBXS_*) of a combo box's button.
int SkinComboButtonState(bool enabled, bool pressed, bool hot);

class CSkinObjectComboBox : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

    bool AnswerOwnColor(UINT message, HDC dc, LRESULT& result) override;
    bool IsExcludedMessage(UINT message) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The extended combo box holds a combo box of its own, which is the one drawn.
    bool IsPainted();
    void Paint(HDC target);
    void DrawFrame(HDC dc, const RECT& client, const COMBOBOXINFO& info);
    void DrawButton(HDC dc, const COMBOBOXINFO& info);
    bool HasFocus() const;
    void TrackHot(POINT point);

    bool m_bHot = false;
    int m_nExtended = -1; // whether the window is an extended combo box; -1 until asked
    CColorBrush m_brush;
    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
