#pragma once
// List views painted from the skin's LISTVIEW class: the list's background,
// and each item's LISTITEM part in its state (hot, selected with and without
// the focus, disabled) behind the text the list draws in the part's colour.
// The list keeps its layout, icons, focus rectangle and input; the items
// reach the skin through the list's own custom-draw notifications, after
// the program's answer to them.

#include "skin/engine/frame/SkinObjectFrame.h"

#include <commctrl.h>
#include <windows.h>

namespace tavrelin::skin {

class CSkinContext;

// What an item shows.
struct SkinListItemState {
    bool enabled = true;
    bool selected = false;
    bool listFocused = false;
    bool showSelectionAlways = false;
    bool hot = false;
};

// The LISTITEM state (LISS_*) of an item; the list shows no selection while
// it lacks the focus unless it is asked to show it always.
int SkinListItemPartState(const SkinListItemState& item);

// The colour of an item's text in a LISTITEM state, and the colour behind
// it when the skin has no image for the state (CLR_NONE: the list's own).
COLORREF SkinListItemTextColor(CSkinContext& skin, int state);
COLORREF SkinListItemFillColor(CSkinContext& skin, int state);

class CSkinObjectListView : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

    void OnSkinChanged(bool wasLoaded, bool isLoaded) override;
    void OnHookAttached(const CREATESTRUCTA* create, bool automatic) override;
    bool ReflectCustomDraw(NMCUSTOMDRAW& draw, const std::function<LRESULT()>& askProgram, LRESULT& answer) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The list's background in the skin's colour, or the system's again,
    // unless the program gave it a colour of its own.
    void ApplyBackground(bool skinned);
    void DrawItem(NMLVCUSTOMDRAW& draw);
    void TrackHot(int item);
    void InvalidateItem(int item);

    int m_nHotItem = -1;
    bool m_bProgramAskedItems = false;
    bool m_bProgramColor = false;
    bool m_bSettingColor = false;
    COLORREF m_appliedBack = CLR_INVALID;
};

} // namespace tavrelin::skin
