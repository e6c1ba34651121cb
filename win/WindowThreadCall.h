#pragma once
// Work that has to run on a window's thread, asked for by another thread
// without a cross-thread SendMessage: the work is posted to the window, whose
// thread runs it from its message loop, and the asking thread waits for the
// answer or for its own reason to stop waiting. Windows the work opens (a
// modal dialog) then belong to the window's thread like every other window.
#include <windows.h>

#include <functional>

namespace win {

// The message CWnd answers by running the posted work.
inline constexpr UINT WM_RUN_POSTED_WORK = WM_APP + 0x3F0;

// Runs work on the window's thread and returns its answer once it has run.
// False when it could not be posted, or when `abandon` (an event; may be
// null) is set first: the work then still runs to its end, so it must keep
// to what it owns.
bool RunOnWindowThread(HWND window, std::function<bool()> work, HANDLE abandon);

// Runs the work a WM_RUN_POSTED_WORK message carries (its lParam).
void RunPostedWork(LPARAM posted);

} // namespace win
