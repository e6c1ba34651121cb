#include "skin/engine/hook/SkinSystemHooks.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinPropertyIds.h"
#include "skin/engine/hook/SkinApiHook.h"
#include "skin/engine/hook/SkinDefProcHooks.h"

#include <cstring>

namespace tavrelin::skin {
namespace {

// The sizes of LOGFONTA and of NONCLIENTMETRICSA before its padded border.
constexpr UINT kLogFontSize = 60;
constexpr UINT kNonClientMetricsSize = 340;

void TakeSkinFont(const CSkinSchema& schema, int propertyId, LOGFONTA& font)
{
    static_assert(sizeof(SkinLogFont) == sizeof(LOGFONTA));
    SkinLogFont skinFont;
    if (schema.GetFontValue(kSkinClassSysMetrics, 0, 0, propertyId, skinFont) == S_OK)
        std::memcpy(&font, &skinFont, sizeof font);
}

// Classes whose procedure is one of the engine's default procedures (an
// address read from a patched import) get the system's own.
template <class WindowClass, class Register>
ATOM RegisterWithSystemProcedure(const WindowClass* windowClass, Register registerClass)
{
    if (!windowClass)
        return registerClass(windowClass);
    const struct {
        void* replacement;
        int slot;
    } procedures[] = {
        {reinterpret_cast<void*>(&HookDefWindowProcA), kSlotDefWindowProcA},
        {reinterpret_cast<void*>(&HookDefWindowProcW), kSlotDefWindowProcW},
        {reinterpret_cast<void*>(&HookDefMDIChildProcA), kSlotDefMDIChildProcA},
        {reinterpret_cast<void*>(&HookDefMDIChildProcW), kSlotDefMDIChildProcW},
        {reinterpret_cast<void*>(&HookDefDlgProcA), kSlotDefDlgProcA},
        {reinterpret_cast<void*>(&HookDefDlgProcW), kSlotDefDlgProcW},
    };
    for (const auto& procedure : procedures) {
        void* system = CSkinApiHook::Instance().SystemFunction(procedure.slot);
        if (reinterpret_cast<void*>(windowClass->lpfnWndProc) == procedure.replacement && system) {
            WindowClass copy = *windowClass;
            copy.lpfnWndProc = reinterpret_cast<WNDPROC>(system);
            return registerClass(&copy);
        }
    }
    return registerClass(windowClass);
}

} // namespace

// The skin's fonts go only into an answer the system gave.
BOOL WINAPI HookSystemParametersInfoA(UINT action, UINT uiParam, PVOID data, UINT winIni)
{
    const BOOL result =
        SystemFunctionAs<decltype(&::SystemParametersInfoA)>(kSlotSystemParametersInfoA)(action, uiParam, data, winIni);
    const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_METRICS);
    if (!result || !data || !skin)
        return result;
    const CSkinSchema& schema = *skin->GetSchema();
    if (action == SPI_GETICONTITLELOGFONT && uiParam == kLogFontSize) {
        TakeSkinFont(schema, kPropIconTitleFont, *static_cast<LOGFONTA*>(data));
    } else if (action == SPI_GETNONCLIENTMETRICS && uiParam == kNonClientMetricsSize) {
        auto* metrics = static_cast<NONCLIENTMETRICSA*>(data);
        TakeSkinFont(schema, kPropMenuFont, metrics->lfMenuFont);
        TakeSkinFont(schema, kPropStatusFont, metrics->lfStatusFont);
        TakeSkinFont(schema, kPropCaptionFont, metrics->lfCaptionFont);
    }
    return result;
}

BOOL WINAPI HookAdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    const BOOL result =
        SystemFunctionAs<decltype(&::AdjustWindowRectEx)>(kSlotAdjustWindowRectEx)(rect, style, menu, exStyle);
    const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_METRICS);
    if (!result || !rect || !skin || (style & WS_CAPTION) != WS_CAPTION)
        return result;
    const CSkinMetrics& metrics = skin->GetMetrics();
    rect->top -= (exStyle & WS_EX_TOOLWINDOW) ? metrics.SkinSmallCaptionHeight() - metrics.SystemSmallCaptionHeight()
                                              : metrics.SkinCaptionHeight() - metrics.SystemCaptionHeight();
    return result;
}

ATOM WINAPI HookRegisterClassA(const WNDCLASSA* windowClass)
{
    return RegisterWithSystemProcedure(windowClass, SystemFunctionAs<decltype(&::RegisterClassA)>(kSlotRegisterClassA));
}

ATOM WINAPI HookRegisterClassW(const WNDCLASSW* windowClass)
{
    return RegisterWithSystemProcedure(windowClass, SystemFunctionAs<decltype(&::RegisterClassW)>(kSlotRegisterClassW));
}

} // namespace tavrelin::skin
