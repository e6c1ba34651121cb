// List views in the gallery under the probe skin: the background, the
// LISTITEM part of an item's state (selected with and without the focus,
// hot, disabled) behind its text, the look of the system colours without a
// LISTVIEW class, and the system's background back when the skin goes.
#include "SkinControlGallery.h"

#include <functional>

namespace tavrelin::skin::test {
namespace {

constexpr int kWidth = 240, kHeight = 120;

class SkinListViews : public SkinControls {
protected:
    HWND AddList(DWORD style)
    {
        HWND list = Add(WC_LISTVIEWA, "", LVS_LIST | style, 20, 20, kWidth, kHeight, WS_EX_CLIENTEDGE);
        for (const char* name : {"000001.jpg", "000002.jpg", "000003.avi"}) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = 99;
            item.pszText = const_cast<char*>(name);
            ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        PumpMessages();
        return list;
    }
    static void Select(HWND list, int index)
    {
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    static RECT ItemRect(HWND list, int index)
    {
        RECT rect{LVIR_SELECTBOUNDS, 0, 0, 0};
        ::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // "CLASS PART STATE" of an item's background and whether its text shows
    // in that state's colour.
    std::string ItemLook(HWND list, int index) const
    {
        PumpMessages();
        const RECT rect = ItemRect(list, index);
        return Look(list, rect.right - 2, (rect.top + rect.bottom) / 2);
    }
    size_t TextPixels(HWND list, const std::string& look) const
    {
        return CClientPixels(list).Count(m_table.Colour(look));
    }
};

struct ItemCase {
    const char* name;
    DWORD style;
    std::function<void(HWND list, HWND other)> act;
    const char* background; // the item's, at its right end
    const char* text;
};

const ItemCase kItemCases[] = {
    {"selected, focused", 0, [](HWND, HWND) {}, "LISTVIEW LISTITEM 3 fill", "LISTVIEW LISTITEM 3 text"},
    {"selected, focus elsewhere, shown always", LVS_SHOWSELALWAYS, [](HWND, HWND other) { ::SetFocus(other); },
     "LISTVIEW LISTITEM 5 fill", "LISTVIEW LISTITEM 5 text"},
    {"selected, focus elsewhere", 0, [](HWND, HWND other) { ::SetFocus(other); }, "SYSMETRICS WINDOW 0 color",
     "LISTVIEW LISTITEM 1 text"},
    {"disabled", 0, [](HWND list, HWND) { ::EnableWindow(list, FALSE); }, "LISTVIEW LISTITEM 4 fill",
     "LISTVIEW LISTITEM 4 text"},
};

TEST_F(SkinListViews, ItemsShowTheirStatesPartBehindTheirText)
{
    HWND other = Add("Button", "other", BS_PUSHBUTTON, 300, 20, 80, 24);
    for (const ItemCase& row : kItemCases) {
        SCOPED_TRACE(row.name);
        HWND list = AddList(row.style);
        ::SetFocus(list);
        Select(list, 0);
        row.act(list, other);
        EXPECT_EQ(ItemLook(list, 0), row.background);
        EXPECT_GT(TextPixels(list, row.text), 10u);
        EXPECT_EQ(Look(list, kWidth - 8, kHeight - 8), "SYSMETRICS WINDOW 0 color") << "the list's background";
        ::DestroyWindow(list);
    }
}

TEST_F(SkinListViews, TheItemUnderTheMouseIsHotUntilTheMouseLeaves)
{
    HWND list = AddList(0);
    const RECT second = ItemRect(list, 1);
    Hover(list, POINT{second.left + 4, (second.top + second.bottom) / 2});
    EXPECT_EQ(ItemLook(list, 1), "LISTVIEW LISTITEM 2 fill");
    EXPECT_EQ(ItemLook(list, 0), "SYSMETRICS WINDOW 0 color");
    ::SendMessageA(list, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ItemLook(list, 1), "SYSMETRICS WINDOW 0 color");
}

// "System" gives the list the system's own background again.
TEST_F(SkinListViews, UnloadingTheSkinGivesBackTheSystemsBackground)
{
    HWND list = AddList(0);
    EXPECT_EQ(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0), m_table.Colour("SYSMETRICS WINDOW 0 color"));
    m_manager->LoadSkin(nullptr, nullptr);
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), ::GetSysColor(COLOR_WINDOW));
}

class SkinListViewsWithoutListClass : public SkinListViews {
protected:
    SkinListViewsWithoutListClass() { m_strPropertyFile = "Bare.ini"; }
};

TEST_F(SkinListViewsWithoutListClass, TheSelectionTakesTheSystemsHighlight)
{
    HWND list = AddList(0);
    ::SetFocus(list);
    Select(list, 0);
    EXPECT_EQ(ItemLook(list, 0), "SYSMETRICS HIGHLIGHT 0 color");
    EXPECT_GT(TextPixels(list, "SYSMETRICS HIGHLIGHTTEXT 0 color"), 10u);
    EXPECT_GT(TextPixels(list, "SYSMETRICS WINDOWTEXT 0 color"), 10u) << "the other items";
}

} // namespace
} // namespace tavrelin::skin::test
