#include "win/ClientNotice.h"

namespace win {

CClientNotice::CClientNotice(HWND window, const RECT& area)
    : m_area(area), m_window(window), m_pictureDC(::CreateCompatibleDC(m_window.get()))
{
    if (m_window)
        m_offscreen = m_buffer.Prepare(m_window.get(), area.right - area.left, area.bottom - area.top);
    if (!IsUsable())
        return;
    ::SetBkMode(m_offscreen, TRANSPARENT);
    ::SetTextColor(m_offscreen, kNoticeBlue);
    // The origin moves so that callers keep drawing in client coordinates.
    ::SetViewportOrgEx(m_offscreen, -area.left, -area.top, nullptr);
}

bool CClientNotice::IsUsable() const { return m_window && m_offscreen && m_pictureDC; }

void CClientNotice::Draw(const char* text, POINT textAt, const CNoticePicture& picture) const
{
    if (!IsUsable())
        return;
    const int width = m_area.right - m_area.left;
    const int height = m_area.bottom - m_area.top;
    ::BitBlt(m_offscreen, m_area.left, m_area.top, width, height, m_window.get(), m_area.left, m_area.top, SRCCOPY);
    ::TextOutA(m_offscreen, textAt.x, textAt.y, text, ::lstrlenA(text));
    if (picture.hBitmap) {
        const SelectedObject selected(m_pictureDC.get(), picture.hBitmap);
        ::TransparentBlt(m_offscreen, picture.at.x, picture.at.y, picture.size.cx, picture.size.cy, m_pictureDC.get(),
                         0, 0, picture.size.cx, picture.size.cy, kNoticeBlue);
    }
    m_buffer.CopyTo(m_window.get(), m_area);
}

} // namespace win
