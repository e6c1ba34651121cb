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

    // One block's coefficients (T.81 F.2.2), dequantised by quant (zigzag
    // order) into natural order; with dcOnly only the DC coefficient is
    // kept, the others passed over. False for damaged data.
    bool DecodeBlock(const CJpegHuffmanTable& dc, const CJpegHuffmanTable& ac, const uint16_t quant[64], bool dcOnly,
                     int32_t& predictor, float coefficients[64]);
    // The signed number that `count` value bits stand for (T.81 F.2.2.1).
    static int32_t Extend(int32_t bits, int count)
    {
        return bits < (1 << (count - 1)) ? bits - (1 << count) + 1 : bits;
    }
    // At a restart interval's end: drops the bits left in the byte and
    // steps over the RSTn marker if it is there.
    void Restart();
    // Every bit before the end of the data or the marker that ends it is read.
    bool IsExhausted() const { return m_nCount <= m_nFill && (m_bMarker || m_pNext == m_pEnd); }

private:
    class CBits;
    // One byte more into the buffer where the fast way can't: FF 00, a
    // marker, the end of the data.
    void FillSlowly();

    const uint8_t* m_pNext;
    const uint8_t* m_pEnd;
    uint32_t m_nBits = 0; // left-aligned
    int m_nCount = 0;     // bits in m_nBits
    // Bits put in after the data ended; once m_nCount is no more, every bit
    // of the data has been read.
    int m_nFill = 0;
    bool m_bMarker = false;
};
