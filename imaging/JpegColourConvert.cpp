#include "imaging/JpegColourConvert.h"

#include "imaging/SimdDispatch.h"

#include <cstring>

#if TAVRELIN_HAVE_AVX2_PATH
#include <immintrin.h>
#endif

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

TAVRELIN_FORCE_INLINE void Store(int32_t* target, Lanes lanes)
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

TAVRELIN_SIMD_CLONES
void ConvertMcuColoursPortable(const uint8_t* const rows[16], int32_t luminance[4][64],
                               int32_t blueDifference[64], int32_t redDifference[64])
{
    for (int y = 0; y < 16; ++y) {
        const SPixels8 left = LoadPixels(rows[y]), right = LoadPixels(rows[y] + 24);
        Store(luminance[(y >> 3) * 2] + (y & 7) * 8, Luminance(left));
        Store(luminance[(y >> 3) * 2 + 1] + (y & 7) * 8, Luminance(right));
        if ((y & 1) == 0) {
            const SPixels8 even = {EvenLanes(left.blue, right.blue), EvenLanes(left.green, right.green),
                                   EvenLanes(left.red, right.red)};
            Store(blueDifference + (y >> 1) * 8, BlueDifference(even));
            Store(redDifference + (y >> 1) * 8, RedDifference(even));
        }
    }
}

namespace {

#if TAVRELIN_HAVE_AVX2_PATH
// The same arithmetic with AVX2 intrinsics: compilers turn the byte
// deinterleave of the generic version into scalar code.
struct SPixelsAvx2 {
    __m256i blue, green, red;
};

// Channel c of pixel k is byte 3k + c of the 24 bytes. Byte shuffles sort
// the first 16 and the last 8 bytes by channel before widening, fewer steps
// than sorting widened lanes across three registers.
__attribute__((target("avx2"))) inline SPixelsAvx2 LoadPixelsAvx2(const uint8_t* pixels)
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

__attribute__((target("avx2"))) inline __m256i Combine(const SPixelsAvx2& p, int red, int green, int blue,
                                                       int constant)
{
    const __m256i sum = _mm256_add_epi32(
        _mm256_add_epi32(_mm256_mullo_epi32(p.red, _mm256_set1_epi32(red)),
                         _mm256_mullo_epi32(p.green, _mm256_set1_epi32(green))),
        _mm256_add_epi32(_mm256_mullo_epi32(p.blue, _mm256_set1_epi32(blue)), _mm256_set1_epi32(constant)));
    return _mm256_sub_epi32(_mm256_srai_epi32(sum, 16), _mm256_set1_epi32(128));
}

__attribute__((target("avx2"))) inline __m256i EvenPixels(__m256i left, __m256i right)
{
    const __m256i evenLeft = _mm256_permutevar8x32_epi32(left, _mm256_setr_epi32(0, 2, 4, 6, 0, 0, 0, 0));
    const __m256i evenRight = _mm256_permutevar8x32_epi32(right, _mm256_setr_epi32(0, 0, 0, 0, 0, 2, 4, 6));
    return _mm256_blend_epi32(evenLeft, evenRight, 0xF0);
}

__attribute__((target("avx2"))) inline void StoreLanes(int32_t* target, __m256i lanes)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), lanes);
}

__attribute__((target("avx2"))) void ConvertAvx2(const uint8_t* const rows[16], int32_t luminance[4][64],
                                                 int32_t blueDifference[64], int32_t redDifference[64])
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
#endif

} // namespace

void ConvertMcuColours(const uint8_t* const rows[16], int32_t luminance[4][64],
                       int32_t blueDifference[64], int32_t redDifference[64])
{
#if TAVRELIN_HAVE_AVX2_PATH
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    if (hasAvx2) {
        ConvertAvx2(rows, luminance, blueDifference, redDifference);
        return;
    }
#endif
    ConvertMcuColoursPortable(rows, luminance, blueDifference, redDifference);
}
