// A program of its own that lays a red, elliptic, top-most window on the
// screen, the way a design window or another application lies over the
// design box. Usage: OverlayWindow.exe LEFT TOP SIZE
// It runs until its window is closed; a test moves it with SetWindowPos.
#include "MessagePump.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr COLORREF kOverlayRed = RGB(240, 24, 48);

LRESULT CALLBACK OverlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(window, &paint);
        HBRUSH brush = ::CreateSolidBrush(kOverlayRed);
        ::FillRect(dc, &paint.rcPaint, brush);
        ::DeleteObject(brush);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    int left = 0;
    int top = 0;
    int size = 0;
    if (std::sscanf(commandLine, "%d %d %d", &left, &top, &size) != 3 || size <= 0)
        return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OverlayProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TavrelinGrabOverlay";
    if (!::RegisterClassA(&windowClass))
        return 1;
    HWND window =
        ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName,
                          "grab overlay", WS_POPUP, left, top, size, size, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    // The system owns the region once it is set.
    ::SetWindowRgn(window, ::CreateEllipticRgn(0, 0, size, size), FALSE);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    e2e::RunMessageLoop();
    return 0;
}
