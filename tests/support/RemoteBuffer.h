#pragma once
// Memory inside another process, for messages whose lParam points at a
// structure that the system does not copy between processes (TCM_GETITEMRECT,
// TB_GETBUTTON, LVM_GETITEMTEXT, TTM_GETTEXT, ...). The structures' layout is
// this process's, so the target must have the same bitness.
#include "Handles.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace e2e {

class RemoteBuffer {
public:
    // Throws std::runtime_error when the process cannot be opened or the
    // memory cannot be allocated, or when the target's bitness differs.
    RemoteBuffer(DWORD pid, size_t size);
    static RemoteBuffer ForWindow(HWND window, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(RemoteBuffer&& other) noexcept;
    RemoteBuffer& operator=(RemoteBuffer&&) = delete;
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    size_t Size() const { return m_nSize; }
    // The address in the target process, at an offset into the buffer.
    void* Address(size_t offset = 0) const;
    LPARAM AsLParam(size_t offset = 0) const { return reinterpret_cast<LPARAM>(Address(offset)); }

    // Both fail (false) when the range does not fit or the copy fails.
    bool Write(size_t offset, const void* data, size_t size);
    bool Read(size_t offset, void* data, size_t size) const;

    template <typename T>
    bool WriteValue(const T& value, size_t offset = 0)
    {
        return Write(offset, &value, sizeof value);
    }
    template <typename T>
    bool ReadValue(T& value, size_t offset = 0) const
    {
        return Read(offset, &value, sizeof value);
    }

private:
    bool Fits(size_t offset, size_t size) const { return offset <= m_nSize && size <= m_nSize - offset; }

    UniqueHandle m_hProcess;
    void* m_pRemote = nullptr;
    size_t m_nSize = 0;
};

// True when the process runs with this process's pointer size.
bool SameBitness(HANDLE process);

} // namespace e2e
