#include "imaging/JpegEncoder.h"
#include "ReferenceJpegEncoder.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::vector<uint8_t> ScanBytes(const std::vector<uint8_t>& jpeg)
{
    return {jpeg.begin() + CJpegEncoder::kHeaderSize, jpeg.end() - 2};
}

std::vector<uint8_t> BitsToBytes(const std::string& bits)
{
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < bits.size(); i += 8)
        bytes.push_back(uint8_t(std::stoi(bits.substr(i, 8), nullptr, 2)));
    return bytes;
}

// A picture whose every pixel repeats the nearest one of the source, as the
// encoder pads a partial MCU.
SPicture PadByRepetition(const SPicture& source)
{
    SPicture padded = MakePicture((source.width + 15) / 16 * 16, (source.height + 15) / 16 * 16, EPattern::Grey);
    for (int y = 0; y < padded.height; ++y)
        for (int x = 0; x < padded.width; ++x)
            std::copy_n(source.At(std::min(x, source.width - 1), std::min(y, source.height - 1)), 3, padded.At(x, y));
    return padded;
}

TEST(JpegScan, MidGreyIsOneDcCodeAndEobPerBlockAtEveryQuality)
{
    for (uint16_t quality : {0, 1, 25, 50, 75, 99, 100, 150}) {
        const std::vector<uint8_t> jpeg = EncodeToVector(MakeGrey(16, 16, 128), quality);
        ASSERT_EQ(jpeg.size(), 629u) << quality;
        EXPECT_EQ(ScanBytes(jpeg), (std::vector<uint8_t>{0x28, 0xA2, 0x8A, 0x00})) << quality;
        EXPECT_EQ(jpeg[627], 0xFF);
        EXPECT_EQ(jpeg[628], 0xD9);
    }
}

TEST(JpegScan, PartialLastByteIsPaddedWithOnes)
{
    // Grey 136: luminance DC 4 at quality 50 (category 3, code 100, bits 100),
    // the other blocks repeat it; 36 bits, then four 1-bits of padding.
    const std::vector<uint8_t> jpeg = EncodeToVector(MakeGrey(16, 16, 136), 50);
    const std::string bits = "1001001010"
                             "001010"
                             "001010"
                             "001010"
                             "0000"
                             "0000"
                             "1111";
    EXPECT_EQ(ScanBytes(jpeg), BitsToBytes(bits));
}

TEST(JpegScan, EdgesArePaddedByRepetition)
{
    struct SSize {
        int width, height;
    };
    for (const SSize size : {SSize{1, 1}, SSize{17, 17}, SSize{5, 3}, SSize{33, 18}, SSize{16, 31}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        const SPicture picture = MakePicture(size.width, size.height, EPattern::Photo, 7);
        const std::vector<uint8_t> jpeg = EncodeToVector(picture, 90);
        const std::vector<uint8_t> padded = EncodeToVector(PadByRepetition(picture), 90);
        EXPECT_EQ(ScanBytes(jpeg), ScanBytes(padded));
    }
}

TEST(JpegScan, SinglePixelCodesLikeAUniformMcu)
{
    SPicture pixel = MakeGrey(1, 1, 0);
    pixel.At(0, 0)[0] = 30, pixel.At(0, 0)[1] = 200, pixel.At(0, 0)[2] = 90;
    SPicture uniform = MakeGrey(16, 16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            std::copy_n(pixel.At(0, 0), 3, uniform.At(x, y));
    EXPECT_EQ(ScanBytes(EncodeToVector(pixel, 100)), ScanBytes(EncodeToVector(uniform, 100)));
}

TEST(JpegScan, EveryFfInTheScanIsStuffed)
{
    const std::vector<uint8_t> jpeg = EncodeToVector(MakePicture(64, 64, EPattern::Noise, 3), 100);
    const std::vector<uint8_t> scan = ScanBytes(jpeg);
    int stuffed = 0;
    for (std::size_t i = 0; i < scan.size(); ++i)
        if (scan[i] == 0xFF) {
            ASSERT_LT(i + 1, scan.size());
            EXPECT_EQ(scan[i + 1], 0x00) << i;
            ++stuffed;
            ++i;
        }
    EXPECT_GT(stuffed, 0);
}

TEST(JpegScan, MatchesThePlainReferenceEncoder)
{
    std::mt19937 random(2026);
    const EPattern patterns[] = {EPattern::Photo, EPattern::Edges, EPattern::Noise};
    for (int round = 0; round < 40; ++round) {
        const int width = 1 + int(random() % 90), height = 1 + int(random() % 70);
        const EPattern pattern = patterns[round % 3];
        const uint16_t quality = uint16_t(random() % 120);
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " q" + std::to_string(quality));
        const SPicture picture = MakePicture(width, height, pattern, unsigned(round));
        const std::vector<uint8_t> jpeg = EncodeToVector(picture, quality);
        EXPECT_EQ(jpeg, ReferenceEncodeJpeg(picture.bits.data(), width, height, quality));
        EXPECT_TRUE(WalkScan(jpeg, ((width + 15) / 16) * ((height + 15) / 16)).wellFormed);
    }
}

TEST(JpegScan, OutOfRangeCoefficientIsClampedToTheLargestCodedValue)
{
    const SPicture picture = ExtremeCoefficientPicture();
    const std::vector<uint8_t> jpeg = EncodeToVector(picture, 100);
    // The plain reference applies the same clamp; without it the block would
    // be cut short and the stream misaligned for every later symbol.
    EXPECT_EQ(jpeg, ReferenceEncodeJpeg(picture.bits.data(), 8, 8, 100));
    const SScanWalk walk = WalkScan(jpeg, 1);
    EXPECT_TRUE(walk.wellFormed);
    EXPECT_EQ(walk.largestAcMagnitude, 1023);
}

} // namespace
