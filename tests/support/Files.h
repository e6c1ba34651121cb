#pragma once
// File checks for what the program under test writes.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
// The file's size in bytes; 0 when it cannot be read.
std::uint64_t FileSize(const std::string& path);
// The whole file, or nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);
// Names in a folder without "." and "..", sorted; empty when it cannot be read.
std::vector<std::string> FolderEntryNames(const std::string& folder);

// Find data of each entry in a folder without "." and "..", in the order the
// file system gives.
std::vector<WIN32_FIND_DATAA> FolderEntries(const std::string& folder);

} // namespace e2e
