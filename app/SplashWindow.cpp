#include "app/SplashWindow.h"

#include "res/resource.h"
#include "win/App.h"

#include <memory>

namespace {

bool g_splashEnabled = false;
// At most one splash exists; it is released when its window is gone.
std::unique_ptr<CSplashWindow> g_currentSplash;
const UINT_PTR kCloseTimer = 1;
const UINT kShowMilliseconds = 750;

} // namespace

void EnableSplash(bool enabled) { g_splashEnabled = enabled; }

void ShowSplash(win::CWnd* parent)
{
    if (!g_splashEnabled || g_currentSplash)
        return;
    g_currentSplash = std::make_unique<CSplashWindow>();
    if (!g_currentSplash->CreateSplash(parent)) {
        g_currentSplash.reset();
        return;
    }
    g_currentSplash->UpdateWindow();
}

CSplashWindow::~CSplashWindow() = default;

bool CSplashWindow::CreateSplash(win::CWnd* parent)
{
    m_bitmap.reset(static_cast<HBITMAP>(::LoadImageA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_SPLASH),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!m_bitmap)
        return false;
    BITMAP info{};
    ::GetObjectA(m_bitmap.get(), sizeof info, &info);
    const std::string className =
        win::RegisterClassForFramework(0, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
    m_created = CreateEx(0, className.c_str(), nullptr, WS_POPUP | WS_VISIBLE, 0, 0, info.bmWidth, info.bmHeight,
                         parent ? parent->m_hWnd : nullptr, nullptr);
    return m_created;
}

LRESULT CSplashWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (Default() == -1)
            return -1;
        CenterWindow();
        ::SetTimer(m_hWnd, kCloseTimer, kShowMilliseconds, nullptr);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_TIMER:
        OnTimer();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CSplashWindow::OnPaint()
{
    win::PaintDC paint(m_hWnd);
    win::UniqueMemoryDC memory(::CreateCompatibleDC(paint.get()));
    if (!memory)
        return;
    BITMAP info{};
    ::GetObjectA(m_bitmap.get(), sizeof info, &info);
    win::SelectedObject selected(memory.get(), m_bitmap.get());
    ::BitBlt(paint.get(), 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

void CSplashWindow::OnTimer()
{
    DestroyWindow();
    if (win::CWnd* main = win::AfxGetMainWnd(); main && main->m_hWnd)
        main->UpdateWindow();
}

void CSplashWindow::PostNcDestroy()
{
    // A window that failed during creation is released by ShowSplash.
    if (m_created && g_currentSplash.get() == this)
        g_currentSplash.reset();
}
