#include "imaging/JpegEntropyReader.h"

#include "imaging/JpegTables.h"

#include <algorithm>

// The reader's bits in local variables while a block is decoded, where the
// compiler keeps them in registers; written back when the block is done.
class CJpegEntropyReader::CBits {
public:
    explicit CBits(CJpegEntropyReader& reader)
        : m_reader(reader), m_bits(reader.m_nBits), m_count(reader.m_nCount), m_next(reader.m_pNext),
          m_end(reader.m_bMarker ? reader.m_pNext : reader.m_pEnd)
    {}
    ~CBits() { Save(); }
    CBits(const CBits&) = delete;
    CBits& operator=(const CBits&) = delete;

    // At least 25 bits in the buffer, zeros past the data.
    void Fill()
    {
        while (m_count <= 24) {
            if (m_next < m_end && *m_next != 0xFF) {
                m_bits |= uint32_t{*m_next++} << (24 - m_count);
                m_count += 8;
            } else {
                Save();
                m_reader.FillSlowly();
                m_bits = m_reader.m_nBits;
                m_count = m_reader.m_nCount;
                m_next = m_reader.m_pNext;
                m_end = m_reader.m_bMarker ? m_next : m_reader.m_pEnd;
            }
        }
    }
    uint32_t Peek(int count) const { return m_bits >> (32 - count); }
    void Skip(int count)
    {
        m_bits <<= count;
        m_count -= count;
    }
    // The next symbol; -1 when no code matches.
    int Decode(const CJpegHuffmanTable& table)
    {
        Fill();
        const uint16_t entry = table.fast[Peek(CJpegHuffmanTable::kFastBits)];
        if (entry != 0) {
            Skip(entry >> 8);
            return entry & 0xFF;
        }
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
    // `count` bits (0..16) as a signed number.
    int32_t Receive(int count)
    {
        if (count == 0)
            return 0;
        Fill();
        const int32_t value = static_cast<int32_t>(Peek(count));
        Skip(count);
        return Extend(value, count);
    }

private:
    void Save()
    {
        m_reader.m_nBits = m_bits;
        m_reader.m_nCount = m_count;
        m_reader.m_pNext = m_next;
    }

    CJpegEntropyReader& m_reader;
    uint32_t m_bits;
    int m_count;
    const uint8_t* m_next;
    // Where the fast way of filling stops: the end of the data, or the marker reached.
    const uint8_t* m_end;
};

bool CJpegHuffmanTable::Build(const uint8_t counts[16], const uint8_t* symbolList, int symbolCount)
{
    m_bDefined = false;
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
            // A code of `length` bits is below 1 << length (T.81 C.2): a
            // table that claims more codes than fit is refused before its
            // code could index the look-up tables.
            if (index >= symbolCount || code >= (1 << length))
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

bool CJpegEntropyReader::DecodeBlock(const CJpegHuffmanTable& dc, const CJpegHuffmanTable& ac, const uint16_t quant[64],
                                     bool dcOnly, int32_t& predictor, float coefficients[64])
{
    CBits bits(*this);
    const int category = bits.Decode(dc);
    if (category < 0 || category > 11)
        return false;
    // Far beyond any DC value of 8-bit samples; a damaged file's differences
    // can't add up past it.
    constexpr int32_t kMostDc = 1 << 16;
    predictor = std::clamp(predictor + bits.Receive(category), -kMostDc, kMostDc);
    if (!dcOnly)
        std::fill(coefficients + 1, coefficients + 64, 0.0f);
    coefficients[0] = static_cast<float>(predictor) * quant[0];
    for (int k = 1; k < 64; ++k) {
        bits.Fill();
        // Most coefficients are short: code and value bits in one look-up.
        const int32_t shortAc = ac.fastAc[bits.Peek(CJpegHuffmanTable::kFastBits)];
        int run = 0;
        int32_t value = 0;
        if (shortAc != 0) {
            bits.Skip(shortAc & 15);
            run = (shortAc >> 4) & 15;
            value = shortAc >> 8;
        } else {
            const int symbol = bits.Decode(ac);
            if (symbol < 0)
                return false;
            const int size = symbol & 15;
            run = symbol >> 4;
            if (size == 0) {
                if (run != 15)
                    return true;
                k += 15;
                continue;
            }
            value = bits.Receive(size);
        }
        k += run;
        if (k > 63)
            return false;
        if (!dcOnly)
            coefficients[jpeg_tables::kZigzag[k]] = static_cast<float>(value) * quant[k];
    }
    return true;
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
