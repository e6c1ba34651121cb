#pragma once
// Track bars painted from the skin's TRACKBAR class: channel, tick marks,
// selection marks and thumb, laid on the control's own channel and thumb
// rectangles. The control keeps its input; the parent keeps its custom-draw
// notifications.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <commctrl.h>
#include <windows.h>

namespace tavrelin::skin {

class CSkinObjectTrackBar : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Paint(HDC target);
    LRESULT Notify(HDC dc, DWORD stage, DWORD_PTR item, const RECT& rect);
    // Draws one item between its item notifications, unless the parent
    // asked to draw it itself.
    template <class Draw>
    void DrawItem(HDC dc, bool notify, DWORD_PTR item, const RECT& rect, Draw draw);
    void DrawTicks(HDC dc);
    void DrawChannel(HDC dc, const RECT& channel);
    void DrawThumb(HDC dc, const RECT& thumb);
    RECT ChannelRect() const;
    RECT ThumbRect() const;
    void TrackHot(POINT point);

    bool m_bHot = false;
    int m_nTickFrequency = 1;
    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
