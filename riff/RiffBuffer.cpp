#include "riff/RiffBuffer.h"

void CRiffBuffer::Put8(std::uint8_t value) { m_bytes.push_back(value); }

void CRiffBuffer::Put16(std::uint16_t value)
{
    Put8(static_cast<std::uint8_t>(value));
    Put8(static_cast<std::uint8_t>(value >> 8));
}

void CRiffBuffer::Put32(std::uint32_t value)
{
    Put16(static_cast<std::uint16_t>(value));
    Put16(static_cast<std::uint16_t>(value >> 16));
}

void CRiffBuffer::Put64(std::uint64_t value)
{
    Put32(static_cast<std::uint32_t>(value));
    Put32(static_cast<std::uint32_t>(value >> 32));
}

void CRiffBuffer::PutBytes(std::span<const std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void CRiffBuffer::PutZeros(std::size_t count) { m_bytes.resize(m_bytes.size() + count, 0); }

std::size_t CRiffBuffer::BeginChunk(std::uint32_t fourcc)
{
    const std::size_t mark = m_bytes.size();
    Put32(fourcc);
    Put32(0);
    return mark;
}

std::size_t CRiffBuffer::BeginList(std::uint32_t listFourcc, std::uint32_t formType)
{
    const std::size_t mark = BeginChunk(listFourcc);
    Put32(formType);
    return mark;
}

void CRiffBuffer::EndChunk(std::size_t mark)
{
    const std::size_t dataSize = m_bytes.size() - mark - 8;
    Patch32(mark + 4, static_cast<std::uint32_t>(dataSize));
    if (dataSize & 1)
        Put8(0);
}

void CRiffBuffer::Patch32(std::size_t offset, std::uint32_t value)
{
    for (int index = 0; index < 4; ++index)
        m_bytes[offset + index] = static_cast<std::uint8_t>(value >> (8 * index));
}

void CRiffBuffer::PutPcmFormat(const WaveFormat& format)
{
    Put16(format.wFormatTag);
    Put16(format.nChannels);
    Put32(format.nSamplesPerSec);
    Put32(format.nAvgBytesPerSec);
    Put16(format.nBlockAlign);
    Put16(format.wBitsPerSample);
}
