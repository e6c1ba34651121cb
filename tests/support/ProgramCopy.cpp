#include "ProgramCopy.h"

#include "Files.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace e2e {
namespace {

std::string WithBackslashes(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

// A new, empty folder under the Windows temp folder.
std::string CreateUniqueTempFolder()
{
    static std::atomic<unsigned> counter{0};
    char tempPath[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof tempPath, tempPath);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("GetTempPath failed");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = std::string(tempPath) + "tavrelin-e2e-" +
                                      std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount()) +
                                      "-" + std::to_string(counter++);
        if (::CreateDirectoryA(candidate.c_str(), nullptr))
            return candidate;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

} // namespace

std::string ToWindowsPath(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return "Z:" + WithBackslashes(path);
    return path;
}

std::string EnvironmentVariable(const std::string& name)
{
    const DWORD size = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::string value(size, '\0');
    const DWORD length = ::GetEnvironmentVariableA(name.c_str(), value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

bool CopyFolder(const std::string& source, const std::string& target)
{
    if (!IsFolder(target) && !::CreateDirectoryA(target.c_str(), nullptr))
        return false;
    bool allCopied = true;
    for (const WIN32_FIND_DATAA& entry : FolderEntries(source)) {
        const std::string from = source + "\\" + entry.cFileName;
        const std::string to = target + "\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            allCopied = CopyFolder(from, to) && allCopied;
        else
            allCopied = ::CopyFileA(from.c_str(), to.c_str(), FALSE) && allCopied;
    }
    return allCopied;
}

bool RemoveFolder(const std::string& folder)
{
    for (const WIN32_FIND_DATAA& entry : FolderEntries(folder)) {
        const std::string path = folder + "\\" + entry.cFileName;
        // A read-only file refuses DeleteFile until its attribute is cleared.
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveFolder(path);
        else
            ::DeleteFileA(path.c_str());
    }
    ::RemoveDirectoryA(folder.c_str());
    return !IsFolder(folder);
}

ProgramCopy::ProgramCopy() : ProgramCopy(EnvironmentVariable("TAVRELIN_PROGRAM_DIR")) {}

ProgramCopy::ProgramCopy(const std::string& sourceFolder, const std::string& within)
{
    const std::string source = WithoutTrailingSeparator(ToWindowsPath(sourceFolder));
    if (source.empty() || !IsFolder(source))
        throw std::runtime_error("program folder not found: '" + sourceFolder + "'");
    m_strRoot = m_strPath = CreateUniqueTempFolder();
    std::string rest = WithBackslashes(within);
    while (!rest.empty()) {
        const std::size_t separator = rest.find('\\');
        m_strPath += "\\" + rest.substr(0, separator);
        ::CreateDirectoryA(m_strPath.c_str(), nullptr);
        rest = separator == std::string::npos ? std::string() : rest.substr(separator + 1);
    }
    if (!CopyFolder(source, m_strPath)) {
        RemoveFolder(m_strRoot);
        throw std::runtime_error("copying " + source + " to " + m_strPath + " failed");
    }
}

ProgramCopy::~ProgramCopy()
{
    if (!m_bKeep)
        RemoveFolder(m_strRoot);
}

std::string ProgramCopy::File(const std::string& relative) const
{
    return m_strPath + "\\" + WithBackslashes(relative);
}

bool UseSkin(const ProgramCopy& copy, const std::string& skinFile, const std::string& name)
{
    const std::string ini = copy.File("Config.ini");
    const bool copied =
        ::CopyFileA(ToWindowsPath(skinFile).c_str(), copy.File("Skin\\" + name).c_str(), FALSE) != FALSE;
    const bool written = ::WritePrivateProfileStringA("CONFIG", "SKIN", name.c_str(), ini.c_str()) != FALSE;
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    return copied && written;
}

} // namespace e2e
