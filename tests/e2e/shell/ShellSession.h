#pragma once
// A fresh copy of the program folder with the program running in it.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace shell {

inline constexpr int kTakePictures = 32771;
inline constexpr int kStartRecord = 32772;
inline constexpr int kEndRecord = 32775;
inline constexpr int kWindowStyle = 32774;
inline constexpr int kReadMe = 32782;
inline constexpr int kAbout = 57664;
inline constexpr int kPageTab = 1000;
inline constexpr int kSplashWidth = 520;
inline constexpr int kSplashHeight = 317;

class ShellSession {
public:
    explicit ShellSession(const std::string& arguments = "/Embedding")
        : m_program(e2e::LaunchOptions{m_folder.File("Tavrelin.exe"), arguments, {}, m_folder.Path()})
    {}

    // The main window once it is shown; null (and a failed expectation) when it never is.
    HWND MainWindow()
    {
        if (!m_main)
            m_main = e2e::WaitForProgramMainWindow(m_program.Pid());
        EXPECT_NE(m_main, nullptr) << e2e::DescribeTopLevel(m_program.Pid());
        return m_main;
    }
    HWND Toolbar() { return e2e::FindChild(MainWindow(), "ToolbarWindow32"); }
    HWND Tab() { return e2e::ChildById(MainWindow(), kPageTab); }

    // Sends a toolbar command and returns once the window has handled it;
    // false when the handler did not return (a modal loop is running).
    bool Command(int id, e2e::Timeout timeout = e2e::Timeout{3000})
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(MainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL,
                                     static_cast<UINT>(timeout.count()), &result) != 0;
    }

    e2e::ProgramCopy& Folder() { return m_folder; }
    e2e::RunningProgram& Program() { return m_program; }

private:
    e2e::ProgramCopy m_folder;
    e2e::RunningProgram m_program;
    HWND m_main = nullptr;
};

} // namespace shell
