// List views and headers in the gallery under the probe skin: the LISTITEM
// part of an item's state (selected with and without the focus, hot,
// disabled) behind its text, the list's background, and header items as
// normal, hot and pressed with a sorted column's arrow.
#include "SkinControlGallery.h"

#include <functional>

namespace tavrelin::skin::test {
namespace {

struct ItemCase {
    const char* name;
    DWORD style;
    std::function<void(HWND list, HWND other)> act;
    int item;
    const char* background; // at the item's right end
    const char* text;
};

RECT ItemRect(HWND list, int index)
{
    RECT rect{LVIR_SELECTBOUNDS, 0, 0, 0};
    ::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void HoverItem(HWND list, int index)
{
    const RECT rect = ItemRect(list, index);
    SkinControls::Hover(list, POINT{rect.left + 4, (rect.top + rect.bottom) / 2});
}

const ItemCase kItemCases[] = {
    {"selected, focused", 0, [](HWND, HWND) {}, 0, "LISTVIEW LISTITEM 3 fill", "LISTVIEW LISTITEM 3 text"},
    {"selected, focus elsewhere, shown always", LVS_SHOWSELALWAYS, [](HWND, HWND other) { ::SetFocus(other); }, 0,
     "LISTVIEW LISTITEM 5 fill", "LISTVIEW LISTITEM 5 text"},
    {"selected, focus elsewhere", 0, [](HWND, HWND other) { ::SetFocus(other); }, 0, "SYSMETRICS WINDOW 0 color",
     "LISTVIEW LISTITEM 1 text"},
    {"hot", 0, [](HWND list, HWND) { HoverItem(list, 1); }, 1, "LISTVIEW LISTITEM 2 fill", "LISTVIEW LISTITEM 2 text"},
    {"disabled", 0, [](HWND list, HWND) { ::EnableWindow(list, FALSE); }, 0, "LISTVIEW LISTITEM 4 fill",
     "LISTVIEW LISTITEM 4 text"},
};

TEST_F(SkinControls, ListItemsShowTheirStatesPartBehindTheirText)
{
    HWND other = Add("Button", "other", BS_PUSHBUTTON, 300, 20, 80, 24);
    for (const ItemCase& row : kItemCases) {
        SCOPED_TRACE(row.name);
        HWND list = Add(WC_LISTVIEWA, "", LVS_LIST | row.style, 20, 20, 240, 120, WS_EX_CLIENTEDGE);
        for (const char* name : {"000001.jpg", "000002.jpg", "000003.avi"}) {
            LVITEMA item{LVIF_TEXT, 99};
            item.pszText = const_cast<char*>(name);
            ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        ::SetFocus(list);
        LVITEMA selection{};
        selection.stateMask = selection.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selection));
        row.act(list, other);
        PumpMessages();
        const RECT rect = ItemRect(list, row.item);
        EXPECT_EQ(Look(list, rect.right - 2, (rect.top + rect.bottom) / 2), row.background);
        EXPECT_GT(CClientPixels(list).Count(m_table.Colour(row.text)), 10u);
        EXPECT_EQ(Look(list, 232, 112), "SYSMETRICS WINDOW 0 color") << "the list's background";
        ::DestroyWindow(list);
    }
}

TEST_F(SkinControls, HeaderItemsAreNormalHotOrPressedAndASortedColumnShowsItsArrow)
{
    HWND header = Add(WC_HEADERA, "", HDS_BUTTONS | HDS_HORZ, 20, 20, 360, 24);
    int index = 0;
    for (const char* name : {"Name", "Size", "Date"}) {
        HDITEMA item{HDI_TEXT | HDI_WIDTH | HDI_FORMAT, 100};
        item.fmt = HDF_STRING | HDF_LEFT | (index == 1 ? HDF_SORTUP : 0);
        item.pszText = const_cast<char*>(name);
        ::SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
    }
    PumpMessages();
    EXPECT_EQ(Look(header, 0, 0), "HEADER HEADERITEM 1 border");
    EXPECT_EQ(Look(header, 340, 12), "HEADER HEADERITEM 1 fill") << "beyond the last column";
    EXPECT_GT(CClientPixels(header).Count(m_table.Colour("HEADER HEADERITEM 1 text")), 10u);
    EXPECT_GT(CClientPixels(header).Count(m_table.Colour("HEADER HEADERSORTARROW 1 fill")), 0u);
    Hover(header, POINT{230, 12});
    EXPECT_EQ(Look(header, 201, 1), "HEADER HEADERITEM 2 fill");
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 12));
    PumpMessages();
    EXPECT_EQ(Look(header, 1, 1), "HEADER HEADERITEM 3 fill");
    ::SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(30, 12));
    PumpMessages();
    EXPECT_NE(Look(header, 1, 1), "HEADER HEADERITEM 3 fill");
}

} // namespace
} // namespace tavrelin::skin::test
