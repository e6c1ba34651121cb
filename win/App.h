#pragma once
// The application object: one static instance per program, started by the
// framework's WinMain.
#include <windows.h>
#include <string>

namespace win {

class CWnd;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Returning false ends the process; returning true runs a message loop
    // until WM_QUIT.
    virtual bool InitInstance() = 0;
    // A plain loop, unlike the framework it imitates: no idle processing and
    // no PreTranslateMessage; dialogs get their keys in their own modal loops.
    int Run();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    // The executable's file name without its extension.
    std::string m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
const char* AfxGetAppName();

// Entry point body shared by WinMain and tests that host the framework.
int AfxWinMain(HINSTANCE instance);

} // namespace win
