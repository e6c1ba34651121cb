#pragma once
// The process's calls into the system, bent to the loaded skin: while a skin
// is loaded, the import tables of every module point a fixed list of system
// functions (the slots) at the engine's replacements.

#include "skin/engine/hook/SkinThemeHandles.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <mutex>
#include <string>

namespace tavrelin::skin {

constexpr int kSkinHookSlotCount = 41;
// The module handle GetModuleHandleA gives for UxTheme while skin colours apply.
inline const HMODULE kSubstituteUxTheme = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x021FFFF1));

enum ESkinHookSlot : int {
    kSlotLoadLibraryA = 0,
    kSlotLoadLibraryW = 1,
    kSlotLoadLibraryExA = 2,
    kSlotLoadLibraryExW = 3,
    kSlotGetProcAddress = 4,
    kSlotGetModuleHandleA = 5,
    kSlotRegisterClassA = 6,
    kSlotRegisterClassW = 7,
    kSlotGetSysColor = 8,
    kSlotGetSysColorBrush = 9,
    kSlotDrawEdge = 10,
    kSlotDrawFrameControl = 11,
    kSlotSetScrollInfo = 12,
    kSlotSetScrollPos = 13,
    kSlotGetScrollInfo = 14,
    kSlotEnableScrollBar = 15,
    kSlotOpenThemeData = 16,
    kSlotDrawThemeBackground = 17,
    kSlotCloseThemeData = 18,
    kSlotGetThemeColor = 19,
    kSlotIsAppThemed = 20,
    kSlotIsThemeActive = 21,
    kSlotGetCurrentThemeName = 22,
    kSlotGetThemeSysBool = 23,
    kSlotGetThemeSysColor = 24,
    kSlotGetThemePartSize = 25,
    kSlotSystemParametersInfoA = 26,
    kSlotDefWindowProcA = 27,
    kSlotDefWindowProcW = 28,
    kSlotDefMDIChildProcA = 29,
    kSlotDefMDIChildProcW = 30,
    kSlotDefFrameProcA = 31,
    kSlotDefFrameProcW = 32,
    kSlotDefDlgProcA = 33,
    kSlotDefDlgProcW = 34,
    kSlotCallWindowProcA = 35,
    kSlotCallWindowProcW = 36,
    kSlotCreateThread = 37,
    kSlotFillRect = 38,
    kSlotDeleteObject = 39,
    kSlotAdjustWindowRectEx = 40,
};

struct SkinHookSlotInfo {
    ESkinHookSlot slot;
    const char* module;
    const char* function;
    unsigned options;  // apply-option bits it needs; 0: whenever a skin is loaded
    void* replacement; // null: not built yet, never installed
};

// The slot table, indexed by slot number.
const std::array<SkinHookSlotInfo, kSkinHookSlotCount>& SkinHookSlots();

class CSkinApiHook {
public:
    static CSkinApiHook& Instance();

    // Patches every slot the apply options call for; a slot already
    // installed is left as it is.
    void Install(unsigned options);
    // Points every patched entry back at the system function.
    void Remove();

    bool IsInstalled(int slot) const;
    // The system function of an installed slot, else null.
    void* GetOriginal(int slot) const;
    // The system function of a slot, installed or not (null for UxTheme).
    void* SystemFunction(int slot) const { return m_system[slot]; }

    // A module just loaded: patched for every installed slot, unless it is
    // on the never-patched list.
    void PatchNewModule(HMODULE module);
    // The replacement an installed slot gives for a module file name and
    // function name, or null.
    void* FindReplacement(const std::string& moduleFileName, const char* function) const;
    // The theme handles the substitutes of the theme functions gave out.
    CSkinThemeHandles& ThemeHandles() { return m_themeHandles; }

private:
    CSkinApiHook();
    bool PatchSlot(int slot, HMODULE module, bool install) const;
    void PatchEveryModule(int slot, bool install);

    std::array<void*, kSkinHookSlotCount> m_system{};
    // Read without the lock: replacements run on any thread, some of them
    // inside the loader's lock, which Install takes while it lists modules.
    std::array<std::atomic<bool>, kSkinHookSlotCount> m_installed{};
    mutable std::recursive_mutex m_lock;
    CSkinThemeHandles m_themeHandles;
};

// A slot's system function as its own type, for the replacements: the
// import of the calling module may be the replacement itself.
template <class Function>
Function SystemFunctionAs(int slot)
{
    return reinterpret_cast<Function>(CSkinApiHook::Instance().SystemFunction(slot));
}

} // namespace tavrelin::skin
