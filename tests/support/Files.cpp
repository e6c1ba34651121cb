#include "Files.h"

#include "Handles.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

bool IsDotEntry(const char* name) { return std::string(name) == "." || std::string(name) == ".."; }

} // namespace

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<WIN32_FIND_DATAA> FolderEntries(const std::string& folder)
{
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA data{};
    const HANDLE first = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (first == INVALID_HANDLE_VALUE)
        return entries;
    UniqueFindHandle find(first);
    do {
        if (!IsDotEntry(data.cFileName))
            entries.push_back(data);
    } while (::FindNextFileA(find.get(), &data));
    return entries;
}

std::vector<std::string> FolderEntryNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : FolderEntries(folder))
        names.emplace_back(entry.cFileName);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace e2e
