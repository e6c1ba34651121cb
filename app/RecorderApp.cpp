#include "app/RecorderApp.h"

#include "core/CommandLine.h"
#include "app/RecorderDlg.h"
#include "app/SplashWindow.h"
#include "aviwin/MotionJpegCodec.h"

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

// Registers the platform's ActiveX container window class, so that dialogs can
// host controls (the album's media player). Loaded by name: a missing
// library only costs the player.
void EnableControlContainer()
{
    HMODULE library = ::LoadLibraryA("atl.dll");
    if (!library)
        return;
    using InitFunction = BOOL(WINAPI*)();
    if (auto init = reinterpret_cast<InitFunction>(::GetProcAddress(library, "AtlAxWinInit")))
        init();
}

// Stops at the first top-level window that carries the main window's mark.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM found)
{
    if (!::GetPropA(window, kMainWindowMark))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

bool ActivatePreviousInstance()
{
    // By its mark, not by its title: a folder window named after the
    // program's folder, or any other program's window titled "Tavrelin",
    // would otherwise keep the program from starting.
    HWND previous = nullptr;
    ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&previous));
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
    EnableControlContainer();
    InstallMotionJpegCompressor(); // before any recording offers the compressor dialog
    EnableSplash(SplashAllowedByCommandLine(CommandLineArguments()));
    CRecorderDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
