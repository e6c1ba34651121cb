// Popup menus opened from the gallery under the probe skin: the MENUITEM
// part behind every item and the selected one behind the hot item, a
// separator, a check mark and disabled text in their colours, the hot item
// following the keyboard without the system's highlight ever showing, and
// the system colours when the skin has no MENU class.
#include "ScreenImage.h"
#include "SkinControlGallery.h"
#include "WindowQuery.h"

#include <functional>
#include <string>
#include <vector>

namespace tavrelin::skin::test {
namespace {

enum : UINT { kRename = 101, kDelete, kOpenFolder, kSub };

// Read before any skin is loaded: the system's own highlight.
const COLORREF kSystemHighlight = ::GetSysColor(COLOR_HIGHLIGHT);

// The menu loop runs the thread's timers: the test looks at the open menu
// from a timer's callback, one step per tick, then closes it.
std::vector<std::function<void(HWND menuWindow)>> g_steps;
size_t g_nextStep = 0;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = ::FindWindowA("#32768", nullptr);
    if (!menuWindow || !::IsWindowVisible(menuWindow))
        return;
    if (g_nextStep < g_steps.size())
        g_steps[g_nextStep++](menuWindow);
    else
        ::EndMenu();
}

class SkinMenus : public SkinControls {
protected:
    void OpenMenu(std::vector<std::function<void(HWND)>> steps)
    {
        const win::UniqueMenu menu(::CreatePopupMenu());
        HMENU sub = ::CreatePopupMenu();
        ::AppendMenuA(sub, MF_STRING, kSub, "Inner");
        ::AppendMenuA(menu.get(), MF_STRING, kRename, "Rename");
        ::AppendMenuA(menu.get(), MF_STRING | MF_GRAYED, kDelete, "Delete");
        ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu.get(), MF_STRING | MF_CHECKED, kOpenFolder, "Open folder\tCtrl+O");
        ::AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
        g_steps = std::move(steps);
        g_nextStep = 0;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 60, StepTimer);
        ::SetForegroundWindow(m_gallery);
        ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN, 100, 100, 0, m_gallery, nullptr);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(g_nextStep, g_steps.size()) << "every step ran";
    }
    static RECT ItemRect(HWND menuWindow, int position)
    {
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        RECT rect{};
        ::GetMenuItemRect(menuWindow, menu, static_cast<UINT>(position), &rect);
        ::MapWindowPoints(HWND_DESKTOP, menuWindow, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // How many of an item's pixels on the screen show the look.
    size_t ItemPixels(HWND menuWindow, int position, const std::string& look) const
    {
        RECT rect = ItemRect(menuWindow, position);
        ::MapWindowPoints(menuWindow, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        const auto image = e2e::ScreenImage::Capture(rect);
        return image ? image->CountColour(m_table.Colour(look)) : 0;
    }
    double Share(HWND menuWindow, int position, const std::string& look) const
    {
        const RECT rect = ItemRect(menuWindow, position);
        const auto area = static_cast<double>((rect.right - rect.left) * (rect.bottom - rect.top));
        return area > 0 ? static_cast<double>(ItemPixels(menuWindow, position, look)) / area : 0.0;
    }
};

TEST_F(SkinMenus, ItemsShowTheSkinsPartsAndTheHotItemFollowsTheKeyboard)
{
    OpenMenu({
        [&](HWND menuWindow) {
            EXPECT_GT(Share(menuWindow, 0, "MENU MENUITEM 1 fill"), 0.5) << "an item at rest";
            EXPECT_GT(ItemPixels(menuWindow, 0, "MENU 0 0 text"), 10u);
            EXPECT_GT(ItemPixels(menuWindow, 1, "SYSMETRICS GRAYTEXT 0 color"), 10u) << "the disabled item";
            EXPECT_GT(ItemPixels(menuWindow, 2, "MENU SEPARATOR 0 fill"), 0u);
            EXPECT_GT(ItemPixels(menuWindow, 3, "MENU 0 0 text"), 30u) << "check mark, text and shortcut";
            EXPECT_GT(ItemPixels(menuWindow, 4, "MENU 0 0 text"), 10u) << "the submenu's arrow and text";
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND menuWindow) {
            EXPECT_GT(Share(menuWindow, 0, "MENU MENUITEM 2 fill"), 0.5) << "the hot item";
            EXPECT_GT(ItemPixels(menuWindow, 0, "MENU 0 2 text"), 10u);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND menuWindow) {
            EXPECT_GT(Share(menuWindow, 0, "MENU MENUITEM 1 fill"), 0.5) << "no longer hot";
            EXPECT_GT(Share(menuWindow, 1, "MENU MENUITEM 2 fill"), 0.5) << "a disabled item is hot too";
            EXPECT_GT(ItemPixels(menuWindow, 1, "SYSMETRICS GRAYTEXT 0 color"), 10u);
            const auto shown = e2e::ScreenImage::Capture(e2e::ClientRectOnScreen(menuWindow));
            ASSERT_TRUE(shown.has_value());
            EXPECT_EQ(shown->CountColour(kSystemHighlight), 0u) << "the system's highlight never shows";
        },
    });
}

class SkinMenusWithoutMenuClass : public SkinMenus {
protected:
    SkinMenusWithoutMenuClass() { m_strPropertyFile = "Bare.ini"; }
};

TEST_F(SkinMenusWithoutMenuClass, TheLookComesFromTheSystemColours)
{
    OpenMenu({
        [&](HWND menuWindow) {
            EXPECT_GT(Share(menuWindow, 0, "SYSMETRICS MENU 0 color"), 0.5);
            EXPECT_GT(ItemPixels(menuWindow, 0, "SYSMETRICS MENUTEXT 0 color"), 10u);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND menuWindow) {
            EXPECT_GT(Share(menuWindow, 0, "SYSMETRICS MENUHILIGHT 0 color"), 0.5);
            EXPECT_GT(ItemPixels(menuWindow, 0, "SYSMETRICS HIGHLIGHTTEXT 0 color"), 10u);
        },
    });
}

} // namespace
} // namespace tavrelin::skin::test
