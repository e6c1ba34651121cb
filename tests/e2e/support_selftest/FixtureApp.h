#pragma once
// The fixture program started from a fresh copy of its folder, with its main
// window found.
#include "E2eSupport.h"
#include "FixtureIds.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e::test {

class FixtureApp {
public:
    explicit FixtureApp(LaunchOptions options = {})
        : m_copy(E2E_FIXTURE_DIR), m_program(WithExecutable(std::move(options), m_copy)),
          m_hMain(WaitForTopLevel(m_program.Pid(), E2E_FIXTURE_CLASS))
    {}

    ProgramCopy& Copy() { return m_copy; }
    RunningProgram& Program() { return m_program; }
    HWND Main() const { return m_hMain; }
    HWND Control(int id) const { return ChildById(m_hMain, id); }
    std::string Status() const { return WindowText(Control(E2E_ID_STATUS)); }
    // True once the status line shows the text.
    bool WaitForStatus(const std::string& expected) const
    {
        return WaitUntil([&] { return Status() == expected; });
    }
    void PostCommand(int id) const { ::PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

private:
    static LaunchOptions WithExecutable(LaunchOptions options, const ProgramCopy& copy)
    {
        options.executable = copy.File("e2e_fixture_gui.exe");
        return options;
    }

    ProgramCopy m_copy;
    RunningProgram m_program;
    HWND m_hMain;
};

} // namespace e2e::test
