#include "PatternProbe.h"
#include "camera/TestPattern.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using camera_test::ReadFrameCounter;

// A rendered frame with top-down pixel access.
struct Frame {
    Frame(TestPicture picture, int width, int height, std::uint32_t frameNumber) : width(width), height(height)
    {
        RenderTestPattern(picture, width, height, frameNumber, pixels);
    }
    std::uint32_t At(int x, int y) const
    {
        const std::uint8_t* pixel =
            &pixels.at(static_cast<size_t>(height - 1 - y) * BgrStride(width) + static_cast<size_t>(x) * 3);
        return static_cast<std::uint32_t>(pixel[2]) << 16 | static_cast<std::uint32_t>(pixel[1]) << 8 | pixel[0];
    }
    std::optional<std::uint32_t> Counter() const
    {
        return ReadFrameCounter([this](int x, int y) { return At(x, y); }, height);
    }

    int width;
    int height;
    std::vector<std::uint8_t> pixels;
};

struct SizeCase {
    int width;
    int height;
    size_t stride;
};

class PatternSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PatternSize, BufferIsPaddedRowsTimesHeightWithZeroPadding)
{
    const SizeCase size = GetParam();
    EXPECT_EQ(BgrStride(size.width), size.stride);
    for (int index = 0; index < kTestPictureCount; ++index) {
        const Frame frame(static_cast<TestPicture>(index), size.width, size.height, 17);
        ASSERT_EQ(frame.pixels.size(), size.stride * static_cast<size_t>(size.height));
        for (int row = 0; row < size.height; ++row)
            for (size_t pad = static_cast<size_t>(size.width) * 3; pad < size.stride; ++pad)
                EXPECT_EQ(frame.pixels[static_cast<size_t>(row) * size.stride + pad], 0) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PatternSize,
                         ::testing::Values(SizeCase{160, 120, 480}, SizeCase{320, 240, 960}, SizeCase{640, 480, 1920},
                                           SizeCase{1, 1, 4}, SizeCase{3, 2, 12}, SizeCase{5, 7, 16},
                                           SizeCase{2, 1000, 8}));

TEST(PatternSize, NothingForEmptyOrNegativeSizes)
{
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{0, 240}, {320, 0}, {-5, 10}, {10, -1}}) {
        std::vector<std::uint8_t> pixels(12, 0xAA);
        RenderTestPattern(TestPicture::ColourBars, width, height, 0, pixels);
        EXPECT_TRUE(pixels.empty()) << width << " x " << height;
        EXPECT_EQ(BgrStride(width), width < 1 ? 0u : BgrStride(width));
    }
}

TEST(ColourBars, EightBarsLeftToRightAtMidHeight)
{
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{160, 120}, {320, 240}, {640, 480}}) {
        const Frame frame(TestPicture::ColourBars, width, height, 0);
        for (int bar = 0; bar < 8; ++bar) {
            const int x = width * bar / 8 + width / 16;
            EXPECT_EQ(frame.At(x, height / 2), kColourBars[bar]) << width << " bar " << bar;
        }
    }
}

// The counter's plate is black at the top left; a picture stored top-down
// would put the white bar there instead.
TEST(ColourBars, RowsAreStoredBottomUp)
{
    const Frame frame(TestPicture::ColourBars, 320, 240, 0);
    const PatternLayout layout = LayoutFor(240);
    const std::uint8_t* lastRow = &frame.pixels[239 * BgrStride(320)];
    const size_t plateX = static_cast<size_t>(layout.counterLeft - 1) * 3;
    const size_t plateRow = static_cast<size_t>(layout.counterTop - 1);
    EXPECT_EQ(frame.pixels[(239 - plateRow) * BgrStride(320) + plateX], 0);
    EXPECT_EQ(lastRow[0], 0xFF) << "top row, far left: the white bar";
    EXPECT_EQ(frame.pixels[0], 0xFF) << "bottom row, far left: the white bar";
}

TEST(MovingPicture, ConsecutiveFramesDiffer)
{
    for (int index = 0; index < kTestPictureCount; ++index) {
        const Frame first(static_cast<TestPicture>(index), 320, 240, 41);
        const Frame second(static_cast<TestPicture>(index), 320, 240, 42);
        EXPECT_NE(first.pixels, second.pixels) << TestPictureName(static_cast<TestPicture>(index));
    }
}

TEST(MovingPicture, SquareTravelsBackAndForthInsideThePicture)
{
    const int width = 320;
    const int height = 240;
    const int travel = width - LayoutFor(height).squareSize;
    std::set<int> positions;
    bool reachedRight = false;
    for (std::uint32_t frameNumber = 0; frameNumber < 400; ++frameNumber) {
        const int left = SquareLeft(width, height, frameNumber);
        ASSERT_GE(left, 0);
        ASSERT_LE(left, travel);
        reachedRight = reachedRight || left == travel;
        positions.insert(left);
    }
    EXPECT_TRUE(reachedRight);
    EXPECT_EQ(SquareLeft(width, height, 0), 0);
    EXPECT_EQ(SquareLeft(width, height, 2 * travel / 4), 0) << "back at the start after one round trip";
    EXPECT_GT(positions.size(), 50u);
    EXPECT_EQ(SquareLeft(width, height, 0xFFFFFFFFu), SquareLeft(width, height, 0xFFFFFFFFu));
}

TEST(MovingPicture, SquareIsDrawnWhereItIsSaidToBe)
{
    const PatternLayout layout = LayoutFor(240);
    for (std::uint32_t frameNumber : {0u, 10u, 33u, 70u}) {
        const Frame frame(TestPicture::ColourBars, 320, 240, frameNumber);
        const int left = SquareLeft(320, 240, frameNumber);
        const int centreY = layout.squareTop + layout.squareSize / 2;
        EXPECT_EQ(frame.At(left + layout.squareSize / 2, centreY), 0xFFFFFFu) << frameNumber;
        EXPECT_EQ(frame.At(left, centreY), 0x000000u) << "border, frame " << frameNumber;
        EXPECT_EQ(frame.At(left + layout.squareSize - 1, centreY), 0x000000u) << "border, frame " << frameNumber;
    }
}

struct CounterCase {
    std::uint32_t frameNumber;
    std::uint32_t shown;
};

class FrameCounter : public ::testing::TestWithParam<CounterCase> {};

TEST_P(FrameCounter, ShowsTheFrameNumberInSixDigits)
{
    const CounterCase counter = GetParam();
    for (int index = 0; index < kTestPictureCount; ++index)
        for (const auto& [width, height] : std::vector<std::pair<int, int>>{{160, 120}, {320, 240}, {640, 480}}) {
            const Frame frame(static_cast<TestPicture>(index), width, height, counter.frameNumber);
            EXPECT_EQ(frame.Counter(), counter.shown)
                << TestPictureName(static_cast<TestPicture>(index)) << " " << width;
        }
}

INSTANTIATE_TEST_SUITE_P(Numbers, FrameCounter,
                         ::testing::Values(CounterCase{0, 0}, CounterCase{7, 7}, CounterCase{42, 42},
                                           CounterCase{123456, 123456}, CounterCase{987654, 987654},
                                           CounterCase{999999, 999999}, CounterCase{1000000, 0},
                                           CounterCase{1234567, 234567}));

TEST(Pictures, GradientRunsRedLeftToRightAndGreenTopToBottom)
{
    const Frame frame(TestPicture::Gradient, 320, 240, 0);
    const std::uint32_t right = frame.At(319, 120);
    const std::uint32_t left = frame.At(0, 120);
    EXPECT_EQ(right >> 16, 0xFFu);
    EXPECT_EQ(right & 0xFF, 0u);
    EXPECT_EQ(left >> 16, 0u);
    EXPECT_EQ(left & 0xFF, 0xFFu);
    EXPECT_LT((frame.At(160, 30) >> 8) & 0xFF, (frame.At(160, 120) >> 8) & 0xFF);
}

TEST(Pictures, CheckerboardAlternatesCells)
{
    const Frame frame(TestPicture::Checkerboard, 320, 240, 0);
    const int cell = 40;
    // The top-left cell is light; cells alternate from there.
    EXPECT_EQ(frame.At(cell / 2, 3 * cell + cell / 2), 0x202020u);
    EXPECT_EQ(frame.At(cell + cell / 2, 3 * cell + cell / 2), 0xE0E0E0u);
    EXPECT_EQ(frame.At(cell + cell / 2, 2 * cell + cell / 2), 0x202020u);
    EXPECT_EQ(frame.At(2 * cell + cell / 2, 2 * cell + cell / 2), 0xE0E0E0u);
}

TEST(Pictures, EachHasItsOwnName)
{
    std::set<std::string> names;
    for (int index = 0; index < kTestPictureCount; ++index)
        names.insert(TestPictureName(static_cast<TestPicture>(index)));
    EXPECT_EQ(names.size(), static_cast<size_t>(kTestPictureCount));
    EXPECT_EQ(names.count(""), 0u);
}

} // namespace
