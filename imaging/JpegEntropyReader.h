// Reading a JPEG scan's entropy-coded data: bits most significant first, an
// FF byte followed by a stuffed 00, Huffman codes decoded with the tables of
// a DHT segment (T.81 Annex C and F.2.2). Every read stays inside the data;
// past its end, or past a marker, the reader gives 0 bits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class CJpegHuffmanTable {
public:
    // From the 16 code-length counts and the symbols in code order; false
    // when the counts describe no valid code (more codes than fit a length).
    bool Build(const uint8_t counts[16], const uint8_t* symbols, int symbolCount);
    bool IsDefined() const { return m_bDefined; }

    static constexpr int kFastBits = 9;
    // (length << 8) | symbol for codes of up to kFastBits bits, by the next
    // kFastBits bits of data; 0 for a longer code.
    std::array<uint16_t, 1 << kFastBits> fast{};
    // The largest code of each length, -1 when there is none.
    std::array<int32_t, 17> maxCode{};
    // For an AC code whose value bits also lie within those kFastBits bits:
    // value << 8 | run << 4 | bits taken, else 0 (T.81 F.2.2.2 in one step).
    std::array<int32_t, 1 << kFastBits> fastAc{};
    // Added to a code of that length, the index of its symbol.
    std::array<int32_t, 17> symbolOffset{};
    std::array<uint8_t, 256> symbols{};

private:
    bool m_bDefined = false;
};

class CJpegEntropyReader {
public:
    CJpegEntropyReader(const uint8_t* data, std::size_t size) : m_pNext(data), m_pEnd(data + size) {}

    // The next symbol; -1 when no code matches (damaged data).
    int Decode(const CJpegHuffmanTable& table)
    {
        Fill();
        const uint16_t entry = table.fast[Peek(CJpegHuffmanTable::kFastBits)];
        if (entry == 0)
            return DecodeLong(table);
        Skip(entry >> 8);
        return entry & 0xFF;
    }
    // An AC coefficient coded within the next kFastBits bits: its run of
    // zeros before it and its value. False, reading nothing, for any other.
    bool DecodeShortAc(const CJpegHuffmanTable& table, int& run, int32_t& value)
    {
        Fill();
        const int32_t entry = table.fastAc[Peek(CJpegHuffmanTable::kFastBits)];
        if (entry == 0)
            return false;
        Skip(entry & 15);
        run = (entry >> 4) & 15;
        value = entry >> 8;
        return true;
    }
    // A value of `count` bits (1..16) as T.81 F.2.2.1 extends it to a signed number.
    int32_t Receive(int count)
    {
        if (count <= 0 || count > 16)
            return 0;
        Fill();
        const int32_t value = static_cast<int32_t>(Peek(count));
        Skip(count);
        return Extend(value, count);
    }
    // The signed number that `count` value bits stand for.
    static int32_t Extend(int32_t bits, int count)
    {
        return bits < (1 << (count - 1)) ? bits - (1 << count) + 1 : bits;
    }
    // Passes over `count` bits (0..16).
    void Drop(int count)
    {
        if (count <= 0 || count > 16)
            return;
        Fill();
        Skip(count);
    }
    // At a restart interval's end: drops the bits left in the byte and
    // steps over the RSTn marker if it is there.
    void Restart();
    // Every bit before the end of the data or the marker that ends it is read.
    bool IsExhausted() const { return m_nCount <= m_nFill && (m_bMarker || m_pNext == m_pEnd); }

private:
    // At least 25 bits in the buffer, zeros past the data.
    void Fill()
    {
        while (m_nCount <= 24) {
            if (m_pNext < m_pEnd && *m_pNext != 0xFF && !m_bMarker) {
                m_nBits |= uint32_t{*m_pNext++} << (24 - m_nCount);
                m_nCount += 8;
            } else {
                FillSlowly();
            }
        }
    }
    void FillSlowly();
    int DecodeLong(const CJpegHuffmanTable& table);
    uint32_t Peek(int count) const { return m_nBits >> (32 - count); }
    void Skip(int count)
    {
        m_nBits <<= count;
        m_nCount -= count;
        if (m_nFill > m_nCount)
            m_nFill = m_nCount;
    }

    const uint8_t* m_pNext;
    const uint8_t* m_pEnd;
    uint32_t m_nBits = 0; // left-aligned
    int m_nCount = 0;     // bits in m_nBits
    int m_nFill = 0;      // of them, the last ones that lie past the data
    bool m_bMarker = false;
};
