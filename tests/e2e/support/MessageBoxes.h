#pragma once
// Message boxes and other standard dialogs (class "#32770") of a process.
#include "Wait.h"

#include <windows.h>

#include <string>

namespace e2e {

// The first visible dialog-class top-level window of the process; null when none.
HWND FindMessageBox(DWORD pid);
HWND WaitForMessageBox(DWORD pid, Timeout timeout = kDefaultTimeout);

// The message: the static control with id 0xFFFF that a message box holds.
std::string MessageBoxText(HWND messageBox);
std::string Caption(HWND window);

// Presses a dialog button (IDOK, IDCANCEL, IDYES, ...) by posting the
// WM_COMMAND the button would send; false when the dialog has no such button.
bool PressButton(HWND dialog, int buttonId);

} // namespace e2e
