#include "skin/SkinImageAlpha.h"

#include <gtest/gtest.h>

namespace tavrelin::skin {
namespace {

SkinPixels WithAlphas(std::vector<std::uint32_t> alphas)
{
    SkinPixels pixels;
    pixels.width = static_cast<int>(alphas.size());
    pixels.height = 1;
    for (const std::uint32_t alpha : alphas)
        pixels.argb.push_back(MakeSkinArgb(alpha, 200, 100, 50));
    return pixels;
}

TEST(SkinImageAlpha, BlendingIsNeededForPartialAlphaOrMixedTransparency)
{
    struct Case {
        const char* what;
        std::vector<std::uint32_t> alphas;
        bool blend;
    } const cases[] = {
        {"all opaque", {255, 255, 255}, false},
        {"all zero (plain 32-bit picture)", {0, 0, 0}, false},
        {"one partial pixel", {255, 128, 255}, true},
        {"transparent then visible", {0, 0, 255}, true},
        // A rule that only looked for visible pixels after transparent ones
        // would make this image opaque.
        {"visible then transparent", {255, 255, 0}, true},
        {"single transparent pixel last", {255, 0}, true},
    };
    for (const Case& test : cases)
        EXPECT_EQ(SkinAlphaNeedsBlending(WithAlphas(test.alphas)), test.blend) << test.what;
}

TEST(SkinImageAlpha, PremultiplyRoundsDownAndKeepsColourAtMostAlpha)
{
    for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
        SkinPixels pixels = WithAlphas({alpha});
        pixels.argb[0] = MakeSkinArgb(alpha, 255, 128, 1);
        PremultiplySkinPixels(pixels);
        EXPECT_EQ(pixels.argb[0], MakeSkinArgb(alpha, alpha, 128 * alpha / 255, alpha / 255)) << alpha;
    }
}

} // namespace
} // namespace tavrelin::skin
