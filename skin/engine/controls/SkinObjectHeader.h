#pragma once
// Headers (the column titles of a list in details view) painted from the
// skin's HEADER class: each item's HEADERITEM part as normal, hot or
// pressed, its image and text, and the HEADERSORTARROW of a sorted column.
// The header keeps its layout, sizing and notifications.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <commctrl.h>
#include <windows.h>

namespace tavrelin::skin {

class CSkinClass;

// The HEADERITEM state (HIS_*) of an item.
int SkinHeaderItemState(bool pressed, bool hot);

class CSkinObjectHeader : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Paint(HDC target);
    void DrawItem(HDC dc, CSkinClass& skinClass, int index, const RECT& rect);
    // Returns the room left for the text.
    RECT DrawSortArrow(HDC dc, CSkinClass& skinClass, int state, int format, RECT content);
    int ItemAt(POINT point, bool& onDivider) const;
    void SetItemState(int& member, int item);

    int m_nHotItem = -1;
    int m_nPressedItem = -1;
    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
