#include "WindowQuery.h"

#include <cstdio>
#include <functional>

namespace e2e {
namespace {

using WindowVisitor = std::function<void(HWND)>;

BOOL CALLBACK VisitWindow(HWND window, LPARAM visitor)
{
    (*reinterpret_cast<WindowVisitor*>(visitor))(window);
    return TRUE;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

bool Matches(HWND window, const std::string& className, const std::string& title)
{
    return (className.empty() || ClassName(window) == className) && (title.empty() || WindowText(window) == title);
}

} // namespace

std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

bool WaitForPostedMessages(HWND button, Timeout timeout)
{
    const auto pushed = [button] { return (SendWithTimeout(button, BM_GETSTATE, 0, 0).value_or(0) & BST_PUSHED) != 0; };
    if (!::PostMessageA(button, BM_SETSTATE, TRUE, 0))
        return false;
    const bool handled = WaitUntil(pushed, timeout);
    ::PostMessageA(button, BM_SETSTATE, FALSE, 0);
    return WaitUntil([&] { return !pushed(); }, timeout) && handled;
}

bool WaitForPaintsDone(HWND window, Timeout timeout)
{
    return WaitUntil(
        [window] {
            if (::GetUpdateRect(window, nullptr, FALSE))
                return false;
            for (HWND child : AllChildren(window))
                if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE))
                    return false;
            return true;
        },
        timeout);
}

std::vector<HWND> AllTopLevel(DWORD pid)
{
    std::vector<HWND> windows;
    WindowVisitor collect = [&](HWND window) {
        if (ProcessOf(window) == pid)
            windows.push_back(window);
    };
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&collect));
    return windows;
}

HWND FindTopLevel(DWORD pid, const std::string& className, const std::string& title, bool visibleOnly)
{
    for (HWND window : AllTopLevel(pid)) {
        if ((!visibleOnly || IsVisible(window)) && Matches(window, className, title))
            return window;
    }
    return nullptr;
}

HWND WaitForTopLevel(DWORD pid, const std::string& className, const std::string& title, Timeout timeout)
{
    return WaitForWindow([&] { return FindTopLevel(pid, className, title, true); }, timeout);
}

std::vector<HWND> AllChildren(HWND parent)
{
    std::vector<HWND> windows;
    WindowVisitor collect = [&](HWND window) { windows.push_back(window); };
    ::EnumChildWindows(parent, VisitWindow, reinterpret_cast<LPARAM>(&collect));
    return windows;
}

HWND ChildById(HWND parent, int controlId)
{
    if (HWND direct = ::GetDlgItem(parent, controlId))
        return direct;
    for (HWND window : AllChildren(parent)) {
        if (ControlId(window) == controlId)
            return window;
    }
    return nullptr;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text)
{
    for (HWND window : AllChildren(parent)) {
        if (Matches(window, className, text))
            return window;
    }
    return nullptr;
}

std::string WindowText(HWND window)
{
    const std::optional<LRESULT> length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    if (!length || *length <= 0)
        return {};
    // WM_GETTEXT is marshalled between processes, so a local buffer will do.
    std::string text(static_cast<size_t>(*length) + 1, '\0');
    const std::optional<LRESULT> copied =
        SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied && *copied > 0 ? static_cast<size_t>(*copied) : 0);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = {};
    const int length = ::GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

int ControlId(HWND window) { return static_cast<int>(::GetWindowLongPtrA(window, GWLP_ID)); }

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect{};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsVisible(HWND window) { return ::IsWindowVisible(window) != FALSE; }

std::string DescribeTopLevel(DWORD pid)
{
    std::string description;
    for (HWND window : AllTopLevel(pid)) {
        char handle[32] = {};
        std::snprintf(handle, sizeof handle, "%p", static_cast<void*>(window));
        description += std::string(handle) + " [" + ClassName(window) + "] \"" + WindowText(window) + "\"" +
                       (IsVisible(window) ? " visible" : " hidden") + "\n";
    }
    return description;
}

} // namespace e2e
