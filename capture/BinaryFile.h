#pragma once
// A file opened for binary reading or writing with 64-bit positions, so that
// files above 2 GB can be written and patched on every platform.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

class CBinaryFile {
public:
    // Creates the file, or empties an existing one.
    bool OpenForWriting(const std::string& path);
    bool OpenForReading(const std::string& path);
    bool IsOpen() const { return m_pFile != nullptr; }

    // Appends at the end of what was written so far.
    bool Append(std::span<const std::uint8_t> bytes);

    // Overwrites bytes already written; the next Append still goes to the end.
    bool Overwrite(std::uint64_t offset, std::span<const std::uint8_t> bytes);

    // Reads at most bytes.size() bytes at offset; returns how many were read.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes);

    std::optional<std::uint64_t> Size();

    // Flushes and closes; false when anything could not be written.
    bool Close();

private:
    bool SeekTo(std::uint64_t offset);
    bool SeekToEnd();

    struct CFileCloser {
        void operator()(std::FILE* pFile) const { std::fclose(pFile); }
    };
    std::unique_ptr<std::FILE, CFileCloser> m_pFile;
};
