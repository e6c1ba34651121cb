#include "MessageBoxes.h"

#include "WindowQuery.h"

namespace e2e {
namespace {

constexpr int kMessageTextId = 0xFFFF;
const char kDialogClass[] = "#32770";

} // namespace

HWND FindMessageBox(DWORD pid)
{
    return FindTopLevel(pid, kDialogClass, "", true);
}

HWND WaitForMessageBox(DWORD pid, Timeout timeout)
{
    return WaitForWindow([pid] { return FindMessageBox(pid); }, timeout);
}

std::string MessageBoxText(HWND messageBox)
{
    const HWND text = ::GetDlgItem(messageBox, kMessageTextId);
    return text == nullptr ? std::string() : WindowText(text);
}

std::string Caption(HWND window)
{
    return WindowText(window);
}

bool PressButton(HWND dialog, int buttonId)
{
    const HWND button = ::GetDlgItem(dialog, buttonId);
    if (button == nullptr)
        return false;
    return ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                          reinterpret_cast<LPARAM>(button)) != FALSE;
}

} // namespace e2e
