#pragma once
// Reads the sound of a RIFF WAVE file: finds its "fmt " and "data" chunks by
// walking the chunk list and hands out the sample bytes in pieces. A file is
// never read past its end: a data chunk that claims more bytes than the file
// holds (a recording cut short) is clipped to the whole blocks present.

#include "riff/BinaryFile.h"
#include "riff/WaveFormat.h"

#include <cstdint>
#include <span>
#include <string>

class CWaveFile {
public:
    enum class EOpenResult { ok, cannotOpen, malformed };

    // bDataToFileEnd: the data chunk is taken to run to the end of the file,
    // whatever its size says, for a file of ours that was being recorded
    // when the program ended and whose header lags behind its samples.
    EOpenResult Open(const std::string& path, bool bDataToFileEnd = false);

    const WaveFormat& Format() const { return m_format; }

    // Sample bytes available: whole blocks only.
    std::uint64_t DataSize() const { return m_dataSize; }

    // Reads the next sample bytes into buffer; returns how many were read,
    // 0 at the end of the data.
    std::size_t Read(std::span<std::uint8_t> buffer);

private:
    bool ReadChunkList(std::uint64_t fileEnd, bool bDataToFileEnd);
    bool ReadFormatChunk(std::uint64_t offset, std::uint32_t size);
    bool ReadSubFormat(std::uint64_t offset, std::uint32_t size);
    bool IsUsableFormat() const;

    CBinaryFile m_file;
    std::uint64_t m_fileSize = 0;
    WaveFormat m_format;
    bool m_bHasFormat = false;
    bool m_bHasData = false;
    std::uint64_t m_dataOffset = 0;
    std::uint64_t m_dataSize = 0;
    std::uint64_t m_readPosition = 0;
};
