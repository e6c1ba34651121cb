#include "riff/WaveFile.h"

#include "riff/Fourcc.h"
#include "riff/LittleEndian.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint32_t kFormatChunkMinimum = 16;
constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;
constexpr std::uint32_t kExtensibleChunkSize = 40;

// Bytes 2 to 15 of the sub-format GUIDs that carry a plain format tag in
// their first two bytes (PCM, IEEE float, ...).
constexpr std::array<std::uint8_t, 14> kSubFormatSuffix = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                           0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

} // namespace

CWaveFile::EOpenResult CWaveFile::Open(const std::string& path, bool bDataToFileEnd)
{
    if (!m_file.OpenForReading(path))
        return EOpenResult::cannotOpen;
    const auto fileSize = m_file.Size();
    if (!fileSize)
        return EOpenResult::cannotOpen;
    m_fileSize = *fileSize;
    std::array<std::uint8_t, 12> riffHeader{};
    if (m_file.ReadAt(0, riffHeader) != riffHeader.size() ||
        ReadLe32(riffHeader.data()) != MakeFourcc('R', 'I', 'F', 'F') ||
        ReadLe32(riffHeader.data() + 8) != MakeFourcc('W', 'A', 'V', 'E')) {
        return EOpenResult::malformed;
    }
    // The RIFF size of a recording cut short may never have been filled in,
    // so the file's own size bounds the walk through the chunks.
    if (!ReadChunkList(m_fileSize, bDataToFileEnd) || !IsUsableFormat())
        return EOpenResult::malformed;
    m_dataSize -= m_dataSize % m_format.nBlockAlign;
    return EOpenResult::ok;
}

bool CWaveFile::ReadChunkList(std::uint64_t fileEnd, bool bDataToFileEnd)
{
    std::uint64_t offset = 12;
    while (offset + 8 <= fileEnd && !(m_bHasFormat && m_bHasData)) {
        std::array<std::uint8_t, 8> header{};
        if (m_file.ReadAt(offset, header) != header.size())
            return false;
        const std::uint32_t id = ReadLe32(header.data());
        const std::uint32_t size = ReadLe32(header.data() + 4);
        const std::uint64_t dataOffset = offset + 8;
        if (id == MakeFourcc('f', 'm', 't', ' ') && !m_bHasFormat) {
            if (!ReadFormatChunk(dataOffset, size))
                return false;
        } else if (id == MakeFourcc('d', 'a', 't', 'a') && !m_bHasData) {
            m_bHasData = true;
            m_dataOffset = dataOffset;
            m_dataSize = bDataToFileEnd ? fileEnd - dataOffset : std::min<std::uint64_t>(size, fileEnd - dataOffset);
        }
        offset = dataOffset + size + (size & 1);
    }
    return m_bHasFormat && m_bHasData;
}

bool CWaveFile::ReadFormatChunk(std::uint64_t offset, std::uint32_t size)
{
    std::array<std::uint8_t, kFormatChunkMinimum> fields{};
    if (size < fields.size() || m_file.ReadAt(offset, fields) != fields.size())
        return false;
    m_format.wFormatTag = ReadLe16(&fields[0]);
    m_format.nChannels = ReadLe16(&fields[2]);
    m_format.nSamplesPerSec = ReadLe32(&fields[4]);
    m_format.nAvgBytesPerSec = ReadLe32(&fields[8]);
    m_format.nBlockAlign = ReadLe16(&fields[12]);
    m_format.wBitsPerSample = ReadLe16(&fields[14]);
    m_format.cbSize = 0;
    m_bHasFormat = true;
    return m_format.wFormatTag != kWaveFormatExtensible || ReadSubFormat(offset, size);
}

// The AVI stream stores the format without its extension, so an extensible
// format is reduced to the plain tag its sub-format names; without one the
// sound could not be described.
bool CWaveFile::ReadSubFormat(std::uint64_t offset, std::uint32_t size)
{
    std::array<std::uint8_t, kExtensibleChunkSize> fields{};
    if (size < fields.size() || m_file.ReadAt(offset, fields) != fields.size() || ReadLe16(&fields[16]) < 22)
        return false;
    const auto suffix = std::span(fields).subspan(26);
    if (!std::equal(suffix.begin(), suffix.end(), kSubFormatSuffix.begin(), kSubFormatSuffix.end()))
        return false;
    m_format.wFormatTag = ReadLe16(&fields[24]);
    return m_format.wFormatTag != kWaveFormatExtensible;
}

// A format without channels, rate or block size cannot describe any sound,
// and would make block counts meaningless.
bool CWaveFile::IsUsableFormat() const
{
    return m_format.nChannels != 0 && m_format.nSamplesPerSec != 0 && m_format.nBlockAlign != 0;
}

std::size_t CWaveFile::Read(std::span<std::uint8_t> buffer)
{
    const std::uint64_t left = m_dataSize - m_readPosition;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), left));
    if (wanted == 0)
        return 0;
    const std::size_t read = m_file.ReadAt(m_dataOffset + m_readPosition, buffer.first(wanted));
    m_readPosition += read;
    return read;
}
