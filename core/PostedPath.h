#pragma once
// A file's path sent along with a posted message. The path waits in a
// mailbox of the process and the message carries only its number, so a
// message that arrives with a number we never gave (from another process, or
// twice) finds nothing instead of reading memory that isn't a path.
#include <windows.h>

#include <optional>
#include <string>

// Posts message with the path's number as lParam; false when the post failed
// (the path is then dropped).
bool PostPathMessage(HWND window, UINT message, const std::string& path);
// The path posted under that number, once; nullopt for any other number.
std::optional<std::string> TakePostedPath(LPARAM number);
