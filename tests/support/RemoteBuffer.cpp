#include "RemoteBuffer.h"

#include <stdexcept>
#include <string>

namespace e2e {
namespace {

bool IsWow64(HANDLE process)
{
    BOOL wow64 = FALSE;
    return ::IsWow64Process(process, &wow64) && wow64;
}

} // namespace

bool SameBitness(HANDLE process) { return IsWow64(process) == IsWow64(::GetCurrentProcess()); }

RemoteBuffer::RemoteBuffer(DWORD pid, size_t size) : m_nSize(size)
{
    m_hProcess.reset(::OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!m_hProcess)
        throw std::runtime_error("OpenProcess failed for pid " + std::to_string(pid));
    if (!SameBitness(m_hProcess.get()))
        throw std::runtime_error("process " + std::to_string(pid) + " has another bitness");
    m_pRemote = ::VirtualAllocEx(m_hProcess.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (m_pRemote == nullptr)
        throw std::runtime_error("VirtualAllocEx failed, error " + std::to_string(::GetLastError()));
}

RemoteBuffer RemoteBuffer::ForWindow(HWND window, size_t size)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return RemoteBuffer(pid, size);
}

RemoteBuffer::RemoteBuffer(RemoteBuffer&& other) noexcept
    : m_hProcess(std::move(other.m_hProcess)), m_pRemote(other.m_pRemote), m_nSize(other.m_nSize)
{
    other.m_pRemote = nullptr;
}

RemoteBuffer::~RemoteBuffer()
{
    if (m_pRemote != nullptr)
        ::VirtualFreeEx(m_hProcess.get(), m_pRemote, 0, MEM_RELEASE);
}

void* RemoteBuffer::Address(size_t offset) const { return static_cast<std::uint8_t*>(m_pRemote) + offset; }

bool RemoteBuffer::Write(size_t offset, const void* data, size_t size)
{
    SIZE_T written = 0;
    return Fits(offset, size) && ::WriteProcessMemory(m_hProcess.get(), Address(offset), data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T read = 0;
    return Fits(offset, size) && ::ReadProcessMemory(m_hProcess.get(), Address(offset), data, size, &read) &&
           read == size;
}

} // namespace e2e
