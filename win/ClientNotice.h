#pragma once
// Short notices drawn straight onto a window's client area, as the recording
// strip and the snapshot notice are on the main window between its toolbar
// and its tabs: blue text on a transparent background and a picture whose
// blue pixels are transparent. Each draw composes the area off-screen and
// copies it to the window in one piece, so the text and the picture never
// appear one after the other.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <cstdint>

namespace win {

// Blue: the notices' text colour and the transparent colour of their pictures.
inline constexpr COLORREF kNoticeBlue = RGB(0, 0, 255);

struct CNoticePicture {
    HBITMAP hBitmap = nullptr;
    POINT at{};
    SIZE size{};
};

// A 32-bit top-down bitmap section with its own memory DC, whose pixels can
// be compared and copied as bytes.
class CPixelCanvas final {
public:
    CPixelCanvas(HDC compatibleWith, int width, int height);
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;
    ~CPixelCanvas();

    bool IsUsable() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc.get(); }
    bool SamePixels(const CPixelCanvas& other) const;
    void CopyPixelsFrom(const CPixelCanvas& other);

private:
    UniqueMemoryDC m_dc;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_originalBitmap = nullptr;
    std::uint8_t* m_bits = nullptr;
    size_t m_bytes = 0;
};

class CClientNotice final {
public:
    // Keeps the window's context and the pictures of the area until the
    // object goes, so a notice that animates allocates nothing per step.
    CClientNotice(HWND window, const RECT& area);
    CClientNotice(const CClientNotice&) = delete;
    CClientNotice& operator=(const CClientNotice&) = delete;

    bool IsUsable() const;
    // Positions are in the window's client coordinates.
    void Draw(const char* text, POINT textAt, const CNoticePicture& picture);

private:
    void ReadBackground();

    RECT m_area;
    WindowDC m_window;
    // What the window shows in the area now, what it showed before the
    // notice drew there, and the notice as last drawn.
    CPixelCanvas m_shown;
    CPixelCanvas m_background;
    CPixelCanvas m_drawn;
    bool m_bDrawn = false;
    UniqueMemoryDC m_pictureDC;
};

} // namespace win
