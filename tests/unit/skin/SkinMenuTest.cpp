// Popup menus opened from the gallery under the probe skin: the MENUITEM
// part behind every item and the selected one behind the hot item, a
// separator, disabled text and the class's text colours, the hot item
// following the keyboard without the system's highlight ever showing.
#include "ScreenImage.h"
#include "SkinControlGallery.h"
#include "WindowQuery.h"

#include <functional>
#include <string>
#include <vector>

namespace tavrelin::skin::test {

// Read before any skin is loaded: the system's own highlight.
const COLORREF kSystemHighlight = ::GetSysColor(COLOR_HIGHLIGHT);

// The menu loop runs the thread's timers: the test looks at the open menu
// from a timer's callback, one step per tick, then closes it.
std::vector<std::function<void(HWND menuWindow)>> g_menuSteps;
size_t g_nextMenuStep = 0;

void CALLBACK MenuStepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = ::FindWindowA("#32768", nullptr);
    if (menuWindow && ::IsWindowVisible(menuWindow))
        g_nextMenuStep < g_menuSteps.size() ? g_menuSteps[g_nextMenuStep++](menuWindow) : (void)::EndMenu();
}

void SkinControls::OpenMenu(std::vector<std::function<void(HWND)>> steps)
{
    const win::UniqueMenu menu(::CreatePopupMenu());
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuA(sub, MF_STRING, 104, "Inner");
    ::AppendMenuA(menu.get(), MF_STRING, 101, "Rename");
    ::AppendMenuA(menu.get(), MF_STRING | MF_GRAYED, 102, "Delete");
    ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu.get(), MF_STRING | MF_CHECKED, 103, "Open folder\tCtrl+O");
    ::AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
    g_menuSteps = std::move(steps);
    g_nextMenuStep = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 60, MenuStepTimer);
    ::SetForegroundWindow(m_gallery);
    ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN, 100, 100, 0, m_gallery, nullptr);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_nextMenuStep, g_menuSteps.size()) << "every step ran";
}

// The pixels of an item on the screen that show the look, and their share.
size_t SkinControls::MenuItemPixels(HWND menuWindow, int position, const std::string& look, double* share) const
{
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    RECT rect{};
    ::GetMenuItemRect(menuWindow, menu, static_cast<UINT>(position), &rect);
    const auto image = e2e::ScreenImage::Capture(rect);
    const size_t count = image ? image->CountColour(m_table.Colour(look)) : 0;
    if (share)
        *share = static_cast<double>(count) / std::max<LONG>(1, (rect.right - rect.left) * (rect.bottom - rect.top));
    return count;
}

namespace {

TEST_F(SkinControls, MenuItemsShowTheSkinsPartsAndTheHotItemFollowsTheKeyboard)
{
    double share = 0;
    OpenMenu({
        [&](HWND menuWindow) {
            MenuItemPixels(menuWindow, 0, "MENU MENUITEM 1 fill", &share);
            EXPECT_GT(share, 0.5) << "an item at rest";
            EXPECT_GT(MenuItemPixels(menuWindow, 0, "MENU 0 0 text"), 10u);
            EXPECT_GT(MenuItemPixels(menuWindow, 1, "SYSMETRICS GRAYTEXT 0 color"), 10u) << "the disabled item";
            EXPECT_GT(MenuItemPixels(menuWindow, 2, "MENU SEPARATOR 0 fill"), 0u);
            EXPECT_GT(MenuItemPixels(menuWindow, 3, "MENU 0 0 text"), 30u) << "check mark, text and shortcut";
            EXPECT_GT(MenuItemPixels(menuWindow, 4, "MENU 0 0 text"), 10u) << "the submenu's arrow and text";
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND menuWindow) {
            MenuItemPixels(menuWindow, 0, "MENU MENUITEM 2 fill", &share);
            EXPECT_GT(share, 0.5) << "the hot item";
            EXPECT_GT(MenuItemPixels(menuWindow, 0, "MENU 0 2 text"), 10u);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        },
        [&](HWND menuWindow) {
            MenuItemPixels(menuWindow, 1, "MENU MENUITEM 2 fill", &share);
            EXPECT_GT(share, 0.5) << "a disabled item is hot too";
            MenuItemPixels(menuWindow, 0, "MENU MENUITEM 1 fill", &share);
            EXPECT_GT(share, 0.5) << "no longer hot";
            const auto shown = e2e::ScreenImage::Capture(e2e::ClientRectOnScreen(menuWindow));
            ASSERT_TRUE(shown.has_value());
            EXPECT_EQ(shown->CountColour(kSystemHighlight), 0u) << "the system's highlight never shows";
        },
    });
}

} // namespace
} // namespace tavrelin::skin::test
