#pragma once
// Mouse and keyboard input for another process's windows.
#include "Wait.h"

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// Moves the real cursor (Wine moves the X pointer with it).
void MoveCursor(int screenX, int screenY);
// Moves the cursor to a screen corner that no window covers (the first
// corner when all are covered), so no control under it turns hot.
void RestCursorOffWindows();
// Real mouse input through SendInput: a move to the screen point, with the
// button flags (MOUSEEVENTF_LEFTDOWN, ...) given; 0 moves only.
void SendMouseAt(POINT screenPoint, DWORD buttonFlags);

// A left click at client coordinates: the cursor goes there first, so controls
// that read the cursor position agree with the posted button messages.
void ClickClient(HWND window, int clientX, int clientY);
// A left double click, as the system delivers it: down, up, double-click, up.
void DoubleClickClient(HWND window, int clientX, int clientY);

// Hovers over the toolbar button and returns its tooltip's text once the
// tooltip window is visible with text; nullopt at the deadline. The cursor is
// moved away afterwards.
std::optional<std::string> HoverAndReadTooltip(HWND toolbar, int buttonIndex, Timeout timeout = kDefaultTimeout);

// Drags with the left button, as a user does: a real press at `from`, the
// cursor moved to `to` in steps, a real release. Screen coordinates. Each
// move is also posted to the window that took the mouse (a move loop waits
// for it). False when the input was not taken or no window took the mouse.
bool DragReal(POINT from, POINT to);
// Posts WM_KEYDOWN and WM_KEYUP to a window (normally the focused control).
// A modal dialog's loop still passes them through IsDialogMessage.
void PressKey(HWND window, WORD virtualKey);

// PressKey to the control that has the focus in the window's thread (the
// window itself when none has).
void PressKeyToFocus(HWND window, WORD virtualKey);

// Brings the top-level window to the foreground and types the key through
// SendInput, as a user would. False when the window did not become the
// foreground window.
bool PressKeyReal(HWND topLevel, WORD virtualKey, Timeout timeout = kDefaultTimeout);

// The same with a modifier held down (VK_CONTROL, VK_SHIFT) for the key.
bool PressChordReal(HWND topLevel, WORD modifier, WORD virtualKey, Timeout timeout = kDefaultTimeout);

// The focused control of the thread that owns the window; null when none.
HWND FocusedControl(HWND window);

} // namespace e2e
