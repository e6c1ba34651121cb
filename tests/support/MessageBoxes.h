#pragma once
// Message boxes and other standard dialogs (class "#32770") of a process.
#include "Wait.h"

#include <windows.h>

#include <string>

namespace e2e {

// A message box: a dialog-class window that holds the message text control
// (id 0xFFFF) and nothing but static controls and buttons. Other dialogs
// (a dialog-based main window, a dialog with an edit) are not taken for one.
bool IsMessageBox(HWND window);

// The first visible message box of the process, with that caption when one
// is given; null when none.
HWND FindMessageBox(DWORD pid, const std::string& caption = "");
HWND WaitForMessageBox(DWORD pid, Timeout timeout = kDefaultTimeout, const std::string& caption = "");

// The message: the static control with id 0xFFFF that a message box holds.
std::string MessageBoxText(HWND messageBox);
std::string Caption(HWND window);

// Presses a dialog button (IDOK, IDCANCEL, IDYES, ...) by posting the
// WM_COMMAND the button would send; false when the dialog has no such button.
bool PressButton(HWND dialog, int buttonId);
// Types the path into an open-file dialog's name field and presses Open;
// false when the dialog has no name field.
bool ChooseFile(HWND openDialog, const std::string& path);

} // namespace e2e
