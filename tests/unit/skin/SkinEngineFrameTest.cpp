// Skinned frames under Wine, in this process: sizes, what the screen shows
// (the frames skin paints every part and state in a colour of its own), the
// caption buttons with real mouse input, the window's scroll bars, and the
// GDI census over repaints and hover toggles.
#include "FrameSkinColours.h"
#include "GdiCensus.h"
#include "Input.h"
#include "MessagePump.h"
#include "ScreenImage.h"
#include "SkinEngineTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tavrelin::skin {
namespace {

using test::TestSkinPath;

using namespace e2e::frames;
constexpr int kSkinCaption = kCaptionHeight;
constexpr int kSkinScrollWidth = kScrollWidth;

constexpr UINT kReleaseCapture = WM_USER + 10;
constexpr UINT kDestroySelf = WM_USER + 11;
std::vector<WPARAM> g_commands;
std::vector<int> g_trackPositions;

LRESULT CALLBACK FrameTestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) != SC_MOVE) {
        g_commands.push_back(wParam & 0xFFF0);
        return 0;
    }
    if (message == WM_VSCROLL && LOWORD(wParam) == SB_THUMBPOSITION)
        ::SetScrollPos(window, SB_VERT, HIWORD(wParam), TRUE);
    if (message == WM_VSCROLL && LOWORD(wParam) == SB_THUMBTRACK) {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        ::GetScrollInfo(window, SB_VERT, &info);
        g_trackPositions.push_back(info.nTrackPos);
    }
    if (message == kReleaseCapture)
        ::ReleaseCapture();
    if (message == kDestroySelf)
        ::DestroyWindow(window);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD milliseconds = 50) { e2e::PumpFor(e2e::Timeout(milliseconds)); }

class SkinFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = FrameTestProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "SkinFrameTest";
        ::RegisterClassA(&windowClass);
        g_commands.clear();
        g_trackPositions.clear();
    }
    void TearDown() override
    {
        for (HWND window : m_windows)
            if (::IsWindow(window))
                ::DestroyWindow(window);
        m_manager.LoadSkin(nullptr, nullptr);
    }
    bool Load(const char* folder) { return m_manager.LoadSkin(TestSkinPath(folder).c_str(), "skin.ini"); }
    HWND Create(DWORD style, int x, int y, int width = 320, int height = 240, DWORD exStyle = 0)
    {
        HWND window = ::CreateWindowExA(exStyle, "SkinFrameTest", "", style, x, y, width, height, nullptr, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
        m_windows.push_back(window);
        ::ShowWindow(window, SW_SHOW);
        ::SetForegroundWindow(window);
        ::UpdateWindow(window);
        Pump();
        return window;
    }
    CSkinObjectFrame& Frame(HWND window)
    {
        // The window map keeps the object while the window lives.
        return *static_cast<CSkinObjectFrame*>(m_manager.FindWindowObject(window).get());
    }
    // The screen point of a window point.
    static POINT Screen(HWND window, POINT point)
    {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return POINT{rect.left + point.x, rect.top + point.y};
    }
    static COLORREF At(HWND window, POINT point)
    {
        const POINT screen = Screen(window, point);
        return e2e::PixelAt(screen.x, screen.y);
    }
    static POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

    CSkinManager m_manager{true};
    std::vector<HWND> m_windows;
};

struct ClientGeometry {
    RECT window;
    RECT client; // screen coordinates
};

ClientGeometry Geometry(HWND window)
{
    ClientGeometry geometry{};
    ::GetWindowRect(window, &geometry.window);
    ::GetClientRect(window, &geometry.client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&geometry.client), 2);
    return geometry;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND CreateTemplateDialog()
{
    struct {
        DLGTEMPLATE dialog;
        WORD menu = 0, windowClass = 0, title = 0;
    } const dialogTemplate{{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 200, 300, 150, 100}};
    return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), &dialogTemplate.dialog, nullptr, EmptyDialogProc,
                                        0);
}

TEST_F(SkinFrame, ClientAreasKeepTheirSizeAndFramesTakeTheSkinsSizes)
{
    HWND plain = CreateTemplateDialog();
    const ClientGeometry unskinned = Geometry(plain);
    ::DestroyWindow(plain);
    ASSERT_TRUE(Load("frames"));
    HWND dialog = CreateTemplateDialog();
    m_windows.push_back(dialog);
    const ClientGeometry skinned = Geometry(dialog);
    EXPECT_EQ(skinned.client.right - skinned.client.left, unskinned.client.right - unskinned.client.left);
    EXPECT_EQ(skinned.client.bottom - skinned.client.top, unskinned.client.bottom - unskinned.client.top);
    EXPECT_EQ((skinned.client.top - skinned.window.top) - (skinned.client.left - skinned.window.left), kSkinCaption);
    // Another skin, and none: the client area still keeps its size.
    const auto expectUnskinnedSize = [&](const char* what) {
        const ClientGeometry now = Geometry(dialog);
        EXPECT_EQ(now.client.right - now.client.left, unskinned.client.right - unskinned.client.left) << what;
        EXPECT_EQ(now.client.bottom - now.client.top, unskinned.client.bottom - unskinned.client.top) << what;
    };
    ASSERT_TRUE(Load("frameimages"));
    expectUnskinnedSize("another skin");
    m_manager.LoadSkin(nullptr, nullptr);
    expectUnskinnedSize("no skin");
    ASSERT_TRUE(Load("frames"));
    expectUnskinnedSize("the skin again");

    // Scroll bar room is the skin's bar width; a window smaller than its
    // frame has an empty client, never one inside out.
    HWND scrolled = Create(WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 600, 20, 200, 150);
    const ClientGeometry bars = Geometry(scrolled);
    EXPECT_EQ(bars.window.right - bars.client.right, kSkinScrollWidth);
    EXPECT_EQ(bars.window.bottom - bars.client.bottom, kSkinScrollWidth);
    HWND tiny = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 600, 200, 12, 12);
    RECT proposed{0, 0, 10, 10};
    ::SendMessageA(tiny, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_LE(proposed.left, proposed.right);
    EXPECT_LE(proposed.top, proposed.bottom);

    // Maximized, the borders lie off-screen as the system's do.
    HWND maximized = Create(WS_OVERLAPPEDWINDOW, 50, 50);
    ::ShowWindow(maximized, SW_MAXIMIZE);
    Pump();
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const ClientGeometry full = Geometry(maximized);
    EXPECT_EQ(full.client.left, work.left);
    EXPECT_EQ(full.client.top, work.top + kSkinCaption);

    // Dragged smaller, a captioned window keeps room for its caption buttons
    // and its top and bottom frame.
    HWND sized = Create(WS_OVERLAPPEDWINDOW, 300, 300);
    const ClientGeometry frame = Geometry(sized);
    const int top = frame.client.top - frame.window.top, bottom = frame.window.bottom - frame.client.bottom;
    MINMAXINFO limits{};
    ::SendMessageA(sized, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_GE(limits.ptMinTrackSize.x, top * 3 + ::GetSystemMetrics(SM_CYSIZE) + 2 * ::GetSystemMetrics(SM_CXEDGE));
    EXPECT_GE(limits.ptMinTrackSize.y, top + bottom);
}

TEST_F(SkinFrame, ActiveAndInactiveFramesShowTheSkinsColoursExactly)
{
    ASSERT_TRUE(Load("frames"));
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL, 30, 30);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    ::SetScrollInfo(window, SB_VERT, &info, TRUE);
    Pump();
    const ClientGeometry geometry = Geometry(window);
    const int width = geometry.window.right - geometry.window.left;
    const int height = geometry.window.bottom - geometry.window.top;
    const std::vector<SkinCaptionButton>& buttons = Frame(window).CaptionButtons();
    ASSERT_EQ(buttons.size(), 3u);
    // The vertical bar lies right of the client area.
    const int barLeft = geometry.client.right - geometry.window.left;
    const RECT bar{barLeft, geometry.client.top - geometry.window.top, barLeft + kSkinScrollWidth,
                   geometry.client.bottom - geometry.window.top};
    const auto expectFrame = [&](int state) {
        EXPECT_EQ(At(window, {width / 3, 4}), kCaption[state]) << state;
        EXPECT_EQ(At(window, {1, height / 2}), kLeft[state]) << state;
        EXPECT_EQ(At(window, {width - 2, height / 2}), kRight[state]) << state;
        EXPECT_EQ(At(window, {width / 2, height - 2}), kBottom[state]) << state;
        // Images without inactive frames show the active ones.
        EXPECT_EQ(At(window, Centre(buttons[0].rect)), kClose[0]) << state;
        EXPECT_EQ(At(window, Centre(buttons[1].rect)), kButtons[0]) << state;
    };
    expectFrame(0);
    // The vertical bar: up arrow (frame 1), thumb at the top, down arrow (frame 5).
    EXPECT_EQ(At(window, {bar.left + 9, bar.top + 5}), ArrowColour(0));
    EXPECT_EQ(At(window, {bar.left + 9, bar.top + kSkinScrollWidth + 3}), kThumb);
    EXPECT_EQ(At(window, {bar.left + 9, bar.bottom - 5}), ArrowColour(4));

    // Moved by SetScrollInfo with redraw, the thumb is still the skin's.
    info = SCROLLINFO{sizeof info, SIF_POS, 0, 0, 0, 90, 0};
    ::SetScrollInfo(window, SB_VERT, &info, TRUE);
    Pump();
    EXPECT_EQ(At(window, {bar.left + 9, bar.bottom - kSkinScrollWidth - 3}), kThumb);
    EXPECT_NE(At(window, {bar.left + 9, bar.top + kSkinScrollWidth + 3}), kThumb);

    Create(WS_OVERLAPPEDWINDOW, 700, 500, 100, 100);
    Pump();
    EXPECT_FALSE(Frame(window).IsFrameActive());
    expectFrame(1);

    // WM_PRINT paints the same frame into the caller's context.
    test::CCanvas canvas(width, height, RGB(0, 0, 0));
    ::SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_NONCLIENT);
    const auto rgb = [](COLORREF colour) {
        return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    };
    EXPECT_EQ(canvas.At(width / 3, 4), static_cast<std::uint32_t>(rgb(kCaption[1])));
    EXPECT_EQ(canvas.At(1, height / 2), static_cast<std::uint32_t>(rgb(kLeft[1])));
}

TEST_F(SkinFrame, ImageCaptionBlendsWithinOneAndItsTransparentCornersShapeTheWindow)
{
    ASSERT_TRUE(Load("frameimages"));
    HWND window = Create(WS_OVERLAPPEDWINDOW, 40, 300);
    const ClientGeometry geometry = Geometry(window);
    // The caption's centre: RGB(40, 200, 120) at alpha 128 over the skin's
    // active caption colour, blue.
    const auto blend = [](int colour, int alpha, int behind) {
        return (colour * alpha + 127) / 255 + (behind * (255 - alpha) + 127) / 255;
    };
    const COLORREF centre = At(window, {(geometry.window.right - geometry.window.left) / 3, 15});
    EXPECT_NEAR(GetRValue(centre), blend(40, 128, 0), 1);
    EXPECT_NEAR(GetGValue(centre), blend(200, 128, 0), 1);
    EXPECT_NEAR(GetBValue(centre), blend(120, 128, 255), 1);

    win::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window, region.get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(::PtInRegion(region.get(), 1, 0));
    EXPECT_TRUE(::PtInRegion(region.get(), 0, 1));
    // The close button's frames are empty: square buttons, no division by zero.
    const RECT close = Frame(window).CaptionButtons().at(0).rect;
    EXPECT_EQ(close.right - close.left, close.bottom - close.top);
    EXPECT_GT(close.right - close.left, 0);

    // The region goes with the caption and with the skin.
    ::SetWindowLongA(window, GWL_STYLE, ::GetWindowLongA(window, GWL_STYLE) & ~WS_CAPTION);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(::GetWindowRgn(window, region.get()), ERROR);
    HWND shaped = Create(WS_OVERLAPPEDWINDOW, 300, 300);
    ASSERT_NE(::GetWindowRgn(shaped, region.get()), ERROR);
    m_manager.LoadSkin(nullptr, nullptr);
    Pump();
    EXPECT_EQ(::GetWindowRgn(shaped, region.get()), ERROR);
}

TEST_F(SkinFrame, CaptionButtonsFollowTheStyles)
{
    struct Case {
        const char* what;
        DWORD style;
        DWORD exStyle;
        std::vector<std::pair<UINT, bool>> buttons; // command, enabled
    } const cases[] = {
        {"no system menu", WS_CAPTION, 0, {}},
        {"system menu only", WS_CAPTION | WS_SYSMENU, 0, {{SC_CLOSE, true}}},
        {"overlapped", WS_OVERLAPPEDWINDOW, 0, {{SC_CLOSE, true}, {SC_MAXIMIZE, true}, {SC_MINIMIZE, true}}},
        {"main window",
         WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         0,
         {{SC_CLOSE, true}, {SC_MAXIMIZE, false}, {SC_MINIMIZE, true}}},
        {"maximized",
         WS_OVERLAPPEDWINDOW | WS_MAXIMIZE,
         0,
         {{SC_CLOSE, true}, {SC_RESTORE, true}, {SC_MINIMIZE, true}}},
        {"minimized", WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 0, {{SC_CLOSE, true}, {SC_RESTORE, true}}},
        {"tool window", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, {{SC_CLOSE, true}}},
        {"context help", WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP, {{SC_CLOSE, true}, {SC_CONTEXTHELP, true}}},
    };
    for (const Case& row : cases) {
        std::vector<std::pair<UINT, bool>> listed;
        for (const SkinCaptionButton& button : ListCaptionButtons(row.style, row.exStyle, false))
            listed.emplace_back(button.command, button.enabled);
        EXPECT_EQ(listed, row.buttons) << row.what;
    }

    // A grayed close item: drawn disabled, no hit, clicks go nowhere.
    ASSERT_TRUE(Load("frames"));
    HWND window = Create(WS_OVERLAPPEDWINDOW, 400, 400);
    ::EnableMenuItem(::GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    const RECT close = Frame(window).CaptionButtons().at(0).rect;
    EXPECT_EQ(At(window, Centre(close)), kClose[3]);
    const POINT screen = Screen(window, Centre(close));
    EXPECT_NE(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTCLOSE);
    ::SendMessageA(window, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(screen.x, screen.y));
    EXPECT_TRUE(g_commands.empty());
}

// Real mouse input from another thread while this one runs the press loop.
void SendMouse(POINT at, DWORD flags)
{
    e2e::SendMouseAt(at, flags);
    ::Sleep(150);
}

TEST_F(SkinFrame, CaptionButtonPressesEndInOneCommandOnlyWhenReleasedInside)
{
    ASSERT_TRUE(Load("frames"));
    HWND window = Create(WS_OVERLAPPEDWINDOW, 60, 120);
    const RECT closeRect = Frame(window).CaptionButtons().at(0).rect;
    const POINT close = Screen(window, Centre(closeRect));
    const POINT caption = Screen(window, {60, 10});
    std::atomic<COLORREF> hot{0}, pressed{0};
    const auto press = [&](const std::function<void()>& whilePressed, POINT release) {
        std::thread input([&] {
            SendMouse(caption, 0);
            SendMouse(close, 0);
            hot = e2e::PixelAt(close.x, close.y);
            SendMouse(close, MOUSEEVENTF_LEFTDOWN);
            pressed = e2e::PixelAt(close.x, close.y);
            whilePressed();
            SendMouse(release, MOUSEEVENTF_MOVE);
            SendMouse(release, MOUSEEVENTF_LEFTUP);
        });
        const DWORD end = ::GetTickCount() + 3000;
        while (::GetTickCount() < end)
            Pump(20);
        input.join();
        Pump(200);
    };
    press([] {}, close);
    EXPECT_EQ(hot.load(), kClose[1]);
    EXPECT_EQ(pressed.load(), kClose[2]);
    EXPECT_EQ(g_commands, std::vector<WPARAM>{SC_CLOSE});
    // Released, and still under the mouse.
    EXPECT_EQ(At(window, Centre(closeRect)), kClose[1]);

    g_commands.clear();
    press([] {}, caption);
    EXPECT_TRUE(g_commands.empty()) << "released outside";
    press([window] { ::PostMessageA(window, kReleaseCapture, 0, 0); }, close);
    EXPECT_TRUE(g_commands.empty()) << "capture lost";
    press([window] { ::PostMessageA(window, kDestroySelf, 0, 0); }, close);
    EXPECT_TRUE(g_commands.empty()) << "window destroyed";
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(SkinFrame, DraggingTheThumbReportsTheTrackingPosition)
{
    ASSERT_TRUE(Load("frames"));
    HWND window = Create(WS_POPUP | WS_VISIBLE | WS_VSCROLL, 500, 500, 200, 300);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    ::SetScrollInfo(window, SB_VERT, &info, TRUE);
    Pump();
    const POINT thumb = Screen(window, {200 - kSkinScrollWidth / 2, kSkinScrollWidth + 5});
    EXPECT_EQ(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(thumb.x, thumb.y)), HTVSCROLL);
    std::thread input([&] {
        SendMouse(thumb, MOUSEEVENTF_MOVE);
        SendMouse(thumb, MOUSEEVENTF_LEFTDOWN);
        SendMouse(POINT{thumb.x, thumb.y + 100}, MOUSEEVENTF_MOVE);
        SendMouse(POINT{thumb.x, thumb.y + 100}, MOUSEEVENTF_LEFTUP);
    });
    const DWORD end = ::GetTickCount() + 2000;
    while (::GetTickCount() < end)
        Pump(20);
    input.join();
    ASSERT_FALSE(g_trackPositions.empty());
    EXPECT_GT(g_trackPositions.back(), 0);
    EXPECT_EQ(::GetScrollPos(window, SB_VERT), g_trackPositions.back());
}

// The list view scrolls through the system's scroll functions; the bar it
// gets back is still the skin's.
TEST_F(SkinFrame, AListViewScrolledByTheWheelKeepsTheSkinsBar)
{
    ASSERT_TRUE(Load("frames"));
    HWND parent = Create(WS_POPUP | WS_VISIBLE, 100, 600, 300, 200);
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, parent,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 200;
    ListView_InsertColumn(list, 0, &column);
    for (int row = 0; row < 100; ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>("row");
        ListView_InsertItem(list, &item);
    }
    Pump(200);
    RECT bar{};
    ::GetWindowRect(list, &bar);
    bar.left = bar.right - kSkinScrollWidth;
    const auto thumbRows = [&bar] {
        int rows = 0;
        for (int y = bar.top + kSkinScrollWidth; y < bar.bottom - kSkinScrollWidth; ++y)
            rows += e2e::PixelAt(bar.left + kSkinScrollWidth / 2, y) == kThumb;
        return rows;
    };
    const int before = thumbRows();
    EXPECT_GT(before, 0);
    EXPECT_EQ(e2e::PixelAt(bar.left + kSkinScrollWidth / 2, bar.top + 5), ArrowColour(0));
    for (int notch = 0; notch < 5; ++notch)
        ::SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(bar.left - 50, bar.top + 50));
    Pump(200);
    EXPECT_GT(::GetScrollPos(list, SB_VERT), 0);
    EXPECT_EQ(thumbRows(), before) << "the skin's thumb, moved";
    EXPECT_EQ(e2e::PixelAt(bar.left + kSkinScrollWidth / 2, bar.top + kSkinScrollWidth + 1), RGB(210, 190, 170))
        << "the track above the thumb";
}

// The office test module's images are solid colours per frame (OFFICE_IMAGES
// in make_test_skins.py); its glyphs are black dots on the colour key.
TEST_F(SkinFrame, Office2007BarsTakeTheirLightAndDarkImages)
{
    ASSERT_TRUE(m_manager.LoadSkin(test::WinePath(SKIN_TEST_OFFICE_MODULE).c_str(), "office.ini"));
    HWND window = Create(WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 700, 100, 200, 300);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    ::SetScrollInfo(window, SB_VERT, &info, TRUE);
    Pump();
    const ClientGeometry geometry = Geometry(window);
    const int width = ::GetSystemMetrics(SM_CXVSCROLL);
    const int left = geometry.client.right - geometry.window.left;
    const int arrowEnd = geometry.client.top - geometry.window.top + width;
    EXPECT_EQ(At(window, {left + 1, 1}), RGB(1, 150, 151)) << "arrow background, light, normal";
    EXPECT_EQ(At(window, {left + width / 2, width / 2}), RGB(0, 0, 0)) << "glyph";
    EXPECT_EQ(At(window, {left + width / 2, arrowEnd + 2}), RGB(11, 12, 200)) << "thumb, normal";
    EXPECT_EQ(At(window, {left + width / 2, 200}), RGB(220, 221, 1)) << "track, light";
    EXPECT_EQ(At(window, {left + 2, 300 - 2}), RGB(245, 245, 245)) << "corner";

    const POINT thumb = Screen(window, {left + width / 2, arrowEnd + 2});
    // The real cursor goes there too: a mouse message of the system's own,
    // from wherever the cursor was, would take the hot look off again.
    e2e::MoveCursor(thumb.x, thumb.y);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        ::SendMessageA(window, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
        Pump();
        return At(window, {left + width / 2, arrowEnd + 2}) == RGB(12, 13, 201);
    })) << "thumb, hot";
    EXPECT_EQ(At(window, {left + width / 2, 200}), RGB(120, 121, 2)) << "track, dark";
    EXPECT_EQ(At(window, {left + 1, 1}), RGB(4, 90, 91)) << "arrow background, dark, normal";
}

TEST_F(SkinFrame, GdiCountStaysFlatOverRepaintsAndHoverToggles)
{
    ASSERT_TRUE(Load("frames"));
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 300, 300);
    const POINT close = Screen(window, Centre(Frame(window).CaptionButtons().at(0).rect));
    const POINT caption = Screen(window, {40, 10});
    const auto repaint = [window] {
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    repaint();
    const int before = e2e::CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int round = 0; round < 1000; ++round)
        repaint();
    for (int round = 0; round < 1000; ++round) {
        const POINT at = round % 2 ? caption : close;
        ::SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(at.x, at.y));
    }
    Pump();
    EXPECT_EQ(e2e::CountGdiObjects(), before);
}

} // namespace
} // namespace tavrelin::skin
