#pragma once
// Small conversions and fills the drawing code shares.

#include "skin/SkinNineGrid.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace tavrelin::skin {

inline RECT ToRect(const SkinRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

inline SkinRect ToSkinRect(const RECT& rect) { return SkinRect{rect.left, rect.top, rect.right, rect.bottom}; }

// A solid fill that needs no brush.
inline void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    const COLORREF previous = ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

// A 32-bit top-down DIB section; bits receives its pixels (0xAARRGGBB words).
inline win::UniqueBitmap CreateSkinDib32(int width, int height, void*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bits = nullptr;
    win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits)
        bitmap.reset();
    return bitmap;
}

// Class and image names are kept in upper case, as the property reader keeps them.
inline std::string SkinUpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char letter) { return static_cast<char>(std::toupper(letter)); });
    return text;
}

} // namespace tavrelin::skin
