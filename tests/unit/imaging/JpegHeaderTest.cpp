#include "imaging/JpegEncoder.h"
#include "imaging/JpegTables.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, std::size_t offset, std::size_t count)
{
    return {bytes.begin() + offset, bytes.begin() + offset + count};
}

// Offsets of the segments in the fixed header layout.
constexpr std::size_t kLuminanceDqt = 20, kChrominanceDqt = 89, kFrame = 158, kFirstDht = 177;
constexpr std::size_t kScanHeader = 609;

TEST(JpegHeader, FixedSegmentsAreWrittenInOrder)
{
    const std::vector<uint8_t> jpeg = EncodeToVector(MakeGrey(16, 16, 128), 75);
    ASSERT_GE(jpeg.size(), CJpegEncoder::kHeaderSize);
    EXPECT_EQ(Slice(jpeg, 0, 20), (std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',
                                                        0x00, 0x01, 0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00}));
    EXPECT_EQ(Slice(jpeg, kLuminanceDqt, 5), (std::vector<uint8_t>{0xFF, 0xDB, 0x00, 0x43, 0x00}));
    EXPECT_EQ(Slice(jpeg, kChrominanceDqt, 5), (std::vector<uint8_t>{0xFF, 0xDB, 0x00, 0x43, 0x01}));
    EXPECT_EQ(Slice(jpeg, kFrame, 19), (std::vector<uint8_t>{0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x10, 0x00, 0x10, 0x03,
                                                             0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01}));
    EXPECT_EQ(Slice(jpeg, kScanHeader, 14), (std::vector<uint8_t>{0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11,
                                                                  0x03, 0x11, 0x00, 0x3F, 0x00}));
}

TEST(JpegHeader, HuffmanSegmentsCarryTheAnnexKTables)
{
    const std::vector<uint8_t> jpeg = EncodeToVector(MakeGrey(8, 8, 10), 90);
    struct SCase {
        uint8_t classAndId;
        const jpeg_tables::SHuffmanLists* lists;
    };
    const SCase cases[] = {{0x00, &jpeg_tables::kDcLuminance},
                           {0x10, &jpeg_tables::kAcLuminance},
                           {0x01, &jpeg_tables::kDcChrominance},
                           {0x11, &jpeg_tables::kAcChrominance}};
    std::size_t offset = kFirstDht;
    for (const SCase& c : cases) {
        const int count = c.lists->symbolCount;
        std::vector<uint8_t> expected = {0xFF, 0xC4, 0x00, uint8_t(19 + count), c.classAndId};
        expected.insert(expected.end(), c.lists->counts.begin() + 1, c.lists->counts.end());
        expected.insert(expected.end(), c.lists->symbols.begin(), c.lists->symbols.begin() + count);
        EXPECT_EQ(Slice(jpeg, offset, expected.size()), expected) << int(c.classAndId);
        int sum = 0;
        for (int length = 1; length <= 16; ++length)
            sum += c.lists->counts[length];
        EXPECT_EQ(sum, count);
        offset += expected.size();
    }
    EXPECT_EQ(offset, kScanHeader);
}

TEST(JpegHeader, FrameCarriesTheTrueSize)
{
    struct SSize {
        int width, height;
    };
    for (const SSize size : {SSize{1, 1}, SSize{17, 17}, SSize{300, 7}, SSize{7, 300}}) {
        const std::vector<uint8_t> jpeg = EncodeToVector(MakePicture(size.width, size.height, EPattern::Photo), 80);
        ASSERT_FALSE(jpeg.empty());
        EXPECT_EQ(jpeg[kFrame + 5] << 8 | jpeg[kFrame + 6], size.height);
        EXPECT_EQ(jpeg[kFrame + 7] << 8 | jpeg[kFrame + 8], size.width);
    }
}

std::vector<uint8_t> InZigzagOrder(const std::array<uint8_t, 64>& natural)
{
    std::vector<uint8_t> zigzag;
    for (int k = 0; k < 64; ++k)
        zigzag.push_back(natural[jpeg_tables::kZigzag[k]]);
    return zigzag;
}

TEST(JpegHeader, QualityScalesTheQuantisationTables)
{
    struct SCase {
        uint16_t quality;
        uint16_t scale;
        uint8_t luminanceFirst; // table values in zigzag order
        uint8_t luminanceLast;
        uint8_t chrominanceLast;
    };
    const SCase cases[] = {
        {0, 5000, 255, 255, 255}, {1, 5000, 255, 255, 255}, {10, 500, 80, 255, 255}, {50, 100, 16, 99, 99},
        {75, 50, 8, 50, 50},      {100, 0, 1, 1, 1},        {150, 0, 1, 1, 1},       {65535, 0, 1, 1, 1},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.quality);
        const std::vector<uint8_t> jpeg = EncodeToVector(MakeGrey(16, 16, 128), c.quality);
        const std::vector<uint8_t> luminance = Slice(jpeg, kLuminanceDqt + 5, 64);
        const std::vector<uint8_t> chrominance = Slice(jpeg, kChrominanceDqt + 5, 64);
        EXPECT_EQ(CJpegEncoder(c.quality).Scale(), c.scale);
        EXPECT_EQ(luminance.front(), c.luminanceFirst);
        EXPECT_EQ(luminance.back(), c.luminanceLast);
        EXPECT_EQ(chrominance.back(), c.chrominanceLast);
    }
}

TEST(JpegHeader, QualityFiftyWritesTheBaseTables)
{
    const std::vector<uint8_t> jpeg = EncodeToVector(MakeGrey(16, 16, 128), 50);
    EXPECT_EQ(Slice(jpeg, kLuminanceDqt + 5, 64), InZigzagOrder(jpeg_tables::kBaseLuminanceQuant));
    EXPECT_EQ(Slice(jpeg, kChrominanceDqt + 5, 64), InZigzagOrder(jpeg_tables::kBaseChrominanceQuant));
    EXPECT_EQ(Slice(jpeg, kLuminanceDqt + 5, 3), (std::vector<uint8_t>{16, 11, 12}));
}

TEST(JpegHeader, ExtremeQualitiesFillTheTables)
{
    const std::vector<uint8_t> lowest = EncodeToVector(MakeGrey(16, 16, 128), 0);
    const std::vector<uint8_t> highest = EncodeToVector(MakeGrey(16, 16, 128), 100);
    EXPECT_EQ(Slice(lowest, kLuminanceDqt + 5, 64), std::vector<uint8_t>(64, 255));
    EXPECT_EQ(Slice(lowest, kChrominanceDqt + 5, 64), std::vector<uint8_t>(64, 255));
    EXPECT_EQ(Slice(highest, kLuminanceDqt + 5, 64), std::vector<uint8_t>(64, 1));
    EXPECT_EQ(Slice(highest, kChrominanceDqt + 5, 64), std::vector<uint8_t>(64, 1));
    EXPECT_EQ(highest, EncodeToVector(MakeGrey(16, 16, 128), 150));
}

TEST(JpegHeader, DivisorsAtQualityHundredUndoTheDctScale)
{
    const CJpegEncoder encoder(100);
    const std::array<uint16_t, 8> firstRow = {8, 11, 10, 9, 8, 6, 4, 2};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(encoder.LuminanceDivisors()[i], firstRow[i]);
    EXPECT_EQ(encoder.LuminanceDivisors()[63], 1);
}

TEST(JpegTables, ZigzagAndDctScaleMatchTheirDefinitions)
{
    // Walk the anti-diagonals, alternating direction, as Figure A.6 draws it.
    std::vector<int> zigzag;
    for (int sum = 0; sum < 15; ++sum)
        for (int i = 0; i <= sum; ++i) {
            const int row = sum % 2 ? i : sum - i, col = sum - row;
            if (row < 8 && col < 8)
                zigzag.push_back(row * 8 + col);
        }
    for (int k = 0; k < 80; ++k)
        EXPECT_EQ(jpeg_tables::kZigzag[k], k < 64 ? zigzag[k] : 63) << k;

    const double pi = std::acos(-1.0);
    const auto s = [pi](int k) { return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * pi / 16); };
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(jpeg_tables::kDctScale[i], std::lround(16384 * s(i / 8) * s(i % 8))) << i;
}

} // namespace
