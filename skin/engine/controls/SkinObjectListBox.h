#pragma once
// List boxes (and the drop lists of combo boxes) in the skin's LISTBOX
// class: its background as their border and its colours for their items,
// or the system's field colours when the skin has no such class. The list
// box draws its items and selection itself.

#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/frame/SkinObjectFrame.h"

#include <windows.h>

namespace tavrelin::skin {

class CSkinObjectListBox : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

    bool AnswerOwnColor(UINT message, HDC dc, LRESULT& result) override;

protected:
    bool PaintOwnBorder(HDC dc, const RECT& window, const RECT& client) override;

private:
    CColorBrush m_brush;
};

} // namespace tavrelin::skin
