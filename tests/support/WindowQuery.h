#pragma once
// Finding another process's windows and reading their state.
#include "Wait.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// How long a message sent to another process may take before the driver
// treats the target as hung.
inline constexpr UINT kSendTimeoutMs = 5000;

// SendMessage with a hang guard; nullopt when the target did not answer.
std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Waits until the thread of the button has handled every message posted to
// its windows so far: a state change posted to the button now takes effect
// only after them, and can be read back. Use a button the user doesn't see
// (it is drawn pushed for a moment). False at the deadline.
bool WaitForPostedMessages(HWND button, Timeout timeout = kDefaultTimeout);

// Waits until neither the window nor any of its children has a part left
// to paint; false at the deadline.
bool WaitForPaintsDone(HWND window, Timeout timeout = kDefaultTimeout);

// Top-level windows of a process, in Z order.
std::vector<HWND> AllTopLevel(DWORD pid);

// The first top-level window of the process that matches; an empty class
// name or title matches any. Null when none matches.
HWND FindTopLevel(DWORD pid, const std::string& className = "", const std::string& title = "", bool visibleOnly = true);

// FindTopLevel, repeated until a window appears or the deadline passes.
HWND WaitForTopLevel(DWORD pid, const std::string& className = "", const std::string& title = "",
                     Timeout timeout = kDefaultTimeout);

// Direct or indirect child with the control id; null when none.
HWND ChildById(HWND parent, int controlId);

// First descendant of the class (and text, when not empty); null when none.
HWND FindChild(HWND parent, const std::string& className, const std::string& text = "");

// Direct and indirect children of a window.
std::vector<HWND> AllChildren(HWND parent);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
int ControlId(HWND window);
RECT WindowRect(HWND window);
// The client area in screen coordinates.
RECT ClientRectOnScreen(HWND window);
bool IsVisible(HWND window);

// One line per top-level window of the process (handle, class, title,
// visibility), for failure messages.
std::string DescribeTopLevel(DWORD pid);

} // namespace e2e
