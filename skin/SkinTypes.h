#pragma once
// Plain value types of the skin engine with the field layout of their Windows
// counterparts, so that portable code and Windows code can share them.

#include <cstdint>

#if defined(_WIN32)
#include <winerror.h>
// Declared as winnt.h does, so that the order of includes does not matter.
#ifndef _HRESULT_DEFINED
#define _HRESULT_DEFINED
typedef long HRESULT;
#endif
#else
using HRESULT = std::int32_t;
#define S_OK ((HRESULT)0)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define E_FAIL ((HRESULT)0x80004005)
#endif

namespace tavrelin::skin {

using SkinColorRef = std::uint32_t;

constexpr SkinColorRef MakeSkinColor(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// Same order as MARGINS: left, right, top, bottom.
struct SkinMargins {
    std::int32_t cxLeftWidth = 0;
    std::int32_t cxRightWidth = 0;
    std::int32_t cyTopHeight = 0;
    std::int32_t cyBottomHeight = 0;
    bool operator==(const SkinMargins&) const = default;
};

struct SkinPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const SkinPoint&) const = default;
};

constexpr int kSkinFaceSize = 32;

// Same layout as LOGFONTA.
struct SkinLogFont {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[kSkinFaceSize] = {};
};

static_assert(sizeof(SkinLogFont) == 60, "SkinLogFont must keep the LOGFONTA layout");
static_assert(sizeof(SkinMargins) == 16, "SkinMargins must keep the MARGINS layout");

} // namespace tavrelin::skin
