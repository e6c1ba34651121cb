#pragma once
// Tab controls painted from the skin's TAB class: the page area from PANE,
// every tab from the TOPTABITEM parts, with hot tracking of the tab under
// the mouse. The control keeps its own layout and input.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <windows.h>

namespace tavrelin::skin {

class CSkinClass;

class CSkinObjectTab : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    enum class ESide { Top, Bottom, Left, Right };
    ESide Side() const;
    bool HasButtons() const;
    // The strip the tabs stand in; empty (at the side of the tabs) when the
    // control has none.
    RECT RowRect() const;
    void DrawBackground(HDC dc, const RECT& rect);
    void DrawRow(HDC target);
    void DrawTab(HDC dc, int index, int selected);
    void DrawTabImage(HDC dc, int index, RECT& rect);
    void DrawTabText(HDC dc, int index, bool selected, CSkinClass& skinClass, int part, int state, RECT rect);
    void TrackHot(POINT point);

    int m_nHotTab = -1;
    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
