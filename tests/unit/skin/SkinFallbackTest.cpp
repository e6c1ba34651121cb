// Each later object under a skin made for the first objects only (the
// probe's Bare.ini): its look comes from the skin's system colours.
#include "SkinControlGallery.h"

#include <functional>

namespace tavrelin::skin::test {
namespace {

class SkinFallback : public SkinControls {
protected:
    SkinFallback() { m_strPropertyFile = "Bare.ini"; }
};

using Maker = std::function<HWND(SkinControls&)>;
using Where = std::function<POINT(HWND)>; // a client point; x -1: the window's left edge

Maker Control(const char* windowClass, DWORD style, DWORD exStyle = 0, UINT fill = 0)
{
    return [=](SkinControls& gallery) {
        HWND control = gallery.AddControl(windowClass, "", style, exStyle);
        if (fill)
            ::SendMessageA(control, fill, 0, reinterpret_cast<LPARAM>("000001.jpg"));
        if (fill == HDM_INSERTITEMA) {
            HDITEMA item{HDI_WIDTH, 100};
            ::SendMessageA(control, HDM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        if (fill == PBM_SETPOS)
            ::SendMessageA(control, PBM_SETPOS, 50, 0);
        return control;
    };
}

Where At(int x, int y)
{
    return [=](HWND) { return POINT{x, y}; };
}

POINT ComboButton(HWND combo)
{
    COMBOBOXINFO info{sizeof info};
    ::GetComboBoxInfo(combo, &info);
    return POINT{info.rcButton.left + 3, info.rcButton.top + 3};
}

struct FallbackCase {
    const char* name;
    Maker make;
    Where at;
    const char* look;
};

const FallbackCase kCases[] = {
    {"edit border", Control("Edit", 0, WS_EX_CLIENTEDGE), At(-1, 10), "SYSMETRICS BTNSHADOW 0 color"},
    {"edit field", Control("Edit", 0, WS_EX_CLIENTEDGE), At(150, 2), "SYSMETRICS WINDOW 0 color"},
    {"read-only edit field", Control("Edit", ES_READONLY, WS_EX_CLIENTEDGE), At(150, 2), "SYSMETRICS BTNFACE 0 color"},
    {"combo button", Control("ComboBox", CBS_DROPDOWNLIST, 0, CB_ADDSTRING), ComboButton, "SYSMETRICS BTNFACE 0 color"},
    {"combo frame", Control("ComboBox", CBS_DROPDOWNLIST), At(0, 10), "SYSMETRICS BTNSHADOW 0 color"},
    {"header item", Control(WC_HEADERA, HDS_HORZ, 0, HDM_INSERTITEMA), At(10, 2), "SYSMETRICS BTNFACE 0 color"},
    {"header line", Control(WC_HEADERA, HDS_HORZ, 0, HDM_INSERTITEMA), At(99, 2), "SYSMETRICS BTNSHADOW 0 color"},
    {"progress chunk", Control(PROGRESS_CLASSA, 0, 0, PBM_SETPOS), At(3, 10), "SYSMETRICS HIGHLIGHT 0 color"},
    {"list box border", Control("ListBox", WS_BORDER, 0, LB_ADDSTRING), At(-1, 10), "SYSMETRICS BTNSHADOW 0 color"},
};

TEST_F(SkinFallback, EachObjectTakesItsLookFromTheSystemColours)
{
    for (const FallbackCase& row : kCases) {
        SCOPED_TRACE(row.name);
        HWND control = row.make(*this);
        PumpMessages();
        const POINT at = row.at(control);
        EXPECT_EQ(at.x < 0 ? FrameLook(control, 0, at.y) : Look(control, at.x, at.y), row.look);
        ::DestroyWindow(control);
    }
}

TEST_F(SkinFallback, SelectionsMenusAndTooltipsTakeTheSystemsColours)
{
    HWND list = AddControl(WC_LISTVIEWA, "", LVS_LIST, WS_EX_CLIENTEDGE);
    LVITEMA item{LVIF_TEXT | LVIF_STATE, 0};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.pszText = const_cast<char*>("000001.jpg");
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ::SetFocus(list);
    PumpMessages();
    EXPECT_GT(CClientPixels(list).Count(m_table.Colour("SYSMETRICS HIGHLIGHT 0 color")), 50u);
    EXPECT_GT(CClientPixels(list).Count(m_table.Colour("SYSMETRICS HIGHLIGHTTEXT 0 color")), 10u);

    HWND tip = ShowTip("take pictures");
    EXPECT_EQ(FrameLook(tip, 0, 0), "SYSMETRICS INFOTEXT 0 color");
    EXPECT_EQ(Look(tip, 1, 1), "SYSMETRICS INFOBK 0 color");
    ::DestroyWindow(tip);

    double share = 0;
    OpenMenu({
        [&](HWND menuWindow) {
            MenuItemPixels(menuWindow, 0, "SYSMETRICS MENU 0 color", &share);
            EXPECT_GT(share, 0.5);
            EXPECT_GT(MenuItemPixels(menuWindow, 0, "SYSMETRICS MENUTEXT 0 color"), 10u);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND menuWindow) {
            MenuItemPixels(menuWindow, 0, "SYSMETRICS MENUHILIGHT 0 color", &share);
            EXPECT_GT(share, 0.5);
            EXPECT_GT(MenuItemPixels(menuWindow, 0, "SYSMETRICS HIGHLIGHTTEXT 0 color"), 10u);
        },
    });
}

} // namespace
} // namespace tavrelin::skin::test
