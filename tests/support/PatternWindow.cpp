#include "PatternWindow.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace grabtest {
namespace {

constexpr char kClassName[] = "TavrelinGrabTestPattern";

void RegisterOnce()
{
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassA(&windowClass);
    }();
    (void)atom;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

} // namespace

COLORREF UniquePattern(int x, int y)
{
    const int red = x & 0xFF;
    const int green = y & 0xFF;
    const int blue = 0x40 | ((x >> 8) & 1) << 7 | ((x * 3 + y * 5) & 0x3F);
    return RGB(red, green, blue);
}

COLORREF BlockPattern(int x, int y) { return UniquePattern(x / 2, y / 2); }

CPatternWindow::CPatternWindow(int x, int y, int width, int height, PixelPattern pattern, HRGN region)
    : m_pattern(std::move(pattern)), m_nWidth(width), m_nHeight(height)
{
    RegisterOnce();
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "grab test", WS_POPUP, x, y, width, height,
                               nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPatternWindow::WindowProc));
    if (region)
        ::SetWindowRgn(m_hWnd, region, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hWnd);
}

CPatternWindow::~CPatternWindow()
{
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_hWnd);
    PumpMessages(50);
}

void CPatternWindow::MoveTo(int x, int y) const
{
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ::UpdateWindow(m_hWnd);
}

LRESULT CALLBACK CPatternWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CPatternWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND && self)
        return 1;
    if (message == WM_PAINT && self) {
        self->Paint();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void CPatternWindow::Paint() const
{
    // Top-down 32-bit rows need no padding and map one to one onto the window.
    std::vector<std::uint32_t> pixels(static_cast<size_t>(m_nWidth) * m_nHeight);
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            const COLORREF colour = m_pattern(x, y);
            pixels[static_cast<size_t>(y) * m_nWidth + x] =
                GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_nWidth;
    info.bmiHeader.biHeight = -m_nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    ::SetDIBitsToDevice(dc, 0, 0, m_nWidth, m_nHeight, 0, 0, 0, m_nHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ::EndPaint(m_hWnd, &paint);
}

void PumpMessages(int milliseconds)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(5);
    } while (::GetTickCount64() < deadline);
}

bool WaitForScreenPixel(int screenX, int screenY, COLORREF colour)
{
    // A busy machine may take seconds to show a window: a deadline, not a count.
    const DWORD start = ::GetTickCount();
    do {
        PumpMessages(20);
        if (ScreenPixel(screenX, screenY) == colour)
            return true;
    } while (::GetTickCount() - start < 20000);
    return false;
}

std::string DescribeScreenPoint(int screenX, int screenY)
{
    const COLORREF shown = ScreenPixel(screenX, screenY);
    char text[64]{};
    std::snprintf(text, sizeof text, "the screen shows %02x%02x%02x at %d, %d", GetRValue(shown), GetGValue(shown),
                  GetBValue(shown), screenX, screenY);
    std::string description = text;
    HWND window = ::WindowFromPoint(POINT{screenX, screenY});
    if (window == nullptr)
        return description + ", no window";
    char className[128]{};
    char title[128]{};
    ::GetClassNameA(window, className, sizeof className);
    ::GetWindowTextA(window, title, sizeof title);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(process));
    return description + ", in window \"" + title + "\" of class " + className + " (process " + text +
           (process == ::GetCurrentProcessId() ? ", this one)" : ")");
}

} // namespace grabtest
