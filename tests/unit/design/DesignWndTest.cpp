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
