// Entropy-coded segment writer: MSB-first bits, a 00 byte stuffed after every
// FF byte, the last partial byte padded with 1-bits (T.81 F.1.2.3, B.1.1.5).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// StoreBigEndian swaps bytes for a little-endian memory order.
static_assert(std::endian::native == std::endian::little);

class CJpegBitWriter {
public:
    // Put stores eight bytes at the cursor each time and keeps only the whole
    // ones, so the buffer needs this much room beyond what is kept.
    static constexpr int kStoreSlack = 8;

    void Reset(uint8_t* cursor)
    {
        m_pCursor = cursor;
        m_nAccumulator = 0;
        m_nBitCount = 0;
    }

    uint8_t* Cursor() const { return m_pCursor; }
    void SetCursor(uint8_t* cursor) { m_pCursor = cursor; }

    // Appends the low bitCount bits of value (1 <= bitCount <= 56; higher
    // bits of value must be 0). Whole bytes leave without a data-dependent
    // branch, unless one of them is FF and needs its stuffing byte.
    void Put(uint64_t value, int bitCount)
    {
        m_nAccumulator = (m_nAccumulator << bitCount) | value;
        m_nBitCount += static_cast<std::size_t>(bitCount);
        // The pending bits left-aligned; below them only zeros, so an FF can
        // only be among the whole bytes.
        const uint64_t aligned = m_nAccumulator << (64 - m_nBitCount);
        if (HasFfByte(aligned)) {
            WriteStuffed(aligned, static_cast<int>(m_nBitCount >> 3));
        } else {
            StoreBigEndian(aligned);
            m_pCursor += m_nBitCount >> 3;
        }
        m_nBitCount &= 7;
    }

    // Pads to a byte boundary with 1-bits and writes the last byte.
    void Flush()
    {
        if (m_nBitCount == 0)
            return;
        const int padBits = 8 - static_cast<int>(m_nBitCount);
        const uint64_t last = ((m_nAccumulator << padBits) | ((1u << padBits) - 1)) & 0xFF;
        WriteStuffed(last << 56, 1);
        m_nAccumulator = 0;
        m_nBitCount = 0;
    }

private:
    // A zero byte in ~word marks an FF byte in word; a borrow may also flag
    // the byte above a real FF, which only sends it down the slow path.
    static bool HasFfByte(uint64_t word)
    {
        return ((~word - 0x0101010101010101u) & word & 0x8080808080808080u) != 0;
    }

    void StoreBigEndian(uint64_t word)
    {
        // One byte-swapped store; assembling bytes in memory and reading them
        // back as a word would stall on store forwarding.
#if defined(__GNUC__)
        const uint64_t swapped = __builtin_bswap64(word);
#else
        uint64_t swapped = 0;
        for (int i = 0; i < 8; ++i)
            swapped |= ((word >> (56 - 8 * i)) & 0xFF) << (8 * i);
#endif
        std::memcpy(m_pCursor, &swapped, sizeof swapped);
    }

    void WriteStuffed(uint64_t word, int count)
    {
        for (int i = 0; i < count; ++i) {
            const uint8_t byte = static_cast<uint8_t>(word >> (56 - 8 * i));
            *m_pCursor++ = byte;
            if (byte == 0xFF)
                *m_pCursor++ = 0;
        }
    }

    uint8_t* m_pCursor = nullptr;
    uint64_t m_nAccumulator = 0;
    // Word-sized, as it moves the cursor: no sign extension on the hot path.
    std::size_t m_nBitCount = 0;
};
