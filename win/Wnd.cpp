#include "win/Wnd.h"

#include "win/App.h"
#include "win/WindowThreadCall.h"

#include <cstdio>

namespace win {
namespace {

const char kObjectProperty[] = "Tavrelin.CWnd";

thread_local CWnd* t_windowBeingCreated = nullptr;
thread_local HHOOK t_creationHook = nullptr;

} // namespace

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = static_cast<CWnd*>(::GetPropA(window, kObjectProperty));
    if (!object)
        return ::DefWindowProcA(window, message, wParam, lParam);
    return object->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_windowBeingCreated) {
        CWnd* object = t_windowBeingCreated;
        t_windowBeingCreated = nullptr;
        object->Attach(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(t_creationHook, code, wParam, lParam);
}

CWnd::CreationScope::CreationScope(CWnd* window)
{
    t_windowBeingCreated = window;
    if (!t_creationHook)
        t_creationHook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
}

CWnd::CreationScope::~CreationScope()
{
    t_windowBeingCreated = nullptr;
    if (t_creationHook) {
        ::UnhookWindowsHookEx(t_creationHook);
        t_creationHook = nullptr;
    }
}

CWnd::~CWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // The object goes first: no virtual call may reach it while it dies.
        HWND window = m_hWnd;
        Detach();
        ::DestroyWindow(window);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    return window ? static_cast<CWnd*>(::GetPropA(window, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND window)
{
    m_hWnd = window;
    ::SetPropA(window, kObjectProperty, this);
    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
}

void CWnd::Detach()
{
    if (!m_hWnd)
        return;
    if (m_previousProc && ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FrameworkWindowProc))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_previousProc = nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId)
{
    CreationScope scope(this);
    HWND window = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                                    AfxGetInstanceHandle(), nullptr);
    return window != nullptr && m_hWnd == window;
}

bool CWnd::SubclassWindow(HWND window)
{
    if (!window || m_hWnd || FromHandlePermanent(window))
        return false;
    Attach(window);
    return true;
}

bool CWnd::SubclassDlgItem(int controlId, CWnd* parent)
{
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, controlId));
}

HWND CWnd::UnsubclassWindow()
{
    HWND window = m_hWnd;
    Detach();
    return window;
}

bool CWnd::DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd); }

HWND CWnd::GiveToWindow(std::unique_ptr<CWnd> object)
{
    if (!object || !object->m_hWnd)
        return nullptr;
    CWnd* kept = object.get();
    kept->m_ownedByWindow = std::move(object);
    return kept->m_hWnd;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const Message outer = m_current;
    m_current = {message, wParam, lParam};
    ++m_dispatchDepth;
    LRESULT result = WindowProc(message, wParam, lParam);
    --m_dispatchDepth;
    m_current = outer;
    if (message == WM_NCDESTROY) {
        Detach();
        m_windowGone = true;
    }
    // A window destroyed from one of its own handlers gets WM_NCDESTROY nested
    // inside that handler: the object is let go only once the outermost
    // handler has returned, so no handler runs on a deleted object.
    if (m_windowGone && m_dispatchDepth == 0) {
        m_windowGone = false;
        std::unique_ptr<CWnd> self = std::move(m_ownedByWindow);
        PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::Default()
{
    const Message& m = m_current;
    if (!m_previousProc)
        return ::DefWindowProcA(m_hWnd, m.message, m.wParam, m.lParam);
    return ::CallWindowProcA(m_previousProc, m_hWnd, m.message, m.wParam, m.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), &result))
            return result;
        break;
    }
    case WM_RUN_POSTED_WORK:
        RunPostedWork(lParam);
        return 0;
    default:
        break;
    }
    return Default();
}

bool CWnd::OnCommand(UINT, UINT, HWND) { return false; }
bool CWnd::OnNotify(NMHDR*, LRESULT*) { return false; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam) != FALSE;
}

bool CWnd::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const
{
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags) != FALSE;
}

bool CWnd::MoveWindow(int x, int y, int width, int height, bool repaint) const
{
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint) != FALSE;
}

RECT CWnd::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

std::string CWnd::GetWindowText() const
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWnd::CenterWindow() const
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    RECT area{};
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        HMONITOR handle = ::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY);
        ::GetMonitorInfoA(handle, &monitor);
        area = monitor.rcWork;
    }
    const RECT self = GetWindowRect();
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

bool RegisterNamedClassForFramework(const char* name, UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    WNDCLASSA existing{};
    if (::GetClassInfoA(AfxGetInstanceHandle(), name, &existing))
        return true;
    WNDCLASSA windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    return ::RegisterClassA(&windowClass) != 0;
}

std::string RegisterClassForFramework(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    char name[96];
    std::snprintf(name, sizeof name, "Tavrelin:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    RegisterNamedClassForFramework(name, classStyle, cursor, background, icon);
    return name;
}

} // namespace win
