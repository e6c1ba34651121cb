#pragma once
// Writes sound as a RIFF WAVE file with the canonical 44-byte header (a
// 16-byte "fmt " chunk followed by the "data" chunk). The file is written
// under a temporary name and gets its own name only when it is complete, so a
// failed or abandoned write never leaves a file behind that looks finished.

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

    // Starts the temporary file beside path. The format must describe whole
    // blocks: a block align of at least one byte.
    bool Open(const std::string& path, const WaveFormat& format);

    // Appends sample bytes; a block split across two calls is joined. Bytes
    // beyond what the 32-bit RIFF sizes can describe are dropped and IsFull()
    // turns true; false means a write failed.
    bool Append(std::span<const std::uint8_t> samples);

    bool IsFull() const { return m_bFull; }
    std::uint32_t DataSize() const { return m_dataSize; }

    // Completes the header and renames the file to its path, replacing an
    // older file there. On failure no file is left under either name.
    bool Commit();

    // Removes the temporary file; nothing is left behind.
    void Discard();

    static std::string TemporaryPathFor(const std::string& path) { return path + ".part"; }

private:
    CRiffBuffer Header() const;
    bool AppendWholeBlocks(std::span<const std::uint8_t> samples);

    CBinaryFile m_file;
    std::string m_path;
    WaveFormat m_format;
    std::uint32_t m_dataSize = 0;
    std::uint32_t m_dataLimit = 0;
    std::vector<std::uint8_t> m_partialBlock;
    bool m_bFull = false;
    bool m_bFailed = false;
};
