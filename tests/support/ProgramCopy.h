#pragma once
// A private copy of the program folder, so each test starts from the shipped
// state and leaves nothing behind.
#include <string>

namespace e2e {

// Turns a Unix path ("/work/x") into the path Wine maps it to ("Z:\work\x");
// a Windows path comes back unchanged.
std::string ToWindowsPath(const std::string& path);

// Reads an environment variable of this process; empty when unset.
std::string EnvironmentVariable(const std::string& name);

// Copies a folder tree recursively; false when any part failed.
bool CopyFolder(const std::string& source, const std::string& target);

// Removes a folder tree, best effort; true when the folder is gone.
bool RemoveFolder(const std::string& folder);

class ProgramCopy {
public:
    // Copies the folder named by TAVRELIN_PROGRAM_DIR.
    ProgramCopy();
    // Copies the given folder (Windows or Unix path), into `within` (folders
    // below the temporary one, made as needed) when it is given. Throws
    // std::runtime_error when the source is missing or the copy fails.
    explicit ProgramCopy(const std::string& sourceFolder, const std::string& within = "");
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    // The copy's folder, without a trailing backslash.
    const std::string& Path() const { return m_strPath; }
    // A path inside the copy; relative may use / or \.
    std::string File(const std::string& relative) const;
    // Leaves the copy on disk, for a look after a failed test.
    void Keep() { m_bKeep = true; }

private:
    std::string m_strRoot;
    std::string m_strPath;
    bool m_bKeep = false;
};

// Puts a skin file into the copy's Skin folder under that name and makes it
// the configured skin; false when either step failed.
bool UseSkin(const ProgramCopy& copy, const std::string& skinFile, const std::string& name);

} // namespace e2e
