// Entropy-coded segment writer: MSB-first bits, a 00 byte stuffed after every
// FF byte, the last partial byte padded with 1-bits (T.81 F.1.2.3, B.1.1.5).
#pragma once

#include <cstdint>

class CJpegBitWriter {
public:
    // Output never goes beyond the bytes kept.
    static constexpr int kStoreSlack = 0;

    void Reset(uint8_t* cursor)
    {
        m_pCursor = cursor;
        m_nAccumulator = 0;
        m_nBitCount = 0;
    }

    uint8_t* Cursor() const { return m_pCursor; }
    void SetCursor(uint8_t* cursor) { m_pCursor = cursor; }

    // Appends the low bitCount bits of value (bitCount <= 32, higher bits of
    // value must be 0). A 64-bit accumulator lets most calls skip the output.
    void Put(uint32_t value, int bitCount)
    {
        m_nAccumulator = (m_nAccumulator << bitCount) | value;
        m_nBitCount += bitCount;
        if (m_nBitCount >= 32) {
            m_nBitCount -= 32;
            WriteWord(static_cast<uint32_t>(m_nAccumulator >> m_nBitCount));
        }
    }

    // Pads to a byte boundary with 1-bits and writes every pending byte.
    void Flush()
    {
        const int padBits = (8 - (m_nBitCount & 7)) & 7;
        m_nAccumulator = (m_nAccumulator << padBits) | ((1u << padBits) - 1);
        m_nBitCount += padBits;
        while (m_nBitCount > 0) {
            m_nBitCount -= 8;
            WriteByte(static_cast<uint8_t>(m_nAccumulator >> m_nBitCount));
        }
        m_nAccumulator = 0;
    }

private:
    void WriteByte(uint8_t byte)
    {
        *m_pCursor++ = byte;
        if (byte == 0xFF)
            *m_pCursor++ = 0;
    }

    void WriteWord(uint32_t word)
    {
        // A zero byte in ~word marks an FF byte in word; only then stuff byte by byte.
        const uint32_t inverted = ~word;
        if (((inverted - 0x01010101u) & ~inverted & 0x80808080u) == 0) {
            m_pCursor[0] = static_cast<uint8_t>(word >> 24);
            m_pCursor[1] = static_cast<uint8_t>(word >> 16);
            m_pCursor[2] = static_cast<uint8_t>(word >> 8);
            m_pCursor[3] = static_cast<uint8_t>(word);
            m_pCursor += 4;
            return;
        }
        WriteByte(static_cast<uint8_t>(word >> 24));
        WriteByte(static_cast<uint8_t>(word >> 16));
        WriteByte(static_cast<uint8_t>(word >> 8));
        WriteByte(static_cast<uint8_t>(word));
    }

    uint8_t* m_pCursor = nullptr;
    uint64_t m_nAccumulator = 0;
    int m_nBitCount = 0;
};
