#include "Input.h"

#include "Controls.h"
#include "WindowQuery.h"

#include <commctrl.h>

namespace e2e {
namespace {

LPARAM PointLParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The lParam of WM_KEYDOWN/WM_KEYUP: repeat count 1, scan code, and for the
// release the previous-state and transition bits.
LPARAM KeyLParam(WORD virtualKey, bool release)
{
    const UINT scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM lParam = 1 | (static_cast<LPARAM>(scanCode) << 16);
    if (release)
        lParam |= (1 << 30) | (1u << 31);
    return lParam;
}

INPUT KeyInput(WORD virtualKey, bool release)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

POINT ClientToScreenPoint(HWND window, int x, int y)
{
    POINT point{x, y};
    ::ClientToScreen(window, &point);
    return point;
}

std::optional<std::string> VisibleTooltipText(HWND tooltip)
{
    if (tooltip == nullptr || !IsVisible(tooltip))
        return std::nullopt;
    std::string text = WindowText(tooltip);
    if (text.empty())
        return std::nullopt;
    return text;
}

// Moves the cursor to the point and returns the point as an lParam.
LPARAM PointAtCursor(HWND window, int clientX, int clientY)
{
    const POINT screen = ClientToScreenPoint(window, clientX, clientY);
    ::SetCursorPos(screen.x, screen.y);
    const LPARAM point = PointLParam(clientX, clientY);
    ::PostMessageA(window, WM_MOUSEMOVE, 0, point);
    return point;
}

} // namespace

void MoveCursor(int screenX, int screenY) { ::SetCursorPos(screenX, screenY); }

void SendMouseAt(POINT screenPoint, DWORD buttonFlags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screenPoint.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(screenPoint.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = buttonFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void ClickClient(HWND window, int clientX, int clientY)
{
    const LPARAM point = PointAtCursor(window, clientX, clientY);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageA(window, WM_LBUTTONUP, 0, point);
}

void DoubleClickClient(HWND window, int clientX, int clientY)
{
    const LPARAM point = PointAtCursor(window, clientX, clientY);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageA(window, WM_LBUTTONUP, 0, point);
    ::PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::PostMessageA(window, WM_LBUTTONUP, 0, point);
}

void RestCursorOffWindows()
{
    const int right = ::GetSystemMetrics(SM_CXSCREEN) - 1, bottom = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    const POINT corners[] = {{right, bottom}, {0, bottom}, {right, 0}, {0, 0}};
    for (const POINT corner : corners) {
        if (::WindowFromPoint(corner) == ::GetDesktopWindow()) {
            MoveCursor(corner.x, corner.y);
            return;
        }
    }
    MoveCursor(corners[0].x, corners[0].y);
}

std::optional<std::string> HoverAndReadTooltip(HWND toolbar, int buttonIndex, Timeout timeout)
{
    const std::optional<RECT> item = ToolbarItemRect(toolbar, buttonIndex);
    const HWND tooltip = ToolbarTooltipWindow(toolbar);
    if (!item || tooltip == nullptr)
        return std::nullopt;
    // A tip still up from an earlier hover would be read as this one's.
    if (!WaitUntil([&] { return !IsVisible(tooltip); }, Timeout{5000}))
        return std::nullopt;
    const int x = (item->left + item->right) / 2;
    const int y = (item->top + item->bottom) / 2;
    const POINT screen = ClientToScreenPoint(toolbar, x, y);
    MoveCursor(screen.x, screen.y);
    // The toolbar relays the mouse messages it receives to its tooltip, which
    // starts its show timer from them.
    ::PostMessageA(toolbar, WM_MOUSEMOVE, 0, PointLParam(x, y));
    std::optional<std::string> text;
    WaitUntil(
        [&] {
            text = VisibleTooltipText(tooltip);
            return text.has_value();
        },
        timeout);
    const RECT toolbarRect = WindowRect(toolbar);
    MoveCursor(toolbarRect.right + 200, toolbarRect.bottom + 200);
    ::PostMessageA(toolbar, WM_MOUSEMOVE, 0, PointLParam(-1, -1));
    // The next hover must not read this tip while it is still up.
    WaitUntil([&] { return !IsVisible(tooltip); }, Timeout{2000});
    return text;
}

bool DragReal(POINT from, POINT to)
{
    constexpr int kSteps = 10;
    HWND window = ::WindowFromPoint(from);
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    const auto button = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        return ::SendInput(1, &input, sizeof(INPUT)) == 1;
    };
    const auto captured = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
    };
    MoveCursor(from.x, from.y);
    if (!button(MOUSEEVENTF_LEFTDOWN))
        return false;
    // The window that has taken the mouse (its move loop) gets each move
    // with the cursor already there; under Wine injected absolute moves do
    // not reach a move loop. No move is made before it has the mouse: a move
    // loop measures the drag from where the cursor is when it starts.
    if (!WaitUntil([&] { return captured() != nullptr; })) {
        button(MOUSEEVENTF_LEFTUP);
        return false;
    }
    HWND target = captured();
    for (int step = 1; step <= kSteps; ++step) {
        const POINT at{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps};
        MoveCursor(at.x, at.y);
        POINT client = at;
        ::ScreenToClient(target, &client);
        ::PostMessageA(target, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        ::Sleep(30);
    }
    const bool released = button(MOUSEEVENTF_LEFTUP);
    POINT client = to;
    ::ScreenToClient(target, &client);
    ::PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    return released;
}

void PressKey(HWND window, WORD virtualKey)
{
    ::PostMessageA(window, WM_KEYDOWN, virtualKey, KeyLParam(virtualKey, false));
    ::PostMessageA(window, WM_KEYUP, virtualKey, KeyLParam(virtualKey, true));
}

void PressKeyToFocus(HWND window, WORD virtualKey)
{
    const HWND focus = FocusedControl(window);
    PressKey(focus != nullptr ? focus : window, virtualKey);
}

bool PressKeyReal(HWND topLevel, WORD virtualKey, Timeout timeout)
{
    ::SetForegroundWindow(topLevel);
    if (!WaitUntil([&] { return ::GetForegroundWindow() == topLevel; }, timeout))
        return false;
    INPUT inputs[2] = {KeyInput(virtualKey, false), KeyInput(virtualKey, true)};
    return ::SendInput(2, inputs, sizeof(INPUT)) == 2;
}

bool PressChordReal(HWND topLevel, WORD modifier, WORD virtualKey, Timeout timeout)
{
    ::SetForegroundWindow(topLevel);
    if (!WaitUntil([&] { return ::GetForegroundWindow() == topLevel; }, timeout))
        return false;
    INPUT inputs[4] = {KeyInput(modifier, false), KeyInput(virtualKey, false), KeyInput(virtualKey, true),
                       KeyInput(modifier, true)};
    return ::SendInput(4, inputs, sizeof(INPUT)) == 4;
}

HWND FocusedControl(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

} // namespace e2e
