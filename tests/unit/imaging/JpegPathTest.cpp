#include "imaging/JpegPaths.h"
#include "ReferenceJpegEncoder.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<const SJpegPath*> SupportedPaths()
{
    std::vector<const SJpegPath*> paths;
    for (const SJpegPath& path : JpegPaths())
        if (path.isSupported())
            paths.push_back(&path);
    return paths;
}

// Each path this processor runs against the portable one, and the portable
// one against the plain reference, on one picture.
void ExpectSameBytesOnEveryPath(const SPicture& picture, uint16_t quality)
{
    SCOPED_TRACE(std::to_string(picture.width) + "x" + std::to_string(picture.height) + " q" + std::to_string(quality));
    const std::vector<uint8_t> portable = EncodeToVector(picture, quality, PortableJpegPath());
    ASSERT_FALSE(portable.empty());
    for (const SJpegPath* path : SupportedPaths())
        EXPECT_EQ(EncodeToVector(picture, quality, *path), portable) << path->name;
}

TEST(JpegPaths, EveryPathWritesThePortableBytesForTheTestPictures)
{
    std::printf("paths run here:");
    for (const SJpegPath* path : SupportedPaths())
        std::printf(" %s", path->name);
    std::printf("\n");
    const EPattern patterns[] = {EPattern::Grey, EPattern::Photo, EPattern::Edges, EPattern::GreyEdges,
                                 EPattern::Noise};
    for (const EPattern pattern : patterns)
        for (const uint16_t quality : {0, 50, 75, 100})
            ExpectSameBytesOnEveryPath(MakePicture(97, 61, pattern, 5), quality);
    ExpectSameBytesOnEveryPath(ExtremeCoefficientPicture(), 100);
    const SPicture extreme = ExtremeCoefficientPicture();
    EXPECT_EQ(EncodeToVector(extreme, 100, PortableJpegPath()),
              ReferenceEncodeJpeg(extreme.bits.data(), extreme.width, extreme.height, 100));
}

TEST(JpegPaths, EveryPathWritesThePortableBytesForRandomSizes)
{
    std::mt19937 random(1010);
    const EPattern patterns[] = {EPattern::Photo, EPattern::Noise, EPattern::Edges};
    for (int round = 0; round < 24; ++round) {
        const SPicture picture =
            MakePicture(1 + int(random() % 300), 1 + int(random() % 200), patterns[round % 3], unsigned(round));
        ExpectSameBytesOnEveryPath(picture, uint16_t(random() % 101));
    }
}

TEST(JpegPaths, OnlyASupportedPathCanBeChosen)
{
    const SJpegPath& best = ChooseJpegPath(nullptr);
    EXPECT_TRUE(best.isSupported());
    EXPECT_EQ(&best, SupportedPaths().back());
    EXPECT_EQ(&ChooseJpegPath("no such path"), &best);
    EXPECT_EQ(&ChooseJpegPath("portable"), &PortableJpegPath());
    for (const SJpegPath& path : JpegPaths())
        EXPECT_EQ(&ChooseJpegPath(path.name), path.isSupported() ? &path : &best) << path.name;
}

} // namespace
