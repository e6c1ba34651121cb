#include "MainWindow.h"

#include "WindowQuery.h"

namespace e2e {
namespace {
const int kPageTabId = 1000;
}

HWND FindProgramMainWindow(DWORD pid)
{
    for (HWND window : AllTopLevel(pid)) {
        if (ClassName(window) == "#32770" && WindowText(window) == "Tavrelin" && IsVisible(window) &&
            ChildById(window, kPageTabId))
            return window;
    }
    return nullptr;
}

HWND WaitForProgramMainWindow(DWORD pid, Timeout timeout)
{
    return WaitForWindow([pid] { return FindProgramMainWindow(pid); }, timeout);
}

} // namespace e2e
