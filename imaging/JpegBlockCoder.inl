// Huffman coding of an MCU's six blocks (T.81 F.1.2), after colour
// conversion, DCT and quantisation. Included by each path file inside its own
// namespace, after JpegBlockTransform.inl and JpegColourConvert.inl.

namespace {

// The largest AC magnitude the baseline tables have a code for (category 10).
// Extreme patterns at quality 100 can quantise to 1024; clamping keeps the
// stream decodable instead of ending the block without its symbols.
constexpr int32_t kMaxAcMagnitude = 1023;

// Above this many non-zero coefficients the symbols of a block are prepared
// for all positions in one vectorisable pass instead of one by one.
constexpr int kDenseBlock = 12;

// Bit scans of 64-bit masks. Without POPCNT, or with 32-bit registers, the
// 64-bit forms become library calls.
TAVRELIN_FORCE_INLINE int LowestBit(uint64_t mask)
{
    if constexpr (sizeof(std::size_t) == 8) {
        return std::countr_zero(mask);
    } else {
        const uint32_t low = static_cast<uint32_t>(mask);
        return low != 0 ? std::countr_zero(low) : 32 + std::countr_zero(static_cast<uint32_t>(mask >> 32));
    }
}

TAVRELIN_FORCE_INLINE int BitCount(uint64_t mask)
{
#if TAVRELIN_PATH_AVX2
    return std::popcount(static_cast<uint32_t>(mask)) + std::popcount(static_cast<uint32_t>(mask >> 32));
#else
    mask -= (mask >> 1) & 0x5555555555555555u;
    mask = (mask & 0x3333333333333333u) + ((mask >> 2) & 0x3333333333333333u);
    mask = (mask + (mask >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    const uint32_t folded = static_cast<uint32_t>(mask) + static_cast<uint32_t>(mask >> 32);
    return static_cast<int>((folded * 0x01010101u) >> 24);
#endif
}

TAVRELIN_FORCE_INLINE void PutCoded(CJpegBitWriter& writer, const std::array<uint32_t, 256>& codes,
                                    int runBits, int32_t value)
{
    // The symbol carries the value's category; negative values are sent as
    // value - 1 in that many bits (T.81 F.1.2.1).
    const int category = std::bit_width(static_cast<uint32_t>(value < 0 ? -value : value));
    const uint32_t packed = codes[runBits | category];
    const uint32_t valueBits =
        static_cast<uint32_t>(value + (value >> 31)) & ((uint32_t{1} << category) - 1);
    writer.Put((packed >> 5) | valueBits, static_cast<int>(packed & 31));
}

TAVRELIN_FORCE_INLINE void PutSymbol(CJpegBitWriter& writer, uint32_t packed)
{
    writer.Put(packed >> 5, static_cast<int>(packed & 31));
}

// Symbol index and value bits of every coefficient in zigzag order,
// computed for all 64 at once where most of them are non-zero. The index
// 16 * k + category of position k becomes the symbol (run << 4 | category)
// once 16 * (previous non-zero position + 1) is subtracted.
struct SBlockSymbols {
    alignas(32) int16_t levels[64];
    alignas(32) int16_t indexes[64];
    alignas(32) uint16_t valueBits[64];
};

// The number of significant bits of magnitude (at most 10 after the clamp):
// the exponent of the float 2 * magnitude + 1, which is exact and converts
// in vector registers where a bit count would not.
TAVRELIN_FORCE_INLINE int Category(uint16_t magnitude)
{
    const float odd = static_cast<float>(2 * magnitude + 1);
    uint32_t bits = 0;
    std::memcpy(&bits, &odd, sizeof bits);
    return static_cast<int>(bits >> 23) - 127;
}

#if TAVRELIN_PATH_SSSE3
// Byte shuffles for the zigzag reorder: output row j (zigzag positions 8j to
// 8j + 7) gathers from the natural rows kZigzagFirstRow[j] onwards, one mask
// per source row, with X marking lanes another row fills.
constexpr uint8_t X = 0x80;
alignas(16) constexpr uint8_t kZigzagShuffles[36][16] = {
    {0, 1, 2, 3, X, X, X, X, X, X, 4, 5, 6, 7, X, X},
    {X, X, X, X, 0, 1, X, X, 2, 3, X, X, X, X, 4, 5},
    {X, X, X, X, X, X, 0, 1, X, X, X, X, X, X, X, X},
    {X, X, X, X, X, X, X, X, X, X, X, X, 8, 9, 10, 11},
    {X, X, X, X, X, X, X, X, X, X, 6, 7, X, X, X, X},
    {2, 3, X, X, X, X, X, X, 4, 5, X, X, X, X, X, X},
    {X, X, 0, 1, X, X, 2, 3, X, X, X, X, X, X, X, X},
    {X, X, X, X, 0, 1, X, X, X, X, X, X, X, X, X, X},
    {8, 9, X, X, X, X, X, X, X, X, X, X, X, X, X, X},
    {X, X, 6, 7, X, X, X, X, X, X, X, X, X, X, X, X},
    {X, X, X, X, 4, 5, X, X, X, X, X, X, X, X, X, X},
    {X, X, X, X, X, X, 2, 3, X, X, X, X, X, X, 4, 5},
    {X, X, X, X, X, X, X, X, 0, 1, X, X, 2, 3, X, X},
    {X, X, X, X, X, X, X, X, X, X, 0, 1, X, X, X, X},
    {X, X, X, X, X, X, 12, 13, 14, 15, X, X, X, X, X, X},
    {X, X, X, X, 10, 11, X, X, X, X, 12, 13, X, X, X, X},
    {X, X, 8, 9, X, X, X, X, X, X, X, X, 10, 11, X, X},
    {6, 7, X, X, X, X, X, X, X, X, X, X, X, X, 8, 9},
    {6, 7, X, X, X, X, X, X, X, X, X, X, X, X, 8, 9},
    {X, X, 4, 5, X, X, X, X, X, X, X, X, 6, 7, X, X},
    {X, X, X, X, 2, 3, X, X, X, X, 4, 5, X, X, X, X},
    {X, X, X, X, X, X, 0, 1, 2, 3, X, X, X, X, X, X},
    {X, X, X, X, 14, 15, X, X, X, X, X, X, X, X, X, X},
    {X, X, 12, 13, X, X, 14, 15, X, X, X, X, X, X, X, X},
    {10, 11, X, X, X, X, X, X, 12, 13, X, X, X, X, X, X},
    {X, X, X, X, X, X, X, X, X, X, 10, 11, X, X, X, X},
    {X, X, X, X, X, X, X, X, X, X, X, X, 8, 9, X, X},
    {X, X, X, X, X, X, X, X, X, X, X, X, X, X, 6, 7},
    {X, X, X, X, X, X, X, X, X, X, 14, 15, X, X, X, X},
    {X, X, X, X, X, X, X, X, 12, 13, X, X, 14, 15, X, X},
    {X, X, X, X, X, X, 10, 11, X, X, X, X, X, X, 12, 13},
    {X, X, X, X, 8, 9, X, X, X, X, X, X, X, X, X, X},
    {4, 5, 6, 7, X, X, X, X, X, X, X, X, X, X, X, X},
    {X, X, X, X, X, X, X, X, 14, 15, X, X, X, X, X, X},
    {10, 11, X, X, X, X, 12, 13, X, X, 14, 15, X, X, X, X},
    {X, X, 8, 9, 10, 11, X, X, X, X, X, X, 12, 13, 14, 15},
};
constexpr int kZigzagFirstRow[8] = {0, 0, 1, 0, 4, 1, 3, 5};
constexpr int kZigzagRowCount[8] = {3, 5, 6, 4, 4, 6, 5, 3};

// The zigzag gather and the magnitude clamp of PrepareSymbols, eight
// coefficients per step instead of one. Returns the mask of the non-zero
// levels (bit k for zigzag position k) from the registers just stored.
uint64_t ZigzagClampedSsse3(const int16_t* quantised, int16_t* levels)
{
    __m128i rows[8];
    for (int row = 0; row < 8; ++row)
        rows[row] = _mm_load_si128(reinterpret_cast<const __m128i*>(quantised + 8 * row));
    const __m128i upper = _mm_set1_epi16(kMaxAcMagnitude);
    const __m128i lower = _mm_set1_epi16(-kMaxAcMagnitude);
    // Fully unrolled, the row counts become constants: no loop branches to
    // mispredict and the rows stay in registers.
    const uint8_t (*mask)[16] = kZigzagShuffles;
    __m128i zeroMarks[8];
#pragma GCC unroll 8
    for (int out = 0; out < 8; ++out) {
        __m128i gathered = _mm_setzero_si128();
#pragma GCC unroll 6
        for (int i = 0; i < kZigzagRowCount[out]; ++i, ++mask) {
            const __m128i shuffle = _mm_load_si128(reinterpret_cast<const __m128i*>(*mask));
            gathered = _mm_or_si128(gathered, _mm_shuffle_epi8(rows[kZigzagFirstRow[out] + i], shuffle));
        }
        gathered = _mm_max_epi16(_mm_min_epi16(gathered, upper), lower);
        _mm_store_si128(reinterpret_cast<__m128i*>(levels + 8 * out), gathered);
        zeroMarks[out] = _mm_cmpeq_epi16(gathered, _mm_setzero_si128());
    }
    uint64_t nonZero = 0;
    for (int pair = 0; pair < 4; ++pair) {
        const __m128i packed = _mm_packs_epi16(zeroMarks[2 * pair], zeroMarks[2 * pair + 1]);
        nonZero |= uint64_t(uint16_t(~_mm_movemask_epi8(packed))) << (16 * pair);
    }
    return nonZero;
}
#endif

// Returns the mask of the non-zero levels in zigzag order.
TAVRELIN_FORCE_INLINE uint64_t PrepareSymbols(const int16_t* quantised, SBlockSymbols& symbols)
{
    uint64_t nonZero = 0;
    // Straight-line loops of exactly 64 steps, which compilers vectorise even
    // at -O2. The DC entry is clamped too but never read from here.
#if TAVRELIN_PATH_SSSE3
    nonZero = ZigzagClampedSsse3(quantised, symbols.levels);
#else
    {
        for (int k = 0; k < 64; ++k)
            symbols.levels[k] = quantised[jpeg_tables::kZigzag[k]];
        for (int k = 0; k < 64; ++k)
            symbols.levels[k] = std::clamp<int16_t>(symbols.levels[k], -kMaxAcMagnitude, kMaxAcMagnitude);
        nonZero = NonZeroMask(symbols.levels);
    }
#endif
    for (int k = 0; k < 64; ++k) {
        const int16_t level = symbols.levels[k];
        const uint16_t magnitude = static_cast<uint16_t>(level < 0 ? -level : level);
        symbols.indexes[k] = static_cast<int16_t>(16 * k + Category(magnitude));
        // All bits below the highest set one: 2^category - 1.
        uint16_t smeared = magnitude;
        smeared |= smeared >> 1;
        smeared |= smeared >> 2;
        smeared |= smeared >> 4;
        smeared |= smeared >> 8;
        // Negative values are sent as value - 1, i.e. the complement of the
        // magnitude, in category bits (T.81 F.1.2.1).
        symbols.valueBits[k] = level < 0 ? static_cast<uint16_t>(~magnitude & smeared) : magnitude;
    }
    return nonZero;
}

TAVRELIN_FORCE_INLINE void PutZeroRuns(CJpegBitWriter& writer, const SComponentCoding& coding, int count)
{
    for (int i = 0; i < count; ++i)
        PutSymbol(writer, coding.acCodes[0xF0]);
}

// Where the AC scan of a dense block stands.
struct SDenseScan {
    uint64_t pending;  // non-zero positions not yet sent
    std::ptrdiff_t nextBase;  // 16 * (last position sent + 1)
};

// Symbol of the next non-zero coefficient, as bits and length. Runs of 16 or
// more first send their ZRL symbols (index / 256 of them), after the symbol
// held back, which is then cleared.
TAVRELIN_FORCE_INLINE uint32_t NextDenseSymbol(const SBlockSymbols& symbols, const SComponentCoding& coding,
                                               SDenseScan& scan, CJpegBitWriter::Word& heldBits,
                                               int& heldLength, CJpegBitWriter& writer, CJpegBitWriter::Word& bits)
{
    // Word-sized indexes spare the sign extensions in this loop.
    const std::ptrdiff_t position = LowestBit(scan.pending);
    scan.pending &= scan.pending - 1;
    std::ptrdiff_t index = symbols.indexes[position] - scan.nextBase;
    scan.nextBase = 16 * (position + 1);
    if (index > 255) [[unlikely]] {
        if (heldLength != 0)
            writer.Put(heldBits, heldLength);
        heldBits = 0;
        heldLength = 0;
        PutZeroRuns(writer, coding, static_cast<int>(index >> 8));
        index &= 255;
    }
    bits = coding.acBits[index] | symbols.valueBits[position];
    return coding.acLengths[index];
}

// The AC symbols of a dense block, sent two per Put to halve the writer's
// work (at most 2 x 26 bits) where the word holds them. Returns the last
// non-zero position.
TAVRELIN_FORCE_INLINE int PutDenseAc(const SBlockSymbols& symbols, uint64_t nonZero,
                                     const SComponentCoding& coding, CJpegBitWriter& writer)
{
    using Word = CJpegBitWriter::Word;
    SDenseScan scan{nonZero, 16};
    while (scan.pending != 0) {
        Word firstBits = 0, secondBits = 0, noBits = 0;
        int firstLength = 0, noLength = 0;
        firstLength = static_cast<int>(NextDenseSymbol(symbols, coding, scan, noBits, noLength, writer, firstBits));
        if (!CJpegBitWriter::kPairsSymbols || scan.pending == 0) {
            writer.Put(firstBits, firstLength);
            continue;
        }
        const int secondLength =
            static_cast<int>(NextDenseSymbol(symbols, coding, scan, firstBits, firstLength, writer, secondBits));
        writer.Put(firstBits << secondLength | secondBits, firstLength + secondLength);
    }
    return static_cast<int>(scan.nextBase >> 4) - 1;
}

TAVRELIN_FORCE_INLINE void CodeBlock(const int32_t* samples, const SComponentCoding& coding,
                                     int32_t& predictor, CJpegBitWriter& writer)
{
    alignas(32) int16_t quantised[64];
    const uint64_t naturalMask = TransformBlock(samples, coding.quantiser, quantised);

    const int32_t difference = quantised[0] - predictor;
    predictor = quantised[0];
    PutCoded(writer, coding.dcCodes, 0, difference);

    int lastPosition = 0;
    if (BitCount(naturalMask) > kDenseBlock) {
        SBlockSymbols symbols;
        const uint64_t nonZero = PrepareSymbols(quantised, symbols);
        lastPosition = PutDenseAc(symbols, nonZero & ~uint64_t{1}, coding, writer);
    } else {
        // The AC scan runs in zigzag order: move the few non-zero marks
        // there one by one, then jump from one to the next.
        uint64_t zigzagMask = 0;
        for (uint64_t pending = naturalMask; pending != 0; pending &= pending - 1)
            zigzagMask |= uint64_t{1} << coding.zigzagPositions[LowestBit(pending)];
        for (uint64_t pending = zigzagMask & ~uint64_t{1}; pending != 0; pending &= pending - 1) {
            const int position = LowestBit(pending);
            int run = position - lastPosition - 1;
            for (; run > 15; run -= 16)
                PutSymbol(writer, coding.acCodes[0xF0]);
            const int32_t level = quantised[jpeg_tables::kZigzag[position]];
            PutCoded(writer, coding.acCodes, run << 4, std::clamp(level, -kMaxAcMagnitude, kMaxAcMagnitude));
            lastPosition = position;
        }
    }
    if (lastPosition != 63)
        PutSymbol(writer, coding.acCodes[0x00]);
}

} // namespace

// rows[j] points at the 16 pixels of MCU row j, counted from the top. Blocks
// 0..3 are luminance (the Y predictor), 4 Cb and 5 Cr (their own predictors).
void EncodeMcu(const uint8_t* const rows[16], const SComponentCoding& luminance,
               const SComponentCoding& chrominance, int32_t predictors[3], CJpegBitWriter& writer)
{
    alignas(32) int32_t luminanceSamples[4][64];
    alignas(32) int32_t blueDifference[64];
    alignas(32) int32_t redDifference[64];
    ConvertMcuColours(rows, luminanceSamples, blueDifference, redDifference);
    // A local writer lets the compiler keep its state in registers: the byte
    // stores through its cursor could otherwise alias the caller's copy.
    CJpegBitWriter local = writer;
    for (int block = 0; block < 4; ++block)
        CodeBlock(luminanceSamples[block], luminance, predictors[0], local);
    CodeBlock(blueDifference, chrominance, predictors[1], local);
    CodeBlock(redDifference, chrominance, predictors[2], local);
    writer = local;
}
