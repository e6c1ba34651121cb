// Tab controls in the gallery under the probe skin: edge parts, the
// selected tab drawn larger, hot tracking with one row repaint per change,
// the parent's colour answer, button tabs, and controls without a selection
// or without tabs.
#include "MessagePump.h"
#include "SkinControlGallery.h"

namespace tavrelin::skin::test {
namespace {

constexpr int kWidth = 300, kHeight = 160;

class SkinTabs : public SkinControls {
protected:
    HWND AddTabs(DWORD style, std::initializer_list<const char*> names)
    {
        HWND tabs = Add(WC_TABCONTROLA, "", style, 10, 10, kWidth, kHeight);
        int index = 0;
        for (const char* name : names) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(name);
            ::SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
        }
        PumpMessages();
        return tabs;
    }
    static RECT TabRect(HWND tabs, int index)
    {
        RECT rect{};
        ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // Paints that reach the control while the queue runs dry.
    static int PaintsWhilePumping(HWND window)
    {
        int paints = 0;
        e2e::DispatchPending(
            [&](const MSG& message) { paints += message.hwnd == window && message.message == WM_PAINT ? 1 : 0; });
        return paints;
    }
    static void MoveMouse(HWND window, POINT client)
    {
        POINT screen = client;
        ::ClientToScreen(window, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }
};

TEST_F(SkinTabs, EdgePartsAndTheSelectedTabFollowTheSelection)
{
    HWND tabs = AddTabs(0, {"Camera", "Album"});
    RECT first = TabRect(tabs, 0), second = TabRect(tabs, 1);
    const int middle = (first.top + first.bottom) / 2;
    SaveShot("tabs");
    EXPECT_EQ(Look(tabs, first.left - 2, middle), "TAB TOPTABITEMLEFTEDGE 3 border") << "grown by 2";
    EXPECT_EQ(Look(tabs, first.left + 1, first.top + 1), "TAB TOPTABITEMLEFTEDGE 3 fill");
    EXPECT_EQ(Look(tabs, second.right - 1, middle), "TAB TOPTABITEMRIGHTEDGE 1 border");
    EXPECT_EQ(Look(tabs, second.right - 3, second.top + 3), "TAB TOPTABITEMRIGHTEDGE 1 fill");
    EXPECT_GT(CClientPixels(tabs).Count(m_table.Colour("TAB TOPTABITEMLEFTEDGE 3 text")), 0u);
    EXPECT_EQ(Look(tabs, kWidth / 2, kHeight - 3), "TAB PANE 0 fill");
    EXPECT_EQ(Look(tabs, kWidth - 1, kHeight - 1), "TAB PANE 0 border");

    ::SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    ::InvalidateRect(tabs, nullptr, TRUE);
    PumpMessages();
    second = TabRect(tabs, 1);
    EXPECT_EQ(Look(tabs, second.right + 1, middle), "TAB TOPTABITEM 3 border");
    EXPECT_EQ(Look(tabs, first.left, middle), "TAB TOPTABITEMLEFTEDGE 1 border");
}

TEST_F(SkinTabs, HotTabRepaintsTheRowOncePerChangeAndClearsOnLeaving)
{
    HWND tabs = AddTabs(0, {"Camera", "Album"});
    const RECT first = TabRect(tabs, 0), second = TabRect(tabs, 1);
    const POINT onFirst{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
    const POINT onSecond{(second.left + second.right) / 2, (second.top + second.bottom) / 2};
    PaintsWhilePumping(tabs);
    MoveMouse(tabs, onFirst);
    EXPECT_EQ(PaintsWhilePumping(tabs), 1) << "onto tab 0";
    MoveMouse(tabs, POINT{onFirst.x + 1, onFirst.y});
    EXPECT_EQ(PaintsWhilePumping(tabs), 0) << "within tab 0";
    MoveMouse(tabs, onSecond);
    EXPECT_EQ(PaintsWhilePumping(tabs), 1) << "onto tab 1";
    EXPECT_EQ(Look(tabs, second.right - 1, onSecond.y), "TAB TOPTABITEMRIGHTEDGE 2 border");
    ::SendMessageA(tabs, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(PaintsWhilePumping(tabs), 1) << "leaving";
    EXPECT_EQ(Look(tabs, second.right - 1, onSecond.y), "TAB TOPTABITEMRIGHTEDGE 1 border");
}

TEST_F(SkinTabs, AParentAnsweringAColourIndexGetsTheSkinsColour)
{
    Behaviour().staticColorAnswer = COLOR_WINDOW + 1;
    HWND tabs = AddTabs(0, {"Camera", "Album"});
    EXPECT_EQ(Look(tabs, kWidth - 3, 1), "SYSMETRICS WINDOW 0 color");
}

TEST_F(SkinTabs, ButtonTabsArePushButtonsWithoutAPane)
{
    HWND tabs = AddTabs(TCS_BUTTONS, {"Camera", "Album"});
    const RECT first = TabRect(tabs, 0), second = TabRect(tabs, 1);
    EXPECT_EQ(Look(tabs, first.left, first.top), "BUTTON PUSHBUTTON 3 border");
    EXPECT_EQ(Look(tabs, second.left, second.top), "BUTTON PUSHBUTTON 1 border");
    const CClientPixels pixels(tabs);
    EXPECT_EQ(pixels.Count(m_table.Colour("TAB PANE 0 fill")) + pixels.Count(m_table.Colour("TAB PANE 0 border")), 0u);
}

// Without a selection the row is measured by the first tab; without tabs
// the page fills the control.
TEST_F(SkinTabs, ControlsWithoutSelectionOrWithoutTabs)
{
    HWND empty = AddTabs(0, {});
    EXPECT_EQ(Look(empty, 0, 0), "TAB PANE 0 border");
    EXPECT_EQ(Look(empty, kWidth / 2, kHeight / 2), "TAB PANE 0 fill");
    ::DestroyWindow(empty);

    HWND tabs = AddTabs(0, {"Camera", "Album"});
    ::SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ::InvalidateRect(tabs, nullptr, TRUE);
    PumpMessages();
    const RECT first = TabRect(tabs, 0);
    EXPECT_EQ(Look(tabs, first.left, first.top), "TAB TOPTABITEMLEFTEDGE 1 border");
    EXPECT_EQ(Look(tabs, kWidth / 2, first.bottom + 4), "TAB PANE 0 fill");
}

} // namespace
} // namespace tavrelin::skin::test
