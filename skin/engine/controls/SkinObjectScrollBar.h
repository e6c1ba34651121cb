#pragma once
// Scroll bar controls drawn as the skin draws a window's own scroll bars,
// with the same hot parts and the same drag; a size box shows the SCROLLBAR
// class's SIZEBOX part. The control keeps its keyboard and its notices to
// its parent; whatever it would draw itself is drawn again by the skin.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <windows.h>

namespace tavrelin::skin {

class CSkinObjectScrollBar : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

    bool TrackingPosition(int bar, int& position) const override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool IsSizeBox() const;
    SkinScrollBarState& LaidOutBar();
    void Paint(HDC target);
    void PaintSizeBox(HDC dc, const RECT& client);
    void TrackHot(POINT point);
    void Press(POINT point);
    // A change the control would paint at once: made without its drawing,
    // then painted by the skin.
    LRESULT DefaultUndrawn(UINT message, WPARAM wParam, LPARAM lParam);

    SkinScrollBarState m_bar;
    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
