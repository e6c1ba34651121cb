// The numeric part of coding one 8 x 8 block: the separable fast integer DCT
// of Arai, Agui and Nakajima (8 fractional bits, truncating multiplies) that
// the encoder's output is defined by, and quantisation with the divisors that
// undo its scaling. Included by each path file inside its own namespace.

namespace {

// Eight lanes, one per row (first pass) or per column (second pass): each
// butterfly step then transforms all eight lines at once.
using Lanes = int32_t __attribute__((vector_size(32)));
using UnsignedLanes = uint32_t __attribute__((vector_size(32)));
using ShortLanes = int16_t __attribute__((vector_size(16)));

TAVRELIN_FORCE_INLINE Lanes Multiply(Lanes x, int32_t constant)
{
    return (x * constant) >> 8;
}

TAVRELIN_FORCE_INLINE Lanes Load(const int32_t* source)
{
    Lanes lanes;
    std::memcpy(&lanes, source, sizeof lanes);
    return lanes;
}

TAVRELIN_FORCE_INLINE void Store(int32_t* target, Lanes lanes)
{
    std::memcpy(target, &lanes, sizeof lanes);
}

// One 1-D transform of eight lines; d[k] holds input k of every line.
TAVRELIN_FORCE_INLINE void Transform(Lanes d[8])
{
    const Lanes tmp0 = d[0] + d[7], tmp7 = d[0] - d[7];
    const Lanes tmp1 = d[1] + d[6], tmp6 = d[1] - d[6];
    const Lanes tmp2 = d[2] + d[5], tmp5 = d[2] - d[5];
    const Lanes tmp3 = d[3] + d[4], tmp4 = d[3] - d[4];

    const Lanes even10 = tmp0 + tmp3, even13 = tmp0 - tmp3;
    const Lanes even11 = tmp1 + tmp2, even12 = tmp1 - tmp2;
    d[0] = even10 + even11;
    d[4] = even10 - even11;
    const Lanes z1 = Multiply(even12 + even13, 181);
    d[2] = even13 + z1;
    d[6] = even13 - z1;

    const Lanes odd10 = tmp4 + tmp5, odd11 = tmp5 + tmp6, odd12 = tmp6 + tmp7;
    const Lanes z5 = Multiply(odd10 - odd12, 98);
    const Lanes z2 = Multiply(odd10, 139) + z5;
    const Lanes z4 = Multiply(odd12, 334) + z5;
    const Lanes z3 = Multiply(odd11, 181);
    const Lanes z11 = tmp7 + z3, z13 = tmp7 - z3;
    d[5] = z13 + z2;
    d[3] = z13 - z2;
    d[1] = z11 + z4;
    d[7] = z11 - z4;
}

TAVRELIN_FORCE_INLINE void InterleavePairs(const Lanes* in, Lanes* out, int first, int second)
{
    out[first] = __builtin_shufflevector(in[first], in[second], 0, 8, 1, 9, 4, 12, 5, 13);
    out[second] = __builtin_shufflevector(in[first], in[second], 2, 10, 3, 11, 6, 14, 7, 15);
}

TAVRELIN_FORCE_INLINE void InterleaveQuads(const Lanes* in, Lanes* out, int first, int second)
{
    out[first] = __builtin_shufflevector(in[first], in[second], 0, 1, 8, 9, 4, 5, 12, 13);
    out[second] = __builtin_shufflevector(in[first], in[second], 2, 3, 10, 11, 6, 7, 14, 15);
}

TAVRELIN_FORCE_INLINE void InterleaveHalves(const Lanes* in, Lanes* out, int first, int second,
                                            int lowTarget, int highTarget)
{
    out[lowTarget] = __builtin_shufflevector(in[first], in[second], 0, 1, 2, 3, 8, 9, 10, 11);
    out[highTarget] = __builtin_shufflevector(in[first], in[second], 4, 5, 6, 7, 12, 13, 14, 15);
}

// Lanes[j] becomes column j of the 8 x 8 matrix the eight inputs form as rows:
// interleave 32-bit, then 64-bit, then 128-bit halves. Written without loops
// so that every compiler keeps the eight vectors in registers.
TAVRELIN_FORCE_INLINE void Transpose(Lanes d[8])
{
    Lanes a[8], b[8];
    InterleavePairs(d, a, 0, 1);
    InterleavePairs(d, a, 2, 3);
    InterleavePairs(d, a, 4, 5);
    InterleavePairs(d, a, 6, 7);
    InterleaveQuads(a, b, 0, 2);
    InterleaveQuads(a, b, 1, 3);
    InterleaveQuads(a, b, 4, 6);
    InterleaveQuads(a, b, 5, 7);
    // The stages leave columns 1 and 2, and 5 and 6, swapped.
    InterleaveHalves(b, d, 0, 4, 0, 4);
    InterleaveHalves(b, d, 1, 5, 2, 6);
    InterleaveHalves(b, d, 2, 6, 1, 5);
    InterleaveHalves(b, d, 3, 7, 3, 7);
}

// After the column pass d[k] holds coefficient row k.
TAVRELIN_FORCE_INLINE void TransformInline(const int32_t* samples, Lanes d[8])
{
    // Pass 1: after the transpose lane r is picture row r and d[k] holds the
    // k-th sample of every row.
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k)
        d[k] = Load(samples + k * 8);
    Transpose(d);
    Transform(d);
    // Pass 2: transposed back, lane c is column c and d[k] holds the k-th
    // output of the row pass for every column.
    Transpose(d);
    Transform(d);
}

TAVRELIN_FORCE_INLINE UnsignedLanes LoadUnsigned(const uint32_t* source)
{
    UnsignedLanes lanes;
    std::memcpy(&lanes, source, sizeof lanes);
    return lanes;
}

// Quantisation rounds half away from zero: n = |c| + d / 2, level = n / d,
// sign put back. This is the path for dividends below 2^15 (32-bit
// reciprocals), done on the rows still in registers; false, with nothing
// written, when some dividend is larger.
TAVRELIN_FORCE_INLINE bool QuantiseShort(const Lanes rows[8], const SQuantiser& quantiser, int16_t* quantised)
{
    UnsignedLanes signs[8], dividends[8];
    UnsignedLanes seenBits = {};
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        signs[k] = reinterpret_cast<UnsignedLanes>(rows[k] >> 31);
        dividends[k] = ((reinterpret_cast<UnsignedLanes>(rows[k]) ^ signs[k]) - signs[k]) +
                       LoadUnsigned(quantiser.halfDivisors.data() + 8 * k);
        seenBits |= dividends[k];
    }
    uint32_t anyBits = 0;
    for (int lane = 0; lane < 8; ++lane)
        anyBits |= seenBits[lane];
    if (anyBits >= (1u << 15))
        return false;
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        const UnsignedLanes levels = (dividends[k] * LoadUnsigned(quantiser.shortReciprocals.data() + 8 * k)) >>
                                     LoadUnsigned(quantiser.shortShifts.data() + 8 * k);
        const ShortLanes narrowed =
            __builtin_convertvector(reinterpret_cast<Lanes>((levels ^ signs[k]) - signs[k]), ShortLanes);
        std::memcpy(quantised + 8 * k, &narrowed, sizeof narrowed);
    }
    return true;
}

// The same for any dividend below 2^20, with 64-bit products.
TAVRELIN_FORCE_INLINE void QuantiseFull(const int32_t* coefficients, const SQuantiser& quantiser,
                                        int16_t* quantised)
{
    for (int i = 0; i < 64; ++i) {
        const uint32_t sign = static_cast<uint32_t>(coefficients[i] >> 31);
        const uint32_t dividend = ((static_cast<uint32_t>(coefficients[i]) ^ sign) - sign) + quantiser.halfDivisors[i];
        const uint32_t level = quantiser.FullQuotient(dividend, i);
        quantised[i] = static_cast<int16_t>((level ^ sign) - sign);
    }
}

TAVRELIN_FORCE_INLINE void StoreRows(const Lanes d[8], int32_t* coefficients)
{
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k)
        Store(coefficients + k * 8, d[k]);
}

// Bit i set where values[i] is not zero.
TAVRELIN_FORCE_INLINE uint64_t NonZeroMask(const int16_t* values)
{
#if TAVRELIN_PATH_SSE2
    uint64_t mask = 0;
    const __m128i zero = _mm_setzero_si128();
    for (int i = 0; i < 64; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i + 8));
        const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(low, zero), _mm_cmpeq_epi16(high, zero));
        mask |= uint64_t(uint16_t(~_mm_movemask_epi8(zeros))) << i;
    }
    return mask;
#else
    uint64_t mask = 0;
    for (int i = 0; i < 64; ++i)
        mask |= uint64_t{values[i] != 0} << i;
    return mask;
#endif
}

#if TAVRELIN_PATH_SSE2
// With SSE2 the transform runs in 16-bit lanes, one picture row per
// register (measured a little faster than 32-bit lanes even with AVX2).
// For samples of -128..127 every intermediate stays below 12943 in
// magnitude and every multiplier input below 10300 (bounded by the sum of
// absolute coefficients plus the truncation errors), so nothing overflows
// and the results equal the 32-bit ones.

// M(x, c) = (x * c) >> 8 as (2x * 128c) >> 16: exact, as |2x| < 2^15 and
// 128c < 2^15 for the constants below 256.
TAVRELIN_FORCE_INLINE __m128i MultiplyWords(__m128i x, int constant)
{
    return _mm_mulhi_epi16(_mm_slli_epi16(x, 1), _mm_set1_epi16(static_cast<int16_t>(constant << 7)));
}

TAVRELIN_FORCE_INLINE void TransformWords(__m128i d[8])
{
    const __m128i tmp0 = _mm_add_epi16(d[0], d[7]), tmp7 = _mm_sub_epi16(d[0], d[7]);
    const __m128i tmp1 = _mm_add_epi16(d[1], d[6]), tmp6 = _mm_sub_epi16(d[1], d[6]);
    const __m128i tmp2 = _mm_add_epi16(d[2], d[5]), tmp5 = _mm_sub_epi16(d[2], d[5]);
    const __m128i tmp3 = _mm_add_epi16(d[3], d[4]), tmp4 = _mm_sub_epi16(d[3], d[4]);

    const __m128i even10 = _mm_add_epi16(tmp0, tmp3), even13 = _mm_sub_epi16(tmp0, tmp3);
    const __m128i even11 = _mm_add_epi16(tmp1, tmp2), even12 = _mm_sub_epi16(tmp1, tmp2);
    d[0] = _mm_add_epi16(even10, even11);
    d[4] = _mm_sub_epi16(even10, even11);
    const __m128i z1 = MultiplyWords(_mm_add_epi16(even12, even13), 181);
    d[2] = _mm_add_epi16(even13, z1);
    d[6] = _mm_sub_epi16(even13, z1);

    const __m128i odd10 = _mm_add_epi16(tmp4, tmp5), odd11 = _mm_add_epi16(tmp5, tmp6);
    const __m128i odd12 = _mm_add_epi16(tmp6, tmp7);
    const __m128i z5 = MultiplyWords(_mm_sub_epi16(odd10, odd12), 98);
    const __m128i z2 = _mm_add_epi16(MultiplyWords(odd10, 139), z5);
    // (334x) >> 8 = x + (78x) >> 8, as 256x divides exactly.
    const __m128i z4 = _mm_add_epi16(_mm_add_epi16(odd12, MultiplyWords(odd12, 334 - 256)), z5);
    const __m128i z3 = MultiplyWords(odd11, 181);
    const __m128i z11 = _mm_add_epi16(tmp7, z3), z13 = _mm_sub_epi16(tmp7, z3);
    d[5] = _mm_add_epi16(z13, z2);
    d[3] = _mm_sub_epi16(z13, z2);
    d[1] = _mm_add_epi16(z11, z4);
    d[7] = _mm_sub_epi16(z11, z4);
}

// d[j] becomes column j of the matrix whose rows d held: interleave words,
// then double words, then quad words.
TAVRELIN_FORCE_INLINE void TransposeWords(__m128i d[8])
{
    const __m128i a0 = _mm_unpacklo_epi16(d[0], d[1]), a1 = _mm_unpackhi_epi16(d[0], d[1]);
    const __m128i a2 = _mm_unpacklo_epi16(d[2], d[3]), a3 = _mm_unpackhi_epi16(d[2], d[3]);
    const __m128i a4 = _mm_unpacklo_epi16(d[4], d[5]), a5 = _mm_unpackhi_epi16(d[4], d[5]);
    const __m128i a6 = _mm_unpacklo_epi16(d[6], d[7]), a7 = _mm_unpackhi_epi16(d[6], d[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    d[0] = _mm_unpacklo_epi64(b0, b4);
    d[1] = _mm_unpackhi_epi64(b0, b4);
    d[2] = _mm_unpacklo_epi64(b1, b5);
    d[3] = _mm_unpackhi_epi64(b1, b5);
    d[4] = _mm_unpacklo_epi64(b2, b6);
    d[5] = _mm_unpackhi_epi64(b2, b6);
    d[6] = _mm_unpacklo_epi64(b3, b7);
    d[7] = _mm_unpackhi_epi64(b3, b7);
}

TAVRELIN_FORCE_INLINE __m128i LoadWords(const uint16_t* source)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
}

// Rounds half away from zero as QuantiseShort does, in 16-bit lanes (see
// SQuantiser::WordQuotient): the dividends stay below 12943 + 1963 < 2^14.
TAVRELIN_FORCE_INLINE void QuantiseWords(const __m128i rows[8], const SQuantiser& quantiser, int16_t* quantised)
{
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        const __m128i sign = _mm_srai_epi16(rows[k], 15);
        const __m128i magnitude = _mm_sub_epi16(_mm_xor_si128(rows[k], sign), sign);
        const __m128i dividend = _mm_add_epi16(magnitude, LoadWords(quantiser.wordHalfDivisors.data() + 8 * k));
        const __m128i scaled =
            _mm_mulhi_epu16(_mm_slli_epi16(dividend, 1), LoadWords(quantiser.wordReciprocals.data() + 8 * k));
        const __m128i level =
            _mm_mulhi_epu16(_mm_slli_epi16(scaled, 1), LoadWords(quantiser.wordScales.data() + 8 * k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(quantised + 8 * k),
                         _mm_sub_epi16(_mm_xor_si128(level, sign), sign));
    }
}

TAVRELIN_FORCE_INLINE uint64_t TransformBlock(const int32_t* samples, const SQuantiser& quantiser, int16_t* quantised)
{
    __m128i rows[8];
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k)
        rows[k] = _mm_packs_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 8 * k)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 8 * k + 4)));
    TransposeWords(rows);
    TransformWords(rows);
    TransposeWords(rows);
    TransformWords(rows);
    QuantiseWords(rows, quantiser, quantised);
    return NonZeroMask(quantised);
}
#else
// samples: 8 x 8 level-shifted samples, natural order. Rows are transformed
// first, then columns, as the truncating multiplies make the order matter.
// Writes the quantised coefficients in natural order and returns the mask of
// the non-zero ones (bit i for natural index i).
TAVRELIN_FORCE_INLINE uint64_t TransformBlock(const int32_t* samples, const SQuantiser& quantiser, int16_t* quantised)
{
    Lanes rows[8];
    TransformInline(samples, rows);
    if (!QuantiseShort(rows, quantiser, quantised)) {
        alignas(32) int32_t coefficients[64];
        StoreRows(rows, coefficients);
        QuantiseFull(coefficients, quantiser, quantised);
    }
    return NonZeroMask(quantised);
}
#endif

} // namespace
