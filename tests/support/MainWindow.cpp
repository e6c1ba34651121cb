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

HWND FindProgramPage(HWND mainWindow, int controlId)
{
    HWND tab = ChildById(mainWindow, kPageTabId);
    for (HWND child : AllChildren(tab))
        if (::GetParent(child) == tab && ::GetDlgItem(child, controlId))
            return child;
    return nullptr;
}

} // namespace e2e
