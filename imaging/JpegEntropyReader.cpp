#include "imaging/JpegEntropyReader.h"

bool CJpegHuffmanTable::Build(const uint8_t counts[16], const uint8_t* symbolList, int symbolCount)
{
    if (symbolCount < 0 || symbolCount > 256)
        return false;
    fast.fill(0);
    maxCode.fill(-1);
    int32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[length - 1];
        symbolOffset[length] = index - code;
        for (int i = 0; i < count; ++i, ++code, ++index) {
            if (index >= symbolCount)
                return false;
            symbols[index] = symbolList[index];
            if (length <= kFastBits) {
                const int spread = 1 << (kFastBits - length);
                for (int j = 0; j < spread; ++j)
                    fast[(code << (kFastBits - length)) | j] = static_cast<uint16_t>(length << 8 | symbolList[index]);
            }
        }
        if (count > 0)
            maxCode[length] = code - 1;
        // Codes of one length must leave room for at least one longer code or end the table.
        if (code > (1 << length))
            return false;
        code <<= 1;
    }
    m_bDefined = index == symbolCount;
    for (int bits = 0; bits < (1 << kFastBits); ++bits) {
        const int length = fast[bits] >> 8, run = (fast[bits] >> 4) & 15, size = fast[bits] & 15;
        fastAc[bits] = 0;
        if (length == 0 || size == 0 || length + size > kFastBits)
            continue;
        const int32_t valueBits = (bits >> (kFastBits - length - size)) & ((1 << size) - 1);
        fastAc[bits] = static_cast<int32_t>(static_cast<uint32_t>(CJpegEntropyReader::Extend(valueBits, size)) << 8) |
                       run << 4 | (length + size);
    }
    return m_bDefined;
}

void CJpegEntropyReader::FillSlowly()
{
    uint32_t byte = 0;
    bool inData = false;
    if (!m_bMarker && m_pNext < m_pEnd) {
        if (m_pNext + 1 < m_pEnd && m_pNext[1] == 0x00) {
            byte = 0xFF;
            m_pNext += 2;
            inData = true;
        } else {
            // A marker, or FF as the last byte: the data ends here.
            m_bMarker = true;
        }
    }
    m_nBits |= byte << (24 - m_nCount);
    m_nCount += 8;
    if (!inData)
        m_nFill += 8;
}

int CJpegEntropyReader::DecodeLong(const CJpegHuffmanTable& table)
{
    for (int length = CJpegHuffmanTable::kFastBits + 1; length <= 16; ++length) {
        const int32_t code = static_cast<int32_t>(Peek(length));
        if (code <= table.maxCode[length]) {
            const int32_t index = code + table.symbolOffset[length];
            if (index < 0 || index > 255)
                return -1;
            Skip(length);
            return table.symbols[static_cast<std::size_t>(index)];
        }
    }
    return -1;
}

void CJpegEntropyReader::Restart()
{
    m_nBits = 0;
    m_nCount = 0;
    m_nFill = 0;
    // Whatever lies before the marker is not data of this interval.
    while (m_pNext + 1 < m_pEnd && !(m_pNext[0] == 0xFF && m_pNext[1] != 0x00 && m_pNext[1] != 0xFF))
        ++m_pNext;
    m_bMarker = true;
    if (m_pNext + 1 < m_pEnd && m_pNext[1] >= 0xD0 && m_pNext[1] <= 0xD7) {
        m_pNext += 2;
        m_bMarker = false;
    }
}
