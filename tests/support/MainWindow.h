#pragma once
// Finding Tavrelin's main window. Message boxes of the program carry the same
// class and caption, so the main window is told apart by its page tabs.
#include "Wait.h"

#include <windows.h>

namespace e2e {

HWND FindProgramMainWindow(DWORD pid);
HWND WaitForProgramMainWindow(DWORD pid, Timeout timeout = kDefaultTimeout);
// The page behind the main window's tabs that holds the control; null when
// none does.
HWND FindProgramPage(HWND mainWindow, int controlId);

} // namespace e2e
