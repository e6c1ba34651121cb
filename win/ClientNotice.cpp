#include "win/ClientNotice.h"

#include <cstring>

namespace win {

CPixelCanvas::CPixelCanvas(HDC compatibleWith, int width, int height) : m_dc(::CreateCompatibleDC(compatibleWith))
{
    if (!m_dc || width <= 0 || height <= 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_bitmap || !bits)
        return;
    m_originalBitmap = ::SelectObject(m_dc.get(), m_bitmap.get());
    m_bits = static_cast<std::uint8_t*>(bits);
    m_bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
}

CPixelCanvas::~CPixelCanvas()
{
    if (m_originalBitmap)
        ::SelectObject(m_dc.get(), m_originalBitmap);
}

bool CPixelCanvas::SamePixels(const CPixelCanvas& other) const
{
    ::GdiFlush();
    return m_bytes == other.m_bytes && m_bits && other.m_bits && std::memcmp(m_bits, other.m_bits, m_bytes) == 0;
}

void CPixelCanvas::CopyPixelsFrom(const CPixelCanvas& other)
{
    ::GdiFlush();
    if (m_bytes == other.m_bytes && m_bits && other.m_bits)
        std::memcpy(m_bits, other.m_bits, m_bytes);
}

CClientNotice::CClientNotice(HWND window, const RECT& area)
    : m_area(area), m_window(window), m_shown(m_window.get(), area.right - area.left, area.bottom - area.top),
      m_background(m_window.get(), area.right - area.left, area.bottom - area.top),
      m_drawn(m_window.get(), area.right - area.left, area.bottom - area.top),
      m_pictureDC(::CreateCompatibleDC(m_window.get()))
{
    if (!IsUsable())
        return;
    ::SetBkMode(m_drawn.Dc(), TRANSPARENT);
    ::SetTextColor(m_drawn.Dc(), kNoticeBlue);
    // The origin moves so that callers keep drawing in client coordinates.
    ::SetViewportOrgEx(m_drawn.Dc(), -area.left, -area.top, nullptr);
}

bool CClientNotice::IsUsable() const
{
    return m_window && m_shown.IsUsable() && m_background.IsUsable() && m_drawn.IsUsable() && m_pictureDC;
}

// Every step is drawn on the area as it was before the notice came, never on
// the notice's own last step, so that a shorter text replaces a longer one
// and soft text edges don't darken step by step. When the window has painted
// the area since (a new look, an erased strip), that is the new background.
void CClientNotice::ReadBackground()
{
    const int width = m_area.right - m_area.left;
    const int height = m_area.bottom - m_area.top;
    ::BitBlt(m_shown.Dc(), 0, 0, width, height, m_window.get(), m_area.left, m_area.top, SRCCOPY);
    if (!m_bDrawn || !m_shown.SamePixels(m_drawn))
        m_background.CopyPixelsFrom(m_shown);
}

void CClientNotice::Draw(const char* text, POINT textAt, const CNoticePicture& picture)
{
    if (!IsUsable())
        return;
    ReadBackground();
    m_drawn.CopyPixelsFrom(m_background);
    ::TextOutA(m_drawn.Dc(), textAt.x, textAt.y, text, ::lstrlenA(text));
    if (picture.hBitmap) {
        const SelectedObject selected(m_pictureDC.get(), picture.hBitmap);
        ::TransparentBlt(m_drawn.Dc(), picture.at.x, picture.at.y, picture.size.cx, picture.size.cy, m_pictureDC.get(),
                         0, 0, picture.size.cx, picture.size.cy, kNoticeBlue);
    }
    ::GdiFlush();
    ::BitBlt(m_window.get(), m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top,
             m_drawn.Dc(), m_area.left, m_area.top, SRCCOPY);
    m_bDrawn = true;
}

} // namespace win
