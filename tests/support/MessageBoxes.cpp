#include "MessageBoxes.h"

#include "WindowQuery.h"

namespace e2e {
namespace {

constexpr int kMessageTextId = 0xFFFF;
const char kDialogClass[] = "#32770";

} // namespace

bool IsMessageBox(HWND window)
{
    const HWND text = ::GetDlgItem(window, kMessageTextId);
    if (ClassName(window) != kDialogClass || text == nullptr || ClassName(text) != "Static")
        return false;
    for (HWND child : AllChildren(window)) {
        const std::string childClass = ClassName(child);
        if (childClass != "Static" && childClass != "Button")
            return false;
    }
    return true;
}

HWND FindMessageBox(DWORD pid, const std::string& caption)
{
    for (HWND window : AllTopLevel(pid)) {
        if (IsVisible(window) && IsMessageBox(window) && (caption.empty() || Caption(window) == caption))
            return window;
    }
    return nullptr;
}

HWND WaitForMessageBox(DWORD pid, Timeout timeout, const std::string& caption)
{
    return WaitForWindow([&] { return FindMessageBox(pid, caption); }, timeout);
}

std::string MessageBoxText(HWND messageBox)
{
    const HWND text = ::GetDlgItem(messageBox, kMessageTextId);
    return text == nullptr ? std::string() : WindowText(text);
}

std::string Caption(HWND window) { return WindowText(window); }

bool PressButton(HWND dialog, int buttonId)
{
    const HWND button = ::GetDlgItem(dialog, buttonId);
    if (button == nullptr)
        return false;
    return ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button)) !=
           FALSE;
}

bool ChooseFile(HWND openDialog, const std::string& path)
{
    HWND name = ::GetDlgItem(openDialog, 0x480); // edt1, the file name field
    if (!name)
        name = FindChild(::GetDlgItem(openDialog, 0x47C), "Edit"); // cmb13's edit
    if (!name)
        return false;
    ::SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, 5000, nullptr);
    return PressButton(openDialog, IDOK);
}

} // namespace e2e
