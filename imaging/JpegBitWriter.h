// Entropy-coded segment writer: MSB-first bits, a 00 byte stuffed after every
// FF byte, the last partial byte padded with 1-bits (T.81 F.1.2.3, B.1.1.5).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// StoreBigEndian swaps bytes for a little-endian memory order.
static_assert(std::endian::native == std::endian::little);

// The accumulator is a machine word (TAVRELIN_BIT_WORD_BITS may force 32 or
// 64 bits for a measurement): 64-bit arithmetic on a 32-bit processor costs
// register pairs and extra instructions on every symbol.
#if !defined(TAVRELIN_BIT_WORD_BITS)
#define TAVRELIN_BIT_WORD_BITS (8 * __SIZEOF_SIZE_T__)
#endif

// Put runs for every symbol: left to itself, GCC calls it out of line from
// the large per-path coding functions.
#if defined(__GNUC__)
#define TAVRELIN_WRITER_INLINE inline __attribute__((always_inline))
#else
#define TAVRELIN_WRITER_INLINE inline
#endif

class CJpegBitWriter {
public:
    using Word = std::conditional_t<TAVRELIN_BIT_WORD_BITS == 64, uint64_t, uint32_t>;
    static constexpr int kWordBits = 8 * sizeof(Word);
    // The most bits Put takes in one step: fewer than 8 stay pending between
    // calls. Callers may pass up to 27 bits (a code with its value bits).
    static constexpr int kStepBits = kWordBits - 7;
    // Two symbols fit one Put only in a 64-bit word.
    static constexpr bool kPairsSymbols = kWordBits == 64;
    // Put stores a whole word at the cursor each time and keeps only the
    // whole bytes, so the buffer needs this much room beyond what is kept.
    static constexpr int kStoreSlack = 8;

    void Reset(uint8_t* cursor)
    {
        m_pCursor = cursor;
        m_nAccumulator = 0;
        m_nBitCount = 0;
    }

    uint8_t* Cursor() const { return m_pCursor; }
    void SetCursor(uint8_t* cursor) { m_pCursor = cursor; }

    // Appends the low bitCount bits of value (1 <= bitCount <= 56 with a
    // 64-bit word, <= 27 with a 32-bit one; higher bits of value must be 0).
    TAVRELIN_WRITER_INLINE void Put(Word value, int bitCount)
    {
        if (kWordBits == 32 && bitCount > kStepBits) [[unlikely]] {
            PutStep(value >> 16, bitCount - 16);
            PutStep(value & 0xFFFF, 16);
            return;
        }
        PutStep(value, bitCount);
    }

    // Pads to a byte boundary with 1-bits and writes the last byte.
    void Flush()
    {
        if (m_nBitCount == 0)
            return;
        const int padBits = 8 - static_cast<int>(m_nBitCount);
        const Word last = ((m_nAccumulator << padBits) | ((1u << padBits) - 1)) & 0xFF;
        WriteStuffed(last << (kWordBits - 8), 1);
        m_nAccumulator = 0;
        m_nBitCount = 0;
    }

private:
    // Whole bytes leave without a data-dependent branch, unless one of them
    // is FF and needs its stuffing byte.
    TAVRELIN_WRITER_INLINE void PutStep(Word value, int bitCount)
    {
        m_nAccumulator = (m_nAccumulator << bitCount) | value;
        m_nBitCount += static_cast<std::size_t>(bitCount);
        // The pending bits left-aligned; below them only zeros, so an FF can
        // only be among the whole bytes.
        const Word aligned = m_nAccumulator << (kWordBits - m_nBitCount);
        if (HasFfByte(aligned)) {
            WriteStuffed(aligned, static_cast<int>(m_nBitCount >> 3));
        } else {
            StoreBigEndian(aligned);
            m_pCursor += m_nBitCount >> 3;
        }
        m_nBitCount &= 7;
    }

    // A zero byte in ~word marks an FF byte in word; a borrow may also flag
    // the byte above a real FF, which only sends it down the slow path.
    static bool HasFfByte(Word word)
    {
        constexpr Word kOnes = static_cast<Word>(0x0101010101010101u);
        constexpr Word kHighBits = static_cast<Word>(0x8080808080808080u);
        return ((~word - kOnes) & word & kHighBits) != 0;
    }

    void StoreBigEndian(Word word)
    {
        // One byte-swapped store; assembling bytes in memory and reading them
        // back as a word would stall on store forwarding.
        Word swapped = 0;
#if defined(__GNUC__)
        if constexpr (kWordBits == 64)
            swapped = __builtin_bswap64(word);
        else
            swapped = __builtin_bswap32(word);
#else
        for (int i = 0; i < kWordBits / 8; ++i)
            swapped |= ((word >> (kWordBits - 8 - 8 * i)) & 0xFF) << (8 * i);
#endif
        std::memcpy(m_pCursor, &swapped, sizeof swapped);
    }

    void WriteStuffed(Word word, int count)
    {
        for (int i = 0; i < count; ++i) {
            const uint8_t byte = static_cast<uint8_t>(word >> (kWordBits - 8 - 8 * i));
            *m_pCursor++ = byte;
            if (byte == 0xFF)
                *m_pCursor++ = 0;
        }
    }

    uint8_t* m_pCursor = nullptr;
    Word m_nAccumulator = 0;
    // Word-sized, as it moves the cursor: no sign extension on the hot path.
    std::size_t m_nBitCount = 0;
};
