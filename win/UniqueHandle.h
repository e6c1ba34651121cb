#pragma once
// Owners for GDI and USER handles: every handle the program creates has one.
#include <windows.h>
#include <commctrl.h>
#include <utility>

namespace win {

template <class Handle, auto Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    Handle release() { return std::exchange(m_handle, nullptr); }
    void reset(Handle handle = nullptr)
    {
        if (m_handle)
            Release(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void DeleteMemoryDC(HDC dc) { ::DeleteDC(dc); }
inline void DestroyMenuHandle(HMENU menu) { ::DestroyMenu(menu); }

using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniquePen = UniqueHandle<HPEN, DeleteGdiObject>;
using UniqueRegion = UniqueHandle<HRGN, DeleteGdiObject>;
using UniqueMemoryDC = UniqueHandle<HDC, DeleteMemoryDC>;
using UniqueImageList = UniqueHandle<HIMAGELIST, DestroyImageList>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;

// A window's device context for its client area (GetDC), released with the
// window it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window) : WindowDC(window, ::GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

protected:
    WindowDC(HWND window, HDC dc) : m_window(window), m_dc(dc) {}

private:
    HWND m_window;
    HDC m_dc;
};

// The device context of the whole window, frame included (GetWindowDC).
class WholeWindowDC final : public WindowDC {
public:
    explicit WholeWindowDC(HWND window) : WindowDC(window, ::GetWindowDC(window)) {}
};

// BeginPaint/EndPaint as one object's lifetime.
class PaintDC {
public:
    explicit PaintDC(HWND window) : m_window(window) { m_dc = ::BeginPaint(window, &m_paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(m_window, &m_paint); }
    HDC get() const { return m_dc; }
    const RECT& area() const { return m_paint.rcPaint; }
    // True when the window's background was not erased for this paint.
    bool erase() const { return m_paint.fErase != FALSE; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// Selects an object into a DC and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace win
