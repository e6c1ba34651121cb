#include "skin/engine/hook/SkinApiHook.h"

#include "skin/engine/hook/SkinImportTable.h"

#include <cstring>

namespace tavrelin::skin {
namespace {

// The system's own modules call each other directly; patching them would
// send the system's internal calls through the engine.
bool IsNeverPatched(const std::string& fileName)
{
    for (const char* name : {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "WININET.DLL"}) {
        if (::_stricmp(fileName.c_str(), name) == 0)
            return true;
    }
    return false;
}

bool IsUxTheme(const char* module) { return ::_stricmp(module, "UXTHEME.DLL") == 0; }

} // namespace

CSkinApiHook& CSkinApiHook::Instance()
{
    static CSkinApiHook hook;
    return hook;
}

// The system addresses are read once, before anything is patched: later the
// program's own GetProcAddress may be the engine's.
CSkinApiHook::CSkinApiHook()
{
    const auto& slots = SkinHookSlots();
    for (int slot = 0; slot < kSkinHookSlotCount; ++slot) {
        const SkinHookSlotInfo& info = slots[slot];
        if (!info.module || IsUxTheme(info.module))
            continue;
        HMODULE module = ::GetModuleHandleA(info.module);
        if (!module)
            module = ::LoadLibraryA(info.module);
        if (module)
            m_system[slot] = reinterpret_cast<void*>(::GetProcAddress(module, info.function));
    }
}

bool CSkinApiHook::IsInstalled(int slot) const { return slot >= 0 && slot < kSkinHookSlotCount && m_installed[slot]; }

void* CSkinApiHook::GetOriginal(int slot) const { return IsInstalled(slot) ? m_system[slot] : nullptr; }

bool CSkinApiHook::PatchSlot(int slot, HMODULE module, bool install) const
{
    const SkinHookSlotInfo& info = SkinHookSlots()[slot];
    const void* from = install ? m_system[slot] : info.replacement;
    const void* to = install ? info.replacement : m_system[slot];
    return PatchImportEntry(module, info.module, from, to) > 0;
}

void CSkinApiHook::PatchEveryModule(int slot, bool install)
{
    bool patched = false;
    for (HMODULE module : ProcessModules()) {
        if (!IsNeverPatched(ModuleFileName(module)))
            patched = PatchSlot(slot, module, install) || patched;
    }
    m_installed[slot] = install && patched;
}

void CSkinApiHook::Install(unsigned options)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    const auto& slots = SkinHookSlots();
    for (int slot = 0; slot < kSkinHookSlotCount; ++slot) {
        const SkinHookSlotInfo& info = slots[slot];
        if (m_installed[slot] || !info.replacement || (info.options & options) != info.options)
            continue;
        // UxTheme's replacements are reached only through GetProcAddress.
        if (IsUxTheme(info.module))
            m_installed[slot] = true;
        else if (m_system[slot])
            PatchEveryModule(slot, true);
    }
}

void CSkinApiHook::Remove()
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    const auto& slots = SkinHookSlots();
    for (int slot = 0; slot < kSkinHookSlotCount; ++slot) {
        if (m_installed[slot] && !IsUxTheme(slots[slot].module))
            PatchEveryModule(slot, false);
        m_installed[slot] = false;
    }
}

void CSkinApiHook::PatchNewModule(HMODULE module)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!module || IsNeverPatched(ModuleFileName(module)))
        return;
    for (int slot = 0; slot < kSkinHookSlotCount; ++slot) {
        if (m_installed[slot] && m_system[slot])
            PatchSlot(slot, module, true);
    }
}

void* CSkinApiHook::FindReplacement(const std::string& moduleFileName, const char* function) const
{
    const auto& slots = SkinHookSlots();
    for (int slot = 0; slot < kSkinHookSlotCount; ++slot) {
        if (m_installed[slot] && ::_stricmp(slots[slot].module, moduleFileName.c_str()) == 0 &&
            std::strcmp(slots[slot].function, function) == 0)
            return slots[slot].replacement;
    }
    return nullptr;
}

} // namespace tavrelin::skin
