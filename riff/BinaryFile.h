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
    // Creates the file, or empties an existing one. Writes are unbuffered, so
    // a failure is known at the write that caused it.
    bool OpenForWriting(const std::string& path);
    bool OpenForReading(const std::string& path);
    // Opens an existing file to read and write in place, or with `create`
    // makes an empty one when there is none. Unbuffered, as for writing.
    bool OpenForUpdating(const std::string& path, bool create);
    bool IsOpen() const { return m_pFile != nullptr; }

    // Writes at the current position and moves past the bytes.
    bool Append(std::span<const std::uint8_t> bytes);

    // Makes offset the position of the next Append, e.g. to drop a partial write.
    bool MoveTo(std::uint64_t offset);

    // Overwrites bytes already written; the next Append goes where it would have.
    bool Overwrite(std::uint64_t offset, std::span<const std::uint8_t> bytes);

    // Reads at most bytes.size() bytes at offset; returns how many were read.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes);

    std::optional<std::uint64_t> Size();

    // Hands what was written to the disk itself, past the system's cache, so
    // that it survives a power cut; false when the system reports a failure.
    bool FlushToDisk();

    // Flushes and closes; false when anything could not be written.
    bool Close();

private:
    struct CFileCloser {
        void operator()(std::FILE* pFile) const { std::fclose(pFile); }
    };
    std::unique_ptr<std::FILE, CFileCloser> m_pFile;
};
