#pragma once
// Finding Tavrelin's main window. Message boxes of the program carry the same
// class and caption, so the main window is told apart by its page tabs.
#include "Wait.h"

#include <windows.h>

namespace e2e {

HWND FindProgramMainWindow(DWORD pid);
HWND WaitForProgramMainWindow(DWORD pid, Timeout timeout = kDefaultTimeout);

} // namespace e2e
