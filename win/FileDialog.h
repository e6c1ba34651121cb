#pragma once
// The platform's dialog that asks for a file to open.
#include <windows.h>

#include <optional>
#include <string>

namespace win {

struct SOpenFileQuestion {
    HWND owner = nullptr;
    const char* filter = nullptr;           // pairs of description and pattern, each ending in \0
    const char* defaultExtension = nullptr; // added to a name typed without one
    DWORD flags = 0;                        // OFN_...
};

// The chosen file's path (of any length the system takes, in any script);
// none when the user cancels.
std::optional<std::string> AskFileToOpen(const SOpenFileQuestion& question);

} // namespace win
