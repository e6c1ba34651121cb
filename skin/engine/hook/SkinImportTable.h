#pragma once
// Reading and rewriting the import address tables of loaded modules.

#include <windows.h>

#include <string>
#include <vector>

namespace tavrelin::skin {

// Every module of the process, the program's own last.
std::vector<HMODULE> ProcessModules();

// The file name of a loaded module without its folder ("" when unknown).
std::string ModuleFileName(HMODULE module);

// In each import descriptor of `module` that names `dllName` (ASCII case
// ignored), overwrites the first address-table entry holding `from` with
// `to`. Returns how many entries were written.
int PatchImportEntry(HMODULE module, const char* dllName, const void* from, const void* to);

} // namespace tavrelin::skin
