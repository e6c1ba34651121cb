#include "imaging/JpegPaths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

struct SSamples {
    int32_t luminance[4][64];
    int32_t blue[64];
    int32_t red[64];
};

// The exact sums the conversion is defined by, per pixel.
int32_t Reference(int red, int green, int blue, int redFactor, int greenFactor, int blueFactor, int constant)
{
    return ((redFactor * red + greenFactor * green + blueFactor * blue + constant) >> 16) - 128;
}

TEST(JpegColourConvert, EveryVariantGivesTheDefinedSamples)
{
    std::mt19937 random(77);
    uint8_t pixels[16][48];
    const uint8_t* rows[16];
    for (int round = 0; round < 200; ++round) {
        for (int y = 0; y < 16; ++y) {
            for (uint8_t& byte : pixels[y])
                byte = round < 2 ? uint8_t(round * 255) : uint8_t(random());
            rows[y] = pixels[y];
        }
        SSamples portable{};
        PortableJpegPath().convertColours(rows, portable.luminance, portable.blue, portable.red);
        for (const SJpegPath& path : JpegPaths()) {
            if (!path.isSupported())
                continue;
            SSamples samples{};
            path.convertColours(rows, samples.luminance, samples.blue, samples.red);
            ASSERT_EQ(std::memcmp(&samples, &portable, sizeof samples), 0) << path.name << " " << round;
        }
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const uint8_t* p = pixels[y] + 3 * x;
                const int block = (y / 8) * 2 + x / 8;
                ASSERT_EQ(portable.luminance[block][(y % 8) * 8 + x % 8],
                          Reference(p[2], p[1], p[0], 19595, 38470, 7471, 32768));
                if (x % 2 == 0 && y % 2 == 0) {
                    ASSERT_EQ(portable.blue[(y / 2) * 8 + x / 2],
                              Reference(p[2], p[1], p[0], -11059, -21709, 32768, 8421375));
                    ASSERT_EQ(portable.red[(y / 2) * 8 + x / 2],
                              Reference(p[2], p[1], p[0], 32768, -27439, -5329, 8421375));
                }
            }
    }
}

} // namespace
