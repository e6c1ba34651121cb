#include "ReferenceRegion.h"

namespace designtest {

HRGN BuildReferenceRegion(HBITMAP frame)
{
    BITMAP shape{};
    if (!::GetObjectA(frame, sizeof shape, &shape))
        return nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(memory, frame);
    HRGN region = ::CreateRectRgn(0, 0, shape.bmWidth, shape.bmHeight);
    const COLORREF key = ::GetPixel(memory, 0, 0);
    for (int x = 0; x < shape.bmWidth; ++x)
        for (int y = 0; y < shape.bmHeight; ++y)
            if (::GetPixel(memory, x, y) == key) {
                HRGN pixel = ::CreateRectRgn(x, y, x + 1, y + 1);
                ::CombineRgn(region, region, pixel, RGN_XOR);
                ::DeleteObject(pixel);
            }
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    return region;
}

} // namespace designtest
