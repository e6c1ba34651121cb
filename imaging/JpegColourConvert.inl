// Colour conversion of one 16 x 16 MCU to the six 8 x 8 sample blocks of
// 4:2:0 JFIF YCbCr, level-shifted by -128. Included by each path file inside
// its own namespace (see SimdDispatch.h).

namespace {

using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Bytes8 = uint8_t __attribute__((vector_size(8)));
using Lanes = int32_t __attribute__((vector_size(32)));

TAVRELIN_FORCE_INLINE Bytes16 LoadBytes(const uint8_t* source)
{
    Bytes16 bytes;
    std::memcpy(&bytes, source, sizeof bytes);
    return bytes;
}

// Blue, green and red of eight consecutive pixels, one lane per pixel.
struct SPixels8 {
    Lanes blue, green, red;
};

// Reads exactly the 24 bytes of the eight pixels (two overlapping loads), so
// the last pixels of a bitmap are never read past.
TAVRELIN_FORCE_INLINE SPixels8 LoadPixels(const uint8_t* pixels)
{
    const Bytes16 low = LoadBytes(pixels), high = LoadBytes(pixels + 8);
    const Bytes8 blue = __builtin_shufflevector(low, high, 0, 3, 6, 9, 12, 15, 26, 29);
    const Bytes8 green = __builtin_shufflevector(low, high, 1, 4, 7, 10, 13, 24, 27, 30);
    const Bytes8 red = __builtin_shufflevector(low, high, 2, 5, 8, 11, 14, 25, 28, 31);
    return {__builtin_convertvector(blue, Lanes), __builtin_convertvector(green, Lanes),
            __builtin_convertvector(red, Lanes)};
}

TAVRELIN_FORCE_INLINE Lanes EvenLanes(Lanes low, Lanes high)
{
    return __builtin_shufflevector(low, high, 0, 2, 4, 6, 8, 10, 12, 14);
}

TAVRELIN_FORCE_INLINE void StoreSamples(int32_t* target, Lanes lanes)
{
    std::memcpy(target, &lanes, sizeof lanes);
}

// JFIF YCbCr in 16.16 fixed point; the constant terms carry the rounding and,
// for the colour differences, the +128 offset (8421375 = 128 * 65536 + 32767).
// These are the sums of the encoder's conversion tables, computed instead of
// looked up so that eight pixels convert at once.
TAVRELIN_FORCE_INLINE Lanes Luminance(const SPixels8& p)
{
    return ((19595 * p.red + 38470 * p.green + 7471 * p.blue + 32768) >> 16) - 128;
}

TAVRELIN_FORCE_INLINE Lanes BlueDifference(const SPixels8& p)
{
    return ((-11059 * p.red - 21709 * p.green + 32768 * p.blue + 8421375) >> 16) - 128;
}

TAVRELIN_FORCE_INLINE Lanes RedDifference(const SPixels8& p)
{
    return ((32768 * p.red - 27439 * p.green - 5329 * p.blue + 8421375) >> 16) - 128;
}

} // namespace

#if TAVRELIN_PATH_SSSE3 && !TAVRELIN_PATH_AVX2
namespace {

// Byte shuffles pick (red, green) and (blue, green) pairs of pixels as 16-bit
// lanes, and one multiply-add per pair gives the 32-bit sums: the green
// factor 38470 is too large for a signed 16-bit lane and is split in two,
// and 32768 is 16384 doubled.
constexpr int8_t Z = -1;

struct SPixelPairs {
    __m128i redGreen, blueGreen;  // four pixels
};

// Pixels k, k + step, ... of the 24 bytes at source (step 1 or 2) from the
// loads of bytes 0..15 and 8..23, so nothing past the eight pixels is read.
TAVRELIN_FORCE_INLINE SPixelPairs PairsOfFirstFour(__m128i low)
{
    return {_mm_shuffle_epi8(low, _mm_setr_epi8(2, Z, 1, Z, 5, Z, 4, Z, 8, Z, 7, Z, 11, Z, 10, Z)),
            _mm_shuffle_epi8(low, _mm_setr_epi8(0, Z, 1, Z, 3, Z, 4, Z, 6, Z, 7, Z, 9, Z, 10, Z))};
}

TAVRELIN_FORCE_INLINE SPixelPairs PairsOfLastFour(__m128i high)
{
    return {_mm_shuffle_epi8(high, _mm_setr_epi8(6, Z, 5, Z, 9, Z, 8, Z, 12, Z, 11, Z, 15, Z, 14, Z)),
            _mm_shuffle_epi8(high, _mm_setr_epi8(4, Z, 5, Z, 7, Z, 8, Z, 10, Z, 11, Z, 13, Z, 14, Z))};
}

// Pixels 0, 2, 4 and 6.
TAVRELIN_FORCE_INLINE SPixelPairs PairsOfEvenFour(__m128i low, __m128i high)
{
    const __m128i redGreen =
        _mm_or_si128(_mm_shuffle_epi8(low, _mm_setr_epi8(2, Z, 1, Z, 8, Z, 7, Z, Z, Z, Z, Z, Z, Z, Z, Z)),
                     _mm_shuffle_epi8(high, _mm_setr_epi8(Z, Z, Z, Z, Z, Z, Z, Z, 6, Z, 5, Z, 12, Z, 11, Z)));
    const __m128i blueGreen =
        _mm_or_si128(_mm_shuffle_epi8(low, _mm_setr_epi8(0, Z, 1, Z, 6, Z, 7, Z, Z, Z, Z, Z, Z, Z, Z, Z)),
                     _mm_shuffle_epi8(high, _mm_setr_epi8(Z, Z, Z, Z, Z, Z, Z, Z, 4, Z, 5, Z, 10, Z, 11, Z)));
    return {redGreen, blueGreen};
}

TAVRELIN_FORCE_INLINE __m128i Factors(int first, int second)
{
    return _mm_set1_epi32(static_cast<int32_t>((static_cast<uint32_t>(second) << 16) | (first & 0xFFFF)));
}

TAVRELIN_FORCE_INLINE __m128i Finish(__m128i sum, int constant)
{
    return _mm_sub_epi32(_mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(constant)), 16), _mm_set1_epi32(128));
}

TAVRELIN_FORCE_INLINE __m128i LuminanceOf(const SPixelPairs& p)
{
    return Finish(_mm_add_epi32(_mm_madd_epi16(p.redGreen, Factors(19595, 32767)),
                                _mm_madd_epi16(p.blueGreen, Factors(7471, 38470 - 32767))),
                  32768);
}

TAVRELIN_FORCE_INLINE __m128i BlueDifferenceOf(const SPixelPairs& p)
{
    return Finish(_mm_add_epi32(_mm_madd_epi16(p.redGreen, Factors(-11059, -21709)),
                                _mm_slli_epi32(_mm_madd_epi16(p.blueGreen, Factors(16384, 0)), 1)),
                  8421375);
}

TAVRELIN_FORCE_INLINE __m128i RedDifferenceOf(const SPixelPairs& p)
{
    return Finish(_mm_add_epi32(_mm_slli_epi32(_mm_madd_epi16(p.redGreen, Factors(16384, 0)), 1),
                                _mm_madd_epi16(p.blueGreen, Factors(-5329, -27439))),
                  8421375);
}

TAVRELIN_FORCE_INLINE void StoreFour(int32_t* target, __m128i lanes)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target), lanes);
}

} // namespace

void ConvertMcuColours(const uint8_t* const rows[16], int32_t luminance[4][64],
                       int32_t blueDifference[64], int32_t redDifference[64])
{
    for (int y = 0; y < 16; ++y) {
        for (int half = 0; half < 2; ++half) {
            const uint8_t* const pixels = rows[y] + 24 * half;
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 8));
            int32_t* const target = luminance[(y >> 3) * 2 + half] + (y & 7) * 8;
            StoreFour(target, LuminanceOf(PairsOfFirstFour(low)));
            StoreFour(target + 4, LuminanceOf(PairsOfLastFour(high)));
            if ((y & 1) == 0) {
                const SPixelPairs even = PairsOfEvenFour(low, high);
                StoreFour(blueDifference + (y >> 1) * 8 + 4 * half, BlueDifferenceOf(even));
                StoreFour(redDifference + (y >> 1) * 8 + 4 * half, RedDifferenceOf(even));
            }
        }
    }
}
#endif

#if !TAVRELIN_PATH_SSSE3
// rows[j] points at 16 pixels (blue, green, red) of MCU row j, counted from
// the top. Blocks are stored in natural (row-major) order; chroma comes from
// the top-left pixel of each 2 x 2 group, without averaging.
void ConvertMcuColours(const uint8_t* const rows[16], int32_t luminance[4][64],
                               int32_t blueDifference[64], int32_t redDifference[64])
{
    for (int y = 0; y < 16; ++y) {
        const SPixels8 left = LoadPixels(rows[y]), right = LoadPixels(rows[y] + 24);
        StoreSamples(luminance[(y >> 3) * 2] + (y & 7) * 8, Luminance(left));
        StoreSamples(luminance[(y >> 3) * 2 + 1] + (y & 7) * 8, Luminance(right));
        if ((y & 1) == 0) {
            const SPixels8 even = {EvenLanes(left.blue, right.blue), EvenLanes(left.green, right.green),
                                   EvenLanes(left.red, right.red)};
            StoreSamples(blueDifference + (y >> 1) * 8, BlueDifference(even));
            StoreSamples(redDifference + (y >> 1) * 8, RedDifference(even));
        }
    }
}
#endif

#if TAVRELIN_PATH_AVX2
namespace {

// The same arithmetic with AVX2 intrinsics: compilers turn the byte
// deinterleave of the generic version into scalar code.
struct SPixelsAvx2 {
    __m256i blue, green, red;
};

// Channel c of pixel k is byte 3k + c of the 24 bytes. Byte shuffles sort
// the first 16 and the last 8 bytes by channel before widening, fewer steps
// than sorting widened lanes across three registers.
inline SPixelsAvx2 LoadPixelsAvx2(const uint8_t* pixels)
{
    // Channels 0, 1, 2 are blue, green, red; the second load reads bytes
    // 16..23 only, so nothing past the eight pixels is touched.
    const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i tail = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels + 16));
    const __m128i blueGreen =
        _mm_or_si128(_mm_shuffle_epi8(head, _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1)),
                     _mm_shuffle_epi8(tail, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, -1, -1, -1, -1, -1, 0, 3, 6)));
    const __m128i red =
        _mm_or_si128(_mm_shuffle_epi8(head, _mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1)),
                     _mm_shuffle_epi8(tail, _mm_setr_epi8(-1, -1, -1, -1, -1, 1, 4, 7, -1, -1, -1, -1, -1, -1, -1, -1)));
    return {_mm256_cvtepu8_epi32(blueGreen), _mm256_cvtepu8_epi32(_mm_srli_si128(blueGreen, 8)),
            _mm256_cvtepu8_epi32(red)};
}

inline __m256i Combine(const SPixelsAvx2& p, int red, int green, int blue, int constant)
{
    const __m256i sum = _mm256_add_epi32(
        _mm256_add_epi32(_mm256_mullo_epi32(p.red, _mm256_set1_epi32(red)),
                         _mm256_mullo_epi32(p.green, _mm256_set1_epi32(green))),
        _mm256_add_epi32(_mm256_mullo_epi32(p.blue, _mm256_set1_epi32(blue)), _mm256_set1_epi32(constant)));
    return _mm256_sub_epi32(_mm256_srai_epi32(sum, 16), _mm256_set1_epi32(128));
}

inline __m256i EvenPixels(__m256i left, __m256i right)
{
    const __m256i evenLeft = _mm256_permutevar8x32_epi32(left, _mm256_setr_epi32(0, 2, 4, 6, 0, 0, 0, 0));
    const __m256i evenRight = _mm256_permutevar8x32_epi32(right, _mm256_setr_epi32(0, 0, 0, 0, 0, 2, 4, 6));
    return _mm256_blend_epi32(evenLeft, evenRight, 0xF0);
}

inline void StoreLanes(int32_t* target, __m256i lanes)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), lanes);
}

void ConvertAvx2(const uint8_t* const rows[16], int32_t luminance[4][64], int32_t blueDifference[64],
                 int32_t redDifference[64])
{
    for (int y = 0; y < 16; ++y) {
        const SPixelsAvx2 left = LoadPixelsAvx2(rows[y]), right = LoadPixelsAvx2(rows[y] + 24);
        StoreLanes(luminance[(y >> 3) * 2] + (y & 7) * 8, Combine(left, 19595, 38470, 7471, 32768));
        StoreLanes(luminance[(y >> 3) * 2 + 1] + (y & 7) * 8, Combine(right, 19595, 38470, 7471, 32768));
        if ((y & 1) == 0) {
            const SPixelsAvx2 even = {EvenPixels(left.blue, right.blue), EvenPixels(left.green, right.green),
                                      EvenPixels(left.red, right.red)};
            StoreLanes(blueDifference + (y >> 1) * 8, Combine(even, -11059, -21709, 32768, 8421375));
            StoreLanes(redDifference + (y >> 1) * 8, Combine(even, 32768, -27439, -5329, 8421375));
        }
    }
}

} // namespace

void ConvertMcuColours(const uint8_t* const rows[16], int32_t luminance[4][64],
                       int32_t blueDifference[64], int32_t redDifference[64])
{
    ConvertAvx2(rows, luminance, blueDifference, redDifference);
}
#endif

