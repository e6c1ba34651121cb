#pragma once
// Short notices drawn straight onto a window's client area, as the recording
// strip and the snapshot notice are on the main window between its toolbar
// and its tabs: blue text on a transparent background and a picture whose
// blue pixels are transparent. Each draw composes the area off-screen from
// what the window shows there and copies it back in one piece, so the text
// and the picture never appear one after the other.
#include "win/OffscreenBuffer.h"
#include "win/UniqueHandle.h"

#include <windows.h>

namespace win {

// Blue: the notices' text colour and the transparent colour of their pictures.
inline constexpr COLORREF kNoticeBlue = RGB(0, 0, 255);

struct CNoticePicture {
    HBITMAP hBitmap = nullptr;
    POINT at{};
    SIZE size{};
};

class CClientNotice final {
public:
    // Keeps the window's context and the off-screen bitmap for the area until
    // the object goes, so a notice that animates allocates nothing per step.
    CClientNotice(HWND window, const RECT& area);
    CClientNotice(const CClientNotice&) = delete;
    CClientNotice& operator=(const CClientNotice&) = delete;

    bool IsUsable() const;
    // Positions are in the window's client coordinates.
    void Draw(const char* text, POINT textAt, const CNoticePicture& picture) const;

private:
    RECT m_area;
    WindowDC m_window;
    COffscreenBuffer m_buffer;
    // The buffer's DC, its origin moved to the area's corner.
    HDC m_offscreen = nullptr;
    UniqueMemoryDC m_pictureDC;
};

} // namespace win
