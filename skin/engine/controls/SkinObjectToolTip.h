#pragma once
// Tooltips painted from the skin's TOOLTIP class: the STANDARD part as
// background and border, the tip's text in the part's colour, in the
// tooltip's own font, margins and line breaking. Balloon tips and tips with
// a title keep the system's drawing.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <windows.h>

namespace tavrelin::skin {

class CSkinObjectToolTip : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool PaintOwnBorder(HDC dc, const RECT& window, const RECT& client) override;

private:
    bool IsPlain() const;
    // The part over the whole window, so that its border lies in the frame
    // and its middle behind the text; dc's origin is the client's corner.
    void DrawBackground(HDC dc);
    void Paint(HDC target);

    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
