#pragma once
// A program under test, started with CreateProcess and always ended by the
// time its owner goes out of scope.
#include "Handles.h"
#include "Wait.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct LaunchOptions {
    std::string executable; // Windows or Unix path
    std::string arguments;  // appended to the quoted executable
    // Added to (or replacing) the inherited environment; names ignore case.
    std::vector<std::pair<std::string, std::string>> environment;
    std::string workingDirectory; // empty: the executable's folder
};

class RunningProgram {
public:
    // Throws std::runtime_error when the process cannot be created.
    explicit RunningProgram(const LaunchOptions& options);
    RunningProgram(const std::string& executable, const std::string& arguments = "");
    ~RunningProgram();
    RunningProgram(RunningProgram&&) noexcept = default;
    RunningProgram& operator=(RunningProgram&&) = delete;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD Pid() const { return m_dwPid; }
    HANDLE Process() const { return m_hProcess.get(); }
    bool IsRunning() const;
    // The exit code, or nullopt when the process is still running at the deadline.
    std::optional<DWORD> WaitForExit(Timeout timeout = kDefaultTimeout) const;
    // WM_CLOSE to every top-level window, then a wait; TerminateProcess when it
    // does not end. Returns the exit code when it ended by itself.
    std::optional<DWORD> Close(Timeout grace = Timeout{3000});

private:
    UniqueHandle m_hProcess;
    DWORD m_dwPid = 0;
};

// The environment block CreateProcess wants: "NAME=value\0...\0\0", the
// inherited variables with the overrides applied, sorted by name.
std::string BuildEnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& overrides);

} // namespace e2e
