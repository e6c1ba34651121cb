#include "RunningProgram.h"

#include "ProgramCopy.h"
#include "WindowQuery.h"

#include <cstring>
#include <map>
#include <stdexcept>

namespace e2e {
namespace {

struct CaseInsensitiveLess {
    bool operator()(const std::string& left, const std::string& right) const
    {
        return ::lstrcmpiA(left.c_str(), right.c_str()) < 0;
    }
};
using EnvironmentMap = std::map<std::string, std::string, CaseInsensitiveLess>;

struct EnvironmentStringsDeleter {
    void operator()(char* block) const { ::FreeEnvironmentStringsA(block); }
};

EnvironmentMap InheritedEnvironment()
{
    EnvironmentMap variables;
    std::unique_ptr<char, EnvironmentStringsDeleter> block(::GetEnvironmentStringsA());
    for (const char* entry = block.get(); entry != nullptr && *entry != '\0'; entry += std::strlen(entry) + 1) {
        const std::string line(entry);
        // Entries such as "=C:=C:\dir" start with '=': the name includes it.
        const size_t equals = line.find('=', 1);
        if (equals != std::string::npos)
            variables[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return variables;
}

std::string FolderOf(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

} // namespace

std::string BuildEnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& overrides)
{
    EnvironmentMap variables = InheritedEnvironment();
    for (const auto& [name, value] : overrides)
        variables[name] = value;
    std::string block;
    for (const auto& [name, value] : variables) {
        block += name + "=" + value;
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

RunningProgram::RunningProgram(const std::string& executable, const std::string& arguments)
    : RunningProgram(LaunchOptions{executable, arguments, {}, {}})
{}

RunningProgram::RunningProgram(const LaunchOptions& options)
{
    const std::string executable = ToWindowsPath(options.executable);
    std::string commandLine = "\"" + executable + "\"";
    if (!options.arguments.empty())
        commandLine += " " + options.arguments;
    std::string environment = BuildEnvironmentBlock(options.environment);
    const std::string directory =
        options.workingDirectory.empty() ? FolderOf(executable) : ToWindowsPath(options.workingDirectory);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, environment.data(),
                          directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        throw std::runtime_error("CreateProcess failed for " + commandLine + ", error " +
                                 std::to_string(::GetLastError()));
    }
    ::CloseHandle(process.hThread);
    m_hProcess.reset(process.hProcess);
    m_dwPid = process.dwProcessId;
}

RunningProgram::~RunningProgram()
{
    if (m_hProcess)
        Close();
}

bool RunningProgram::IsRunning() const
{
    return m_hProcess && ::WaitForSingleObject(m_hProcess.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> RunningProgram::WaitForExit(Timeout timeout) const
{
    if (!m_hProcess || ::WaitForSingleObject(m_hProcess.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD exitCode = 0;
    ::GetExitCodeProcess(m_hProcess.get(), &exitCode);
    return exitCode;
}

std::optional<DWORD> RunningProgram::Close(Timeout grace)
{
    if (!IsRunning())
        return WaitForExit(Timeout{0});
    // Hidden helper windows (tooltips, IME) are left to the program's own
    // shutdown; closing them first would not be what a user does.
    for (HWND window : AllTopLevel(m_dwPid)) {
        if (IsVisible(window))
            ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (std::optional<DWORD> exitCode = WaitForExit(grace))
        return exitCode;
    ::TerminateProcess(m_hProcess.get(), 1);
    WaitForExit(kDefaultTimeout);
    return std::nullopt;
}

} // namespace e2e
