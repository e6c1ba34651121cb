#pragma once
// Reading common controls of another process. Messages that carry a pointer
// go through a RemoteBuffer; the others are sent directly.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Tab control. Rectangles are in the tab control's client coordinates.
int TabCount(HWND tab);
int TabCurSel(HWND tab);
std::optional<RECT> TabItemRect(HWND tab, int index);
std::string TabText(HWND tab, int index);

struct ToolbarButtonInfo {
    int commandId = 0;
    BYTE style = 0;
    BYTE state = 0;
    bool IsSeparator() const { return (style & BTNS_SEP) != 0; }
};

// Toolbar. Rectangles are in the toolbar's client coordinates.
int ToolbarButtonCount(HWND toolbar);
std::optional<ToolbarButtonInfo> ToolbarButton(HWND toolbar, int index);
std::optional<RECT> ToolbarItemRect(HWND toolbar, int index);
// The index of the button with the command id; -1 when none.
int ToolbarIndexOfCommand(HWND toolbar, int commandId);
HWND ToolbarTooltipWindow(HWND toolbar);
// The tip text the tooltip would show for the button, asked for directly
// (TTM_GETTEXT, which also resolves text callbacks); empty when none.
std::string ToolbarTooltipText(HWND toolbar, int index);

// Tooltip control: the text of the tool that the owner window registered
// under the id.
std::string TooltipText(HWND tooltip, HWND owner, UINT_PTR toolId);

// List view.
int ListViewItemCount(HWND listView);
std::string ListViewItemText(HWND listView, int item, int subItem = 0);
// The texts of every item in one column.
std::vector<std::string> ListViewColumnTexts(HWND listView, int subItem = 0);
// The item's bounds (LVIR_BOUNDS) in the list view's client coordinates.
std::optional<RECT> ListViewItemRect(HWND listView, int item);
// The first selected item; -1 when none is.
int ListViewSelectedIndex(HWND listView);

} // namespace e2e
