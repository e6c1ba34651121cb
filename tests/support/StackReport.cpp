#include "StackReport.h"

#include "Handles.h"

#include <dbghelp.h>
#include <tlhelp32.h>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

constexpr int kMaxFrames = 64;

#ifdef _WIN64
constexpr DWORD kMachine = IMAGE_FILE_MACHINE_AMD64;
void StartFrame(const CONTEXT& context, STACKFRAME64& frame)
{
    frame.AddrPC.Offset = context.Rip;
    frame.AddrStack.Offset = context.Rsp;
    frame.AddrFrame.Offset = context.Rbp;
}
#else
constexpr DWORD kMachine = IMAGE_FILE_MACHINE_I386;
void StartFrame(const CONTEXT& context, STACKFRAME64& frame)
{
    frame.AddrPC.Offset = context.Eip;
    frame.AddrStack.Offset = context.Esp;
    frame.AddrFrame.Offset = context.Ebp;
}
#endif

std::string Format(const char* format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

// "module+0xOFFSET symbol+0xDISP file:line", as much of it as is known.
std::string DescribeAddress(HANDLE process, DWORD64 pc)
{
    IMAGEHLP_MODULE64 module{};
    module.SizeOfStruct = sizeof module;
    std::string text = ::SymGetModuleInfo64(process, pc, &module)
                           ? Format("%s+0x%llx", module.ModuleName, pc - module.BaseOfImage)
                           : Format("0x%llx", pc);
    alignas(SYMBOL_INFO) char buffer[sizeof(SYMBOL_INFO) + MAX_SYM_NAME] = {};
    auto* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
    symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
    symbol->MaxNameLen = MAX_SYM_NAME;
    DWORD64 displacement = 0;
    if (::SymFromAddr(process, pc, &displacement, symbol))
        text += Format(" %s+0x%llx", symbol->Name, displacement);
    IMAGEHLP_LINE64 line{};
    line.SizeOfStruct = sizeof line;
    DWORD column = 0;
    if (::SymGetLineFromAddr64(process, pc, &column, &line))
        text += Format(" %s:%lu", line.FileName, line.LineNumber);
    return text;
}

std::string WalkSuspended(HANDLE process, HANDLE thread)
{
    CONTEXT context{};
    context.ContextFlags = CONTEXT_FULL;
    if (!::GetThreadContext(thread, &context))
        return Format("  (no context: error %lu)\n", ::GetLastError());
    STACKFRAME64 frame{};
    StartFrame(context, frame);
    frame.AddrPC.Mode = frame.AddrStack.Mode = frame.AddrFrame.Mode = AddrModeFlat;
    std::string text;
    for (int depth = 0; depth < kMaxFrames; ++depth) {
        if (!::StackWalk64(kMachine, process, thread, &frame, &context, nullptr, ::SymFunctionTableAccess64,
                           ::SymGetModuleBase64, nullptr) ||
            frame.AddrPC.Offset == 0)
            break;
        text += Format("  #%-2d ", depth) + DescribeAddress(process, frame.AddrPC.Offset) + "\n";
    }
    return text;
}

std::string ThreadStack(HANDLE process, DWORD tid)
{
    const UniqueHandle thread(
        ::OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, tid));
    const std::string heading = Format("thread %04lx\n", tid);
    if (!thread)
        return heading + Format("  (can't open: error %lu)\n", ::GetLastError());
    if (::SuspendThread(thread.get()) == static_cast<DWORD>(-1))
        return heading + Format("  (can't suspend: error %lu)\n", ::GetLastError());
    const std::string stack = WalkSuspended(process, thread.get());
    ::ResumeThread(thread.get());
    return heading + stack;
}

std::vector<DWORD> ThreadsOf(DWORD pid)
{
    std::vector<DWORD> threads;
    const UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == pid && entry.th32ThreadID != ::GetCurrentThreadId())
            threads.push_back(entry.th32ThreadID);
    return threads;
}

std::string ImagePath(HANDLE process)
{
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    return ::QueryFullProcessImageNameA(process, 0, path, &size) ? std::string(path, size) : std::string();
}

bool SameBitnessAsThis(HANDLE process)
{
    BOOL otherWow = FALSE, ownWow = FALSE;
    ::IsWow64Process(process, &otherWow);
    ::IsWow64Process(::GetCurrentProcess(), &ownWow);
    return otherWow == ownWow;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() &&
           ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(), static_cast<int>(prefix.size()),
                            prefix.c_str(), static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

} // namespace

std::string ThreadStacks(DWORD pid)
{
    const UniqueHandle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
    if (!process)
        return Format("process %04lx: can't open (error %lu)\n", pid, ::GetLastError());
    std::string text = Format("process %04lx %s\n", pid, ImagePath(process.get()).c_str());
    ::SymSetOptions(SYMOPT_DEFERRED_LOADS | SYMOPT_LOAD_LINES | SYMOPT_UNDNAME | SYMOPT_FAIL_CRITICAL_ERRORS);
    if (!::SymInitialize(process.get(), nullptr, TRUE))
        text += Format("  (no symbols: error %lu)\n", ::GetLastError());
    for (DWORD tid : ThreadsOf(pid))
        text += ThreadStack(process.get(), tid);
    ::SymCleanup(process.get());
    return text;
}

std::string AllProgramStacks()
{
    char windowsFolder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windowsFolder, sizeof windowsFolder);
    std::string text;
    const UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.get(), &entry); more; more = ::Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == ::GetCurrentProcessId())
            continue;
        const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (!process || StartsWithNoCase(ImagePath(process.get()), windowsFolder))
            continue;
        if (!SameBitnessAsThis(process.get())) {
            text += Format("process %04lx %s: other bitness, not walked\n", entry.th32ProcessID,
                           ImagePath(process.get()).c_str());
            continue;
        }
        text += ThreadStacks(entry.th32ProcessID);
    }
    return text;
}

} // namespace e2e
