#include "win/OffscreenBuffer.h"

namespace win {

COffscreenBuffer::~COffscreenBuffer() { DropBitmap(); }

void COffscreenBuffer::DropBitmap()
{
    if (m_originalBitmap) {
        ::SelectObject(m_dc.get(), m_originalBitmap);
        m_originalBitmap = nullptr;
    }
    m_bitmap.reset();
    m_size = {};
}

HDC COffscreenBuffer::Prepare(HDC target, int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (!m_dc)
        m_dc.reset(::CreateCompatibleDC(target));
    if (!m_dc)
        return nullptr;
    if (m_bitmap && m_size.cx == width && m_size.cy == height)
        return m_dc.get();
    DropBitmap();
    m_bitmap.reset(::CreateCompatibleBitmap(target, width, height));
    if (!m_bitmap)
        return nullptr;
    m_originalBitmap = ::SelectObject(m_dc.get(), m_bitmap.get());
    m_size = {width, height};
    return m_dc.get();
}

void COffscreenBuffer::CopyTo(HDC target, const RECT& area) const
{
    if (!m_bitmap)
        return;
    ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc.get(), area.left,
             area.top, SRCCOPY);
}

} // namespace win
