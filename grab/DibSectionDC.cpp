#include "grab/DibSectionDC.h"

#include <utility>

namespace {

BITMAPINFO Bgr24BottomUp(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

std::optional<CDibSectionDC> CDibSectionDC::Create(HDC compatibleWith, int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide)
        return std::nullopt;
    const BITMAPINFO info = Bgr24BottomUp(width, height);
    void* bits = nullptr;
    // The platform zero-fills a new section, so whatever is not copied in stays black.
    win::UniqueBitmap bitmap(::CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win::UniqueMemoryDC dc(::CreateCompatibleDC(compatibleWith));
    if (!bitmap || !dc || bits == nullptr)
        return std::nullopt;
    CDibSectionDC surface(std::move(dc), std::move(bitmap));
    if (surface.m_hPrevious == nullptr || surface.m_hPrevious == HGDI_ERROR)
        return std::nullopt;
    surface.m_pBits = static_cast<std::uint8_t*>(bits);
    return surface;
}

CDibSectionDC::CDibSectionDC(win::UniqueMemoryDC dc, win::UniqueBitmap bitmap)
    : m_hDC(std::move(dc)), m_hBitmap(std::move(bitmap))
{
    m_hPrevious = ::SelectObject(m_hDC.get(), m_hBitmap.get());
}

CDibSectionDC::CDibSectionDC(CDibSectionDC&& other) noexcept
    : m_hDC(std::move(other.m_hDC)), m_hBitmap(std::move(other.m_hBitmap)),
      m_hPrevious(std::exchange(other.m_hPrevious, nullptr)), m_pBits(std::exchange(other.m_pBits, nullptr))
{}

CDibSectionDC::~CDibSectionDC()
{
    // A bitmap still selected into a DC cannot be deleted.
    SelectOut();
}

void CDibSectionDC::SelectOut()
{
    if (m_hDC && m_hPrevious && m_hPrevious != HGDI_ERROR)
        ::SelectObject(m_hDC.get(), m_hPrevious);
    m_hPrevious = nullptr;
}

win::UniqueBitmap CDibSectionDC::ReleaseBitmap()
{
    // Drawing into a section may be batched; the caller reads its memory next.
    ::GdiFlush();
    SelectOut();
    m_pBits = nullptr;
    return std::move(m_hBitmap);
}
