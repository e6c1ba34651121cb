// The screen facts read from the desktop's device context; Windows only.
#include "skin/SkinScreenInfo.h"
#include "skin/SkinTypes.h"
#include "win/UniqueHandle.h"

#include <cstddef>

#include <windows.h>
#include <uxtheme.h>

namespace tavrelin::skin {
namespace {

class CWinSkinScreenInfo final : public ISkinScreenInfo {
public:
    int LogicalPixelsPerInchY() const override
    {
        const win::WindowDC screen(nullptr);
        return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    }

    std::uint8_t TextCharSet() const override
    {
        const win::WindowDC screen(nullptr);
        return screen ? static_cast<std::uint8_t>(::GetTextCharsetInfo(screen.get(), nullptr, 0)) : DEFAULT_CHARSET;
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
