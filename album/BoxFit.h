#pragma once
// Where a picture goes in the play box: the largest rectangle of its shape
// that fits, centred.
#include <windows.h>

#include <algorithm>

inline RECT FitInto(SIZE box, SIZE picture)
{
    if (picture.cx <= 0 || picture.cy <= 0 || box.cx <= 0 || box.cy <= 0)
        return RECT{0, 0, 0, 0};
    const long long widthIfFullHeight = static_cast<long long>(box.cy) * picture.cx / picture.cy;
    LONG width = box.cx;
    LONG height = box.cy;
    if (widthIfFullHeight <= box.cx)
        width = static_cast<LONG>(std::max(1LL, widthIfFullHeight));
    else
        height = static_cast<LONG>(std::max(1LL, static_cast<long long>(box.cx) * picture.cy / picture.cx));
    const LONG left = (box.cx - width) / 2;
    const LONG top = (box.cy - height) / 2;
    return RECT{left, top, left + width, top + height};
}
