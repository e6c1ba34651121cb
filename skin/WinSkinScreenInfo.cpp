// The screen facts read from the desktop's device context; Windows only.
#include "skin/SkinScreenInfo.h"
#include "skin/SkinTypes.h"

#include <cstddef>

#include <windows.h>
#include <uxtheme.h>

namespace tavrelin::skin {
namespace {

class CWinSkinScreenInfo final : public ISkinScreenInfo {
public:
    int LogicalPixelsPerInchY() const override
    {
        const HDC hScreen = ::GetDC(nullptr);
        if (!hScreen)
            return 96;
        const int nPixelsPerInch = ::GetDeviceCaps(hScreen, LOGPIXELSY);
        ::ReleaseDC(nullptr, hScreen);
        return nPixelsPerInch;
    }

    std::uint8_t TextCharSet() const override
    {
        const HDC hScreen = ::GetDC(nullptr);
        if (!hScreen)
            return DEFAULT_CHARSET;
        const int nCharSet = ::GetTextCharsetInfo(hScreen, nullptr, 0);
        ::ReleaseDC(nullptr, hScreen);
        return static_cast<std::uint8_t>(nCharSet);
    }
};

// Font values are handed to GDI as they are.
static_assert(sizeof(LOGFONTA) == sizeof(SkinLogFont));
static_assert(offsetof(LOGFONTA, lfWeight) == offsetof(SkinLogFont, lfWeight));
static_assert(offsetof(LOGFONTA, lfCharSet) == offsetof(SkinLogFont, lfCharSet));
static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(SkinLogFont, lfFaceName));
static_assert(sizeof(MARGINS) == sizeof(SkinMargins));

} // namespace

const ISkinScreenInfo& PlatformSkinScreenInfo()
{
    static const CWinSkinScreenInfo screen;
    return screen;
}

} // namespace tavrelin::skin
