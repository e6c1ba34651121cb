#pragma once
// Writes sound as a RIFF WAVE file with the canonical 44-byte header (a
// 16-byte "fmt " chunk followed by the "data" chunk). A file made in one go
// is written under a temporary name and gets its own name only when it is
// complete, so a failed or abandoned write never leaves a file behind that
// looks finished. A file that grows while it is recorded is written under its
// own name instead and kept a valid WAV on disk by Refresh, so that a crash
// leaves the sound recorded up to the last refresh.

#include "riff/BinaryFile.h"
#include "riff/RiffBuffer.h"
#include "riff/WaveFormat.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CWaveWriter {
public:
    static constexpr std::uint32_t kHeaderSize = 44;

    CWaveWriter() = default;
    ~CWaveWriter();
    CWaveWriter(const CWaveWriter&) = delete;
    CWaveWriter& operator=(const CWaveWriter&) = delete;

    enum class EPlace { besideUntilCommit, inPlace };

    // Starts the file: the temporary file beside path, or path itself. The
    // format must describe whole blocks: a block align of at least one byte.
    bool Open(const std::string& path, const WaveFormat& format, EPlace place = EPlace::besideUntilCommit);

    // Appends sample bytes; a block split across two calls is joined. Bytes
    // beyond what the 32-bit RIFF sizes can describe are dropped and IsFull()
    // turns true; false means a write failed.
    bool Append(std::span<const std::uint8_t> samples);

    bool IsFull() const { return m_bFull; }
    std::uint32_t DataSize() const { return m_dataSize; }

    // Writes the header with the sizes so far and flushes the file to disk.
    bool Refresh();

    // Completes the header and renames the file to its path, replacing an
    // older file there. On failure no file is left under either name.
    bool Commit();

    // Removes the file being written; nothing is left behind.
    void Discard();

    static std::string TemporaryPathFor(const std::string& path) { return path + ".part"; }

private:
    std::string WritingPath() const { return m_place == EPlace::inPlace ? m_path : TemporaryPathFor(m_path); }
    CRiffBuffer Header() const;
    bool AppendWholeBlocks(std::span<const std::uint8_t> samples);

    CBinaryFile m_file;
    std::string m_path;
    EPlace m_place = EPlace::besideUntilCommit;
    WaveFormat m_format;
    std::uint32_t m_dataSize = 0;
    std::uint32_t m_dataLimit = 0;
    std::vector<std::uint8_t> m_partialBlock;
    bool m_bFull = false;
    bool m_bFailed = false;
};
