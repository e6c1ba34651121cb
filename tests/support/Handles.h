#pragma once
// Owners for the few kinds of Win32 handle the test driver holds.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace e2e {

struct KernelHandleCloser {
    void operator()(HANDLE handle) const
    {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
    }
};
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

struct FindHandleCloser {
    void operator()(HANDLE handle) const
    {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
            ::FindClose(handle);
    }
};
using UniqueFindHandle = std::unique_ptr<void, FindHandleCloser>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A device context borrowed with GetDC and given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_hWnd(window), m_hDc(::GetDC(window)) {}
    ~WindowDc()
    {
        if (m_hDc != nullptr)
            ::ReleaseDC(m_hWnd, m_hDc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return m_hDc; }

private:
    HWND m_hWnd;
    HDC m_hDc;
};

// Keeps a selection in a DC for one scope and restores the previous object.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_hDc(dc), m_hOld(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(m_hDc, m_hOld); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_hDc;
    HGDIOBJ m_hOld;
};

} // namespace e2e
