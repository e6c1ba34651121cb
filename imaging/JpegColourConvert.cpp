#include "JpegColourConvert.h"

#include "SimdDispatch.h"

#include <cstring>

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
void ConvertMcuColours(const uint8_t* const rows[16], int32_t luminance[4][64],
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
