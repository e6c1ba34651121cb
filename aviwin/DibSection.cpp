#include "aviwin/DibSection.h"

std::optional<DibFrame> DibFrameFromBitmap(HBITMAP hBitmap)
{
    if (hBitmap == nullptr)
        return std::nullopt;
    DIBSECTION section{};
    // Only a bitmap section fills the whole record; other bitmaps stop at BITMAP.
    if (::GetObjectW(hBitmap, sizeof(section), &section) != sizeof(section) || section.dsBm.bmBits == nullptr)
        return std::nullopt;
    // Drawing into the section may still be queued; the writer reads its memory directly.
    ::GdiFlush();
    const BITMAPINFOHEADER& info = section.dsBmih;
    DibFrame frame;
    frame.header.biSize = info.biSize;
    frame.header.biWidth = info.biWidth;
    frame.header.biHeight = info.biHeight;
    frame.header.biPlanes = info.biPlanes;
    frame.header.biBitCount = info.biBitCount;
    frame.header.biCompression = info.biCompression;
    frame.header.biSizeImage = info.biSizeImage;
    frame.header.biXPelsPerMeter = info.biXPelsPerMeter;
    frame.header.biYPelsPerMeter = info.biYPelsPerMeter;
    frame.header.biClrUsed = info.biClrUsed;
    frame.header.biClrImportant = info.biClrImportant;
    frame.pBits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    return frame;
}
