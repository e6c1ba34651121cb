#pragma once
// Text and paths in the program's code page, and their UTF-16 form for the
// calls that take only that. The manifest asks for UTF-8 as the code page,
// so that every name a user has (Cyrillic, Chinese, ...) passes through the
// narrow calls whole; a system that ignores the request gives its ANSI code
// page, and the same code then works within it.
#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// Bytes enough for a path the system takes (MAX_PATH UTF-16 units, each at
// most three bytes in UTF-8), with its terminating zero.
inline constexpr DWORD kPathBytes = 3 * MAX_PATH + 1;

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The full path of a module's file (null: the program's own); empty when it
// can't be had.
std::string ModuleFileName(HMODULE module);

// The folder of a path, up to and including its last backslash or slash;
// empty when there is none.
std::string FolderOf(const std::string& path);

} // namespace win
