#include "RecorderApp.h"

#include "CommandLine.h"
#include "RecorderDlg.h"
#include "SplashWindow.h"

#include <windows.h>

#include <cstdlib>

namespace {

CRecorderApp theApp;

std::vector<std::string> CommandLineArguments()
{
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}

} // namespace

bool ActivatePreviousInstance()
{
    HWND previous = ::FindWindowA(nullptr, "Tavrelin");
    if (!previous)
        return true;
    HWND lastActive = ::GetLastActivePopup(previous);
    if (::IsIconic(previous))
        ::ShowWindow(previous, SW_RESTORE);
    ::SetForegroundWindow(lastActive);
    return false;
}

bool CRecorderApp::InitInstance()
{
    if (!ActivatePreviousInstance())
        return false;
    // Dialogs host ActiveX controls through the platform's container window
    // class; the album page creates it when it needs it.
    EnableSplash(SplashAllowedByCommandLine(CommandLineArguments()));
    CRecorderDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
