#include "core/FileSystem.h"

#include "win/UniqueHandle.h"

#include <windows.h>

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ListFiles(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE first = ::FindFirstFileA(pattern.c_str(), &found);
    if (first == INVALID_HANDLE_VALUE)
        return names;
    const win::UniqueHandle<HANDLE, ::FindClose> search(first);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (::FindNextFileA(search.get(), &found));
    return names;
}
