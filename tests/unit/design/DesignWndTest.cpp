// Design windows under Wine: their shape on the screen frame by frame (left
// as screen grabs for check-shapes.sh to judge against ImageMagick's masks),
// their looks, their zoom, and what closing one gives back.
#include "design/DesignWindows.h"

#include "GdiCensus.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "ScreenImage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

namespace {

const std::string kFolder = DESIGN_FILES_DIR;
constexpr COLORREF kBackground = RGB(255, 0, 255);

std::string Design(const char* name) { return "Z:" + kFolder + "/" + name; }

void Pump() { e2e::DispatchPending(); }

class DesignWindow : public ::testing::Test {
protected:
    HWND Open(const char* name, int x = 200, int y = 200)
    {
        auto design = tavrelin::LoadDesignFrames(Design(name));
        if (!design || !m_windows.Open(Design(name), std::move(*design), x, y))
            return nullptr;
        Pump();
        return m_windows.At(m_windows.Count() - 1)->m_hWnd;
    }

    gdiplus::CGdiplusSession m_gdiplus;
    CDesignWindows m_windows;
};

SIZE WindowSize(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(DesignWindow, ShapeOnTheScreenFollowsEachFrameInTurn)
{
    const grabtest::CPatternWindow background(150, 150, 200, 200, [](int, int) { return kBackground; });
    struct Case {
        const char* name;
        int ticks;
    };
    for (const Case c : {Case{"animated.gif", 4}, Case{"still.gif", 2}}) {
        HWND window = Open(c.name);
        ASSERT_TRUE(window) << c.name;
        // The test steps the frames itself, so that it sees every one.
        ::KillTimer(window, 1000);
        for (int tick = 0; tick < c.ticks; ++tick) {
            if (tick > 0)
                ::SendMessageA(window, WM_TIMER, 1000, 0);
            // A shape that shrinks uncovers the background, which repaints
            // once the display has told it so.
            const DWORD settle = ::GetTickCount() + 300;
            while (::GetTickCount() < settle) {
                Pump();
                ::UpdateWindow(background.Handle());
                ::Sleep(10);
            }
            const std::string shot = kFolder + "/" + c.name + ".tick" + std::to_string(tick) + ".bmp";
            ASSERT_TRUE(e2e::SaveWindowBmp(shot, window)) << shot;
        }
        ::SendMessageA(window, WM_COMMAND, ID_DESIGN_CLOSE, 0);
    }
}

TEST_F(DesignWindow, IsBorderlessTopMostWithoutTaskBarButtonAndStaysOnEnterAndEscape)
{
    HWND window = Open("still.gif");
    ASSERT_TRUE(window);
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(WindowSize(window).cx, 64);
    for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
        MSG message{window, WM_KEYDOWN, key, 0, 0, {}};
        if (!win::CDialog::PreTranslateDialogMessage(&message))
            ::DispatchMessageA(&message);
        Pump();
        EXPECT_TRUE(::IsWindowVisible(window)) << key;
    }
}

TEST_F(DesignWindow, ADragPutsTheFullWindowDragSettingBack)
{
    HWND window = Open("still.gif");
    ASSERT_TRUE(window);
    BOOL before = FALSE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &before, 0);
    ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    // The move loop ends when the button goes up (it is not down at all here,
    // and Escape ends it if it waits).
    std::thread releasing([window] {
        ::Sleep(200);
        ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageA(window, WM_LBUTTONUP, 0, 0);
    });
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    releasing.join();
    BOOL after = TRUE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &after, 0);
    ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, before, nullptr, 0);
    EXPECT_FALSE(after);
}

TEST_F(DesignWindow, ZoomResizesAsComputedWithinItsLimits)
{
    struct Case {
        const char* name;
        UINT command;
        SIZE expected;
    };
    for (const Case c :
         {Case{"zoom200x150.gif", ID_ZOOM_OUT, {160, 120}}, Case{"zoom300x230.gif", ID_ZOOM_IN, {375, 287}},
          Case{"zoom320x100.gif", ID_ZOOM_IN, {320, 100}}}) {
        HWND window = Open(c.name);
        ASSERT_TRUE(window) << c.name;
        ::SendMessageA(window, WM_COMMAND, c.command, 0);
        EXPECT_EQ(WindowSize(window).cx, c.expected.cx) << c.name;
        EXPECT_EQ(WindowSize(window).cy, c.expected.cy) << c.name;
    }
}

// The window menu as it shows, read by a timer that the menu's own loop
// runs; then a key walk chooses an entry the way a keyboard user does.
struct SMenuVisit {
    std::vector<std::pair<UINT, std::string>> items;
    std::vector<WPARAM> keys;
    int ticksLeft = 250;
};
SMenuVisit* g_menuVisit = nullptr;

void CALLBACK ReadMenuThenPressKeys(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menu = ::FindWindowA("#32768", nullptr);
    if (!menu || !::IsWindowVisible(menu)) {
        if (--g_menuVisit->ticksLeft <= 0) {
            ::KillTimer(nullptr, timer);
            ::EndMenu();
        }
        return;
    }
    ::KillTimer(nullptr, timer);
    auto items = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
    for (int item = 0; item < ::GetMenuItemCount(items); ++item) {
        char text[64] = {};
        ::GetMenuStringA(items, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
        g_menuVisit->items.emplace_back(::GetMenuItemID(items, item), text);
    }
    for (const WPARAM key : g_menuVisit->keys)
        ::PostMessageA(menu, WM_KEYDOWN, key, 0);
}

// Opens the window menu with a key message as the dialog's message loop
// gets it (Shift held down when asked), and walks it with the keys.
SMenuVisit WalkWindowMenu(HWND window, MSG opening, bool shift, std::vector<WPARAM> keys)
{
    SMenuVisit visit;
    visit.keys = std::move(keys);
    g_menuVisit = &visit;
    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    const BYTE shiftBefore = keyState[VK_SHIFT];
    keyState[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keyState);
    ::SetTimer(nullptr, 0, 20, ReadMenuThenPressKeys);
    opening.hwnd = window;
    if (!win::CDialog::PreTranslateDialogMessage(&opening))
        ::DispatchMessageA(&opening);
    keyState[VK_SHIFT] = shiftBefore;
    ::SetKeyboardState(keyState);
    g_menuVisit = nullptr;
    Pump();
    return visit;
}

TEST_F(DesignWindow, KeysOpenTheWindowMenuWithZoomAfterColseAndTheWheelZooms)
{
    HWND window = Open("zoom200x150.gif");
    ASSERT_TRUE(window);
    const std::vector<std::pair<UINT, std::string>> expected{
        {ID_DESIGN_CLOSE, "Colse"}, {0, ""}, {ID_ZOOM_IN, "Zoom In"}, {ID_ZOOM_OUT, "Zoom Out"}};
    const SMenuVisit byMenuKey =
        WalkWindowMenu(window, MSG{nullptr, WM_KEYUP, VK_APPS, 0, 0, {}}, false, {VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(byMenuKey.items, expected);
    EXPECT_EQ(WindowSize(window).cx, 250) << "Down, Down, Return: Zoom In";
    EXPECT_EQ(WindowSize(window).cy, 187);
    const SMenuVisit byShiftF10 =
        WalkWindowMenu(window, MSG{nullptr, WM_SYSKEYDOWN, VK_F10, 0, 0, {}}, true, {VK_UP, VK_RETURN});
    EXPECT_EQ(byShiftF10.items, expected);
    EXPECT_EQ(WindowSize(window).cx, 200) << "Up, Return: Zoom Out";
    EXPECT_EQ(WindowSize(window).cy, 149);

    // Notches zoom; half notches add up to one.
    struct Step {
        short delta;
        SIZE expected;
    };
    for (const Step step :
         {Step{WHEEL_DELTA / 2, {200, 149}}, Step{WHEEL_DELTA / 2, {250, 186}}, Step{-2 * WHEEL_DELTA, {160, 118}}}) {
        ::SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, step.delta), 0);
        EXPECT_EQ(WindowSize(window).cx, step.expected.cx) << step.delta;
        EXPECT_EQ(WindowSize(window).cy, step.expected.cy) << step.delta;
    }
    ::SendMessageA(window, WM_COMMAND, ID_DESIGN_CLOSE, 0);
}

TEST_F(DesignWindow, ColseDestroysTheWindowAndLetsItsGifAndGdiObjectsGo)
{
    const std::string copy = kFolder + "/closing.gif";
    ASSERT_TRUE(::CopyFileA(Design("animated.gif").c_str(), ("Z:" + copy).c_str(), FALSE));
    HWND window = Open("closing.gif");
    ASSERT_TRUE(window);
    EXPECT_FALSE(::DeleteFileA(("Z:" + copy).c_str())) << "the open GIF is locked";
    ::SendMessageA(window, WM_COMMAND, ID_DESIGN_CLOSE, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(m_windows.Count(), 0u);
    EXPECT_TRUE(::DeleteFileA(("Z:" + copy).c_str()));

    ::SendMessageA(Open("animated.gif"), WM_COMMAND, ID_DESIGN_CLOSE, 0);
    Pump();
    const int afterFirst = e2e::CountGdiObjects();
    for (int round = 0; round < 20; ++round) {
        ::SendMessageA(Open("animated.gif"), WM_COMMAND, ID_DESIGN_CLOSE, 0);
        Pump();
    }
    EXPECT_EQ(e2e::CountGdiObjects(), afterFirst);
}

} // namespace
