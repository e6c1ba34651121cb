#pragma once
// Builds RIFF structures in memory: little-endian fields and chunks whose size
// fields are filled in when the chunk is closed.

#include "riff/WaveFormat.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CRiffBuffer {
public:
    void Put8(std::uint8_t value);
    void Put16(std::uint16_t value);
    void Put32(std::uint32_t value);
    void Put64(std::uint64_t value);
    void PutBytes(std::span<const std::uint8_t> bytes);
    void PutZeros(std::size_t count);
    // The 16 bytes of a PCM format block, as WAV files and AVI audio streams
    // store it.
    void PutPcmFormat(const WaveFormat& format);

    // Starts a chunk (or a LIST/RIFF with its form type) and returns its mark.
    std::size_t BeginChunk(std::uint32_t fourcc);
    std::size_t BeginList(std::uint32_t listFourcc, std::uint32_t formType);

    // Fills the size field of the chunk and pads its data to an even length.
    void EndChunk(std::size_t mark);

    // Overwrites a 32-bit field written earlier.
    void Patch32(std::size_t offset, std::uint32_t value);

    std::size_t Size() const { return m_bytes.size(); }
    std::span<const std::uint8_t> Bytes() const { return m_bytes; }
    void Clear() { m_bytes.clear(); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Size on disk of a chunk holding dataSize bytes: header plus even padding.
constexpr std::uint64_t RiffChunkSpan(std::uint64_t dataSize) { return 8 + dataSize + (dataSize & 1); }
