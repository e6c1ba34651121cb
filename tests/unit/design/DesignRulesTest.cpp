#include "design/DesignRules.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using tavrelin::SPixelRun;
using tavrelin::SWindowSize;

// The kept pixels as a plain mask, pixel by pixel, for the runs to be
// measured against.
std::vector<bool> PlainMask(const std::vector<std::uint8_t>& pixels, int width, int height, int stride)
{
    std::vector<bool> kept(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                if (pixels[static_cast<size_t>(y * stride + 3 * x + c)] != pixels[static_cast<size_t>(c)])
                    kept[static_cast<size_t>(y * width + x)] = true;
    return kept;
}

std::vector<bool> RunMask(const std::vector<SPixelRun>& runs, int width, int height)
{
    std::vector<bool> kept(static_cast<size_t>(width) * height);
    int lastY = -1, lastRight = 0;
    for (const SPixelRun& run : runs) {
        // Runs come row by row, left to right, never touching or empty.
        EXPECT_TRUE(run.y > lastY || (run.y == lastY && run.left > lastRight));
        EXPECT_LT(run.left, run.right);
        lastY = run.y;
        lastRight = run.right;
        for (int x = run.left; x < run.right; ++x)
            kept[static_cast<size_t>(run.y * width + x)] = true;
    }
    return kept;
}

TEST(DesignRules, RunsCoverExactlyThePixelsUnlikeTheTopLeftOne)
{
    std::mt19937 random(7);
    struct Shape {
        int width, height, colours;
    };
    // Few colours give long runs and many cut-out pixels; a colour that
    // differs from the key in one channel only must be kept.
    for (const Shape shape : {Shape{1, 1, 2}, Shape{5, 3, 2}, Shape{37, 29, 3}, Shape{64, 48, 256}, Shape{13, 1, 2}}) {
        const int stride = (shape.width * 3 + 3) & ~3;
        std::vector<std::uint8_t> pixels(static_cast<size_t>(stride) * shape.height, 0xEE);
        for (int y = 0; y < shape.height; ++y)
            for (int x = 0; x < shape.width; ++x)
                pixels[static_cast<size_t>(y * stride + 3 * x + random() % 3)] =
                    static_cast<std::uint8_t>(0x10 * (random() % shape.colours));
        const auto runs = tavrelin::KeptPixelRuns(pixels.data(), shape.width, shape.height, stride);
        EXPECT_EQ(RunMask(runs, shape.width, shape.height), PlainMask(pixels, shape.width, shape.height, stride))
            << shape.width << " x " << shape.height;
    }
}

TEST(DesignRules, APlainPictureKeepsNothingAndAnEmptyOneGivesNoRuns)
{
    const std::vector<std::uint8_t> white(12 * 4, 0xFF);
    EXPECT_TRUE(tavrelin::KeptPixelRuns(white.data(), 4, 4, 12).empty());
    EXPECT_TRUE(tavrelin::KeptPixelRuns(white.data(), 0, 4, 12).empty());
    EXPECT_TRUE(tavrelin::KeptPixelRuns(nullptr, 4, 4, 12).empty());
}

TEST(DesignRules, FrameDelayBecomesAnIntervalWithoutBusyTicks)
{
    struct Case {
        std::optional<unsigned> hundredths;
        unsigned ms;
    };
    for (const Case c : {Case{std::nullopt, 100}, Case{0u, 100}, Case{1u, 100}, Case{2u, 20}, Case{10u, 100},
                         Case{25u, 250}, Case{0xFFFFFFFFu, 0x7FFFFFFFu}})
        EXPECT_EQ(tavrelin::FrameIntervalMs(c.hundredths), c.ms) << c.hundredths.value_or(-1);
}

TEST(DesignRules, ZoomStepsAndLimits)
{
    EXPECT_EQ(tavrelin::ZoomedOut({200, 150}), (SWindowSize{160, 120}));
    EXPECT_EQ(tavrelin::ZoomedOut({11, 11}), (SWindowSize{8, 8}));
    EXPECT_EQ(tavrelin::ZoomedOut({10, 200}), (SWindowSize{10, 200}));
    EXPECT_EQ(tavrelin::ZoomedIn({300, 230}), (SWindowSize{375, 287}));
    EXPECT_EQ(tavrelin::ZoomedIn({320, 100}), (SWindowSize{320, 100}));
    EXPECT_EQ(tavrelin::ZoomedIn({100, 240}), (SWindowSize{100, 240}));
}

} // namespace
