#include "skin/engine/hook/SkinImportTable.h"

#include "win/Text.h"
#include "win/UniqueHandle.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

namespace tavrelin::skin {
namespace {

const IMAGE_IMPORT_DESCRIPTOR* FirstImportDescriptor(HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (!module || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (headers->Signature != IMAGE_NT_SIGNATURE || headers->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC ||
        headers->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
        return nullptr;
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress || !imports.Size)
        return nullptr;
    return reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
}

// One aligned pointer-sized write, so that threads calling through the entry
// at this moment see either the old or the new address.
bool WriteEntry(ULONG_PTR* entry, const void* to)
{
    DWORD previous = 0;
    if (!::VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &previous))
        return false;
    ::InterlockedExchangePointer(reinterpret_cast<void* volatile*>(entry), const_cast<void*>(to));
    DWORD ignored = 0;
    ::VirtualProtect(entry, sizeof *entry, previous, &ignored);
    return true;
}

} // namespace

namespace {

std::vector<HMODULE> ListedModules()
{
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    if (::K32EnumProcessModules(::GetCurrentProcess(), modules.data(),
                                static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
        return modules;
    }
    modules.clear();
    const HANDLE created = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, ::GetCurrentProcessId());
    if (created == INVALID_HANDLE_VALUE)
        return modules;
    win::UniqueKernelHandle snapshot(created);
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Module32First(snapshot.get(), &entry); more; more = ::Module32Next(snapshot.get(), &entry))
        modules.push_back(entry.hModule);
    return modules;
}

} // namespace

std::vector<HMODULE> ProcessModules()
{
    const HMODULE own = ::GetModuleHandleA(nullptr);
    std::vector<HMODULE> modules = ListedModules();
    modules.erase(std::remove(modules.begin(), modules.end(), own), modules.end());
    modules.push_back(own);
    return modules;
}

std::string ModuleFileName(HMODULE module)
{
    const std::string path = win::ModuleFileName(module);
    return path.substr(win::FolderOf(path).size());
}

int PatchImportEntry(HMODULE module, const char* dllName, const void* from, const void* to)
{
    const auto* descriptor = FirstImportDescriptor(module);
    if (!descriptor || !from)
        return 0;
    auto* base = reinterpret_cast<BYTE*>(module);
    int written = 0;
    for (; descriptor->Name; ++descriptor) {
        if (::_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dllName) != 0 || !descriptor->FirstThunk)
            continue;
        auto* entry = reinterpret_cast<ULONG_PTR*>(base + descriptor->FirstThunk);
        for (; *entry; ++entry) {
            if (*entry == reinterpret_cast<ULONG_PTR>(from)) {
                written += WriteEntry(entry, to) ? 1 : 0;
                break;
            }
        }
    }
    return written;
}

} // namespace tavrelin::skin
