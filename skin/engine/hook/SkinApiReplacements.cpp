// The engine's replacements of system functions and the slot table that
// names them. Each replacement reaches the system through the address the
// hook object read before patching: the import of this module may be the
// replacement itself.
#include "skin/engine/hook/SkinApiHook.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinEdge.h"
#include "skin/engine/hook/SkinDefProcHooks.h"
#include "skin/engine/hook/SkinImportTable.h"
#include "skin/engine/hook/SkinScrollHooks.h"
#include "skin/engine/hook/SkinSystemHooks.h"
#include "skin/engine/hook/SkinThemeApi.h"

#include <cwchar>

namespace tavrelin::skin {
namespace {

// Data and image-resource mappings are no loaded images: their import
// tables hold no addresses.
bool LoadsAsImage(HMODULE module, DWORD flags)
{
    constexpr DWORD kMappingOnly =
        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    return module && !(flags & kMappingOnly) && !(reinterpret_cast<ULONG_PTR>(module) & 3);
}

HMODULE PatchLoaded(HMODULE module, DWORD flags)
{
    if (LoadsAsImage(module, flags))
        CSkinApiHook::Instance().PatchNewModule(module);
    return module;
}

HMODULE WINAPI HookLoadLibraryA(LPCSTR name)
{
    return PatchLoaded(SystemFunctionAs<decltype(&::LoadLibraryA)>(kSlotLoadLibraryA)(name), 0);
}

HMODULE WINAPI HookLoadLibraryW(LPCWSTR name)
{
    return PatchLoaded(SystemFunctionAs<decltype(&::LoadLibraryW)>(kSlotLoadLibraryW)(name), 0);
}

HMODULE WINAPI HookLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags)
{
    return PatchLoaded(SystemFunctionAs<decltype(&::LoadLibraryExA)>(kSlotLoadLibraryExA)(name, file, flags), flags);
}

HMODULE WINAPI HookLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags)
{
    return PatchLoaded(SystemFunctionAs<decltype(&::LoadLibraryExW)>(kSlotLoadLibraryExW)(name, file, flags), flags);
}

FARPROC WINAPI HookGetProcAddress(HMODULE module, LPCSTR name)
{
    const auto system = SystemFunctionAs<decltype(&::GetProcAddress)>(kSlotGetProcAddress);
    // Any name with a zero high word is an ordinal, 0xFFFF included.
    if (!(reinterpret_cast<ULONG_PTR>(name) >> 16))
        return system(module, name);
    const CSkinApiHook& hook = CSkinApiHook::Instance();
    if (module == kSubstituteUxTheme) {
        void* replacement = hook.FindReplacement("UXTHEME.DLL", name);
        if (!replacement)
            ::SetLastError(ERROR_PROC_NOT_FOUND);
        return reinterpret_cast<FARPROC>(replacement);
    }
    const FARPROC result = system(module, name);
    const std::string fileName = ModuleFileName(module);
    if (::_stricmp(fileName.c_str(), "UXTHEME.DLL") == 0)
        return result;
    void* replacement = hook.FindReplacement(fileName, name);
    return replacement ? reinterpret_cast<FARPROC>(replacement) : result;
}

HMODULE WINAPI HookGetModuleHandleA(LPCSTR name)
{
    if (name && ::_stricmp(name, "UxTheme.dll") == 0 && CSkinContext::Active(SKIN_APPLY_COLORS))
        return kSubstituteUxTheme;
    return SystemFunctionAs<decltype(&::GetModuleHandleA)>(kSlotGetModuleHandleA)(name);
}

DWORD WINAPI HookGetSysColor(int index)
{
    if (const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_COLORS);
        skin && index >= 0 && index < kSkinMetricsColorCount) {
        const COLORREF color = skin->GetMetrics().Color(index);
        if (color != CLR_INVALID)
            return color;
    }
    return SystemFunctionAs<decltype(&::GetSysColor)>(kSlotGetSysColor)(index);
}

HBRUSH WINAPI HookGetSysColorBrush(int index)
{
    if (const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_COLORS);
        skin && index >= 1 && index < kSkinMetricsColorCount) {
        if (HBRUSH brush = skin->GetMetrics().Brush(index))
            return brush;
    }
    return SystemFunctionAs<decltype(&::GetSysColorBrush)>(kSlotGetSysColorBrush)(index);
}

// A brush argument of 1 to 30 is a system colour index plus one.
int WINAPI HookFillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(brush);
    if (const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_COLORS);
        skin && value >= 1 && value < kSkinMetricsColorCount) {
        if (HBRUSH skinBrush = skin->GetMetrics().Brush(static_cast<int>(value) - 1))
            brush = skinBrush;
    }
    return SystemFunctionAs<decltype(&::FillRect)>(kSlotFillRect)(dc, rect, brush);
}

// The brushes GetSysColorBrush hands out belong to the engine.
BOOL WINAPI HookDeleteObject(HGDIOBJ object)
{
    if (const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_COLORS);
        skin && skin->GetMetrics().IsMetricsBrush(object))
        return FALSE;
    return SystemFunctionAs<decltype(&::DeleteObject)>(kSlotDeleteObject)(object);
}

BOOL WINAPI HookDrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags)
{
    if (const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_COLORS);
        skin && rect && DrawSkinEdge(dc, *rect, edge, flags, skin->GetMetrics()))
        return TRUE;
    return SystemFunctionAs<decltype(&::DrawEdge)>(kSlotDrawEdge)(dc, rect, edge, flags);
}

BOOL WINAPI HookDrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state)
{
    if (const CSkinContext* skin = CSkinContext::Active(SKIN_APPLY_COLORS);
        skin && rect && DrawSkinFrameControl(dc, *rect, type, state, skin->GetMetrics()))
        return TRUE;
    return SystemFunctionAs<decltype(&::DrawFrameControl)>(kSlotDrawFrameControl)(dc, rect, type, state);
}

template <class Function>
void* Address(Function function)
{
    return reinterpret_cast<void*>(function);
}

constexpr unsigned kColors = SKIN_APPLY_COLORS;
constexpr unsigned kFrame = SKIN_APPLY_FRAME;
constexpr unsigned kMetrics = SKIN_APPLY_METRICS;

} // namespace

// Every slot with the option bits it is installed with (0: always), placed
// by its slot number.
const std::array<SkinHookSlotInfo, kSkinHookSlotCount>& SkinHookSlots()
{
    static const std::array<SkinHookSlotInfo, kSkinHookSlotCount> slots = [] {
        const SkinHookSlotInfo rows[] = {
            {kSlotLoadLibraryA, "KERNEL32.DLL", "LoadLibraryA", 0, Address(&HookLoadLibraryA)},
            {kSlotLoadLibraryW, "KERNEL32.DLL", "LoadLibraryW", 0, Address(&HookLoadLibraryW)},
            {kSlotLoadLibraryExA, "KERNEL32.DLL", "LoadLibraryExA", 0, Address(&HookLoadLibraryExA)},
            {kSlotLoadLibraryExW, "KERNEL32.DLL", "LoadLibraryExW", 0, Address(&HookLoadLibraryExW)},
            {kSlotGetProcAddress, "KERNEL32.DLL", "GetProcAddress", 0, Address(&HookGetProcAddress)},
            {kSlotGetModuleHandleA, "KERNEL32.DLL", "GetModuleHandleA", 0, Address(&HookGetModuleHandleA)},
            {kSlotRegisterClassA, "USER32.DLL", "RegisterClassA", 0, Address(&HookRegisterClassA)},
            {kSlotRegisterClassW, "USER32.DLL", "RegisterClassW", 0, Address(&HookRegisterClassW)},
            {kSlotGetSysColor, "USER32.DLL", "GetSysColor", kColors, Address(&HookGetSysColor)},
            {kSlotGetSysColorBrush, "USER32.DLL", "GetSysColorBrush", kColors, Address(&HookGetSysColorBrush)},
            {kSlotDrawEdge, "USER32.DLL", "DrawEdge", kColors, Address(&HookDrawEdge)},
            {kSlotDrawFrameControl, "USER32.DLL", "DrawFrameControl", kColors, Address(&HookDrawFrameControl)},
            {kSlotSetScrollInfo, "USER32.DLL", "SetScrollInfo", kFrame, Address(&HookSetScrollInfo)},
            {kSlotSetScrollPos, "USER32.DLL", "SetScrollPos", kFrame, Address(&HookSetScrollPos)},
            {kSlotGetScrollInfo, "USER32.DLL", "GetScrollInfo", kFrame, Address(&HookGetScrollInfo)},
            {kSlotEnableScrollBar, "USER32.DLL", "EnableScrollBar", kFrame, Address(&HookEnableScrollBar)},
            {kSlotOpenThemeData, "UXTHEME.DLL", "OpenThemeData", kColors, Address(&ThemeOpenThemeData)},
            {kSlotDrawThemeBackground, "UXTHEME.DLL", "DrawThemeBackground", kColors,
             Address(&ThemeDrawThemeBackground)},
            {kSlotCloseThemeData, "UXTHEME.DLL", "CloseThemeData", kColors, Address(&ThemeCloseThemeData)},
            {kSlotGetThemeColor, "UXTHEME.DLL", "GetThemeColor", kColors, Address(&ThemeGetThemeColor)},
            {kSlotIsAppThemed, "UXTHEME.DLL", "IsAppThemed", kColors, Address(&ThemeIsAppThemed)},
            {kSlotIsThemeActive, "UXTHEME.DLL", "IsThemeActive", kColors, Address(&ThemeIsThemeActive)},
            {kSlotGetCurrentThemeName, "UXTHEME.DLL", "GetCurrentThemeName", kColors,
             Address(&ThemeGetCurrentThemeName)},
            {kSlotGetThemeSysBool, "UXTHEME.DLL", "GetThemeSysBool", kColors, Address(&ThemeGetThemeSysBool)},
            {kSlotGetThemeSysColor, "UXTHEME.DLL", "GetThemeSysColor", kColors, Address(&ThemeGetThemeSysColor)},
            {kSlotGetThemePartSize, "UXTHEME.DLL", "GetThemePartSize", kColors, Address(&ThemeGetThemePartSize)},
            {kSlotSystemParametersInfoA, "USER32.DLL", "SystemParametersInfoA", kMetrics,
             Address(&HookSystemParametersInfoA)},
            {kSlotDefWindowProcA, "USER32.DLL", "DefWindowProcA", 0, Address(&HookDefWindowProcA)},
            {kSlotDefWindowProcW, "USER32.DLL", "DefWindowProcW", 0, Address(&HookDefWindowProcW)},
            {kSlotDefMDIChildProcA, "USER32.DLL", "DefMDIChildProcA", 0, Address(&HookDefMDIChildProcA)},
            {kSlotDefMDIChildProcW, "USER32.DLL", "DefMDIChildProcW", 0, Address(&HookDefMDIChildProcW)},
            {kSlotDefFrameProcA, "USER32.DLL", "DefFrameProcA", 0, Address(&HookDefFrameProcA)},
            {kSlotDefFrameProcW, "USER32.DLL", "DefFrameProcW", 0, Address(&HookDefFrameProcW)},
            {kSlotDefDlgProcA, "USER32.DLL", "DefDlgProcA", 0, Address(&HookDefDlgProcA)},
            {kSlotDefDlgProcW, "USER32.DLL", "DefDlgProcW", 0, Address(&HookDefDlgProcW)},
            {kSlotCallWindowProcA, "USER32.DLL", "CallWindowProcA", 0, Address(&HookCallWindowProcA)},
            {kSlotCallWindowProcW, "USER32.DLL", "CallWindowProcW", 0, Address(&HookCallWindowProcW)},
            {kSlotCreateThread, "KERNEL32.DLL", "CreateThread", 0, Address(&HookCreateThread)},
            {kSlotFillRect, "USER32.DLL", "FillRect", kColors, Address(&HookFillRect)},
            {kSlotDeleteObject, "GDI32.DLL", "DeleteObject", kColors, Address(&HookDeleteObject)},
            {kSlotAdjustWindowRectEx, "USER32.DLL", "AdjustWindowRectEx", kMetrics, Address(&HookAdjustWindowRectEx)},
        };
        std::array<SkinHookSlotInfo, kSkinHookSlotCount> bySlot{};
        for (const SkinHookSlotInfo& row : rows)
            bySlot[row.slot] = row;
        return bySlot;
    }();
    return slots;
}

} // namespace tavrelin::skin
