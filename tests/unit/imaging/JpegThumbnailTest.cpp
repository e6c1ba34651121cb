// Thumbnails made from JPEG files' coefficients against ImageMagick's decode
// and box-filtered resize of the same files. ImageMagick and cjpeg make the
// files: the kinds the decoder takes (4:2:0, 4:2:2, 4:4:4 with restart
// intervals, grey, odd sizes, pictures smaller than the thumbnail) and kinds
// it leaves to the platform.
#include "imaging/JpegEntropyReader.h"
#include "imaging/JpegThumbnail.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

constexpr int kWidth = 80, kHeight = 60;

struct SCase {
    const char* name;
    const char* command; // %s is the file to make
    bool taken;
    double minimumPsnr; // measured with a margin; enlarging is where box filters differ most
};

const SCase kCases[] = {
    {"photo-420", "convert -seed 5 -size 640x480 plasma:fractal -blur 0x2 -sampling-factor 2x2 -quality 92 %s", true,
     40},
    {"odd-422", "convert -seed 6 -size 333x177 plasma:fractal -sampling-factor 2x1 -quality 85 %s", true, 40},
    {"restart-444",
     "convert -seed 7 -size 300x200 plasma:fractal ppm:- | cjpeg -sample 1x1 -restart 3B -quality 95 > %s", true, 40},
    {"grey", "convert -seed 8 -size 160x120 plasma:fractal -colorspace Gray -quality 90 %s", true, 40},
    {"smaller", "convert -seed 9 -size 50x40 plasma:fractal -quality 90 %s", true, 30},
    {"progressive", "convert -seed 5 -size 640x480 plasma:fractal -interlace JPEG %s", false, 0},
    {"arithmetic", "convert -seed 5 -size 64x48 plasma:fractal ppm:- | cjpeg -arithmetic > %s", false, 0},
};

std::vector<uint8_t> Make(const SCase& c)
{
    const std::string path = TempPath(std::string(c.name) + ".jpg");
    char command[512];
    std::snprintf(command, sizeof command, c.command, ("'" + path + "'").c_str());
    EXPECT_EQ(std::system(command), 0) << command;
    return ReadBytes(path);
}

// ImageMagick's thumbnail of the file: red, green, blue rows.
std::vector<uint8_t> MagickThumbnail(const std::vector<uint8_t>& jpeg)
{
    const std::string in = TempPath("magick-in.jpg"), out = TempPath("magick-out.rgb");
    WriteBytes(in, jpeg);
    const std::string command = "convert '" + in + "' -filter Box -resize " + std::to_string(kWidth) + "x" +
                                std::to_string(kHeight) + "! -depth 8 'rgb:" + out + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return ReadBytes(out);
}

double Psnr(const std::vector<uint8_t>& bgrRows, const std::vector<uint8_t>& rgb)
{
    const std::size_t stride = (3 * kWidth + 3) & ~3;
    if (rgb.size() != std::size_t(3) * kWidth * kHeight || bgrRows.size() != stride * kHeight)
        return 0;
    double squares = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c) {
                const double d = bgrRows[y * stride + 3 * x + 2 - c] - rgb[(y * kWidth + x) * 3 + c];
                squares += d * d;
            }
    const double mean = squares / (3.0 * kWidth * kHeight);
    return mean == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mean);
}

TEST(JpegThumbnail, CloseToImageMagicksBoxFilteredThumbnailOrLeftToThePlatform)
{
    for (const SCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> jpeg = Make(c);
        const std::optional<std::vector<uint8_t>> thumbnail = JpegThumbnail(jpeg.data(), jpeg.size(), kWidth, kHeight);
        ASSERT_EQ(thumbnail.has_value(), c.taken);
        if (thumbnail)
            EXPECT_GE(Psnr(*thumbnail, MagickThumbnail(jpeg)), c.minimumPsnr)
                << Psnr(*thumbnail, MagickThumbnail(jpeg));
    }
    const std::vector<uint8_t> ours = EncodeToVector(MakePicture(333, 45, EPattern::Photo), 100);
    const std::optional<std::vector<uint8_t>> thumbnail = JpegThumbnail(ours.data(), ours.size(), kWidth, kHeight);
    ASSERT_TRUE(thumbnail);
    EXPECT_GE(Psnr(*thumbnail, MagickThumbnail(ours)), 40.0) << "our own encoder's file";
}

TEST(JpegThumbnail, DataThatEndsEarlyLeavesTheRestMidGreyAndDamageIsNeverReadPast)
{
    const std::vector<uint8_t> jpeg = Make(kCases[0]);
    std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2));
    const std::optional<std::vector<uint8_t>> half = JpegThumbnail(cut.data(), cut.size(), kWidth, kHeight);
    ASSERT_TRUE(half);
    const std::size_t lastRow = ((3 * kWidth + 3) & ~3) * (kHeight - 1);
    EXPECT_EQ(std::vector<uint8_t>(half->begin() + lastRow, half->begin() + lastRow + 3 * kWidth),
              std::vector<uint8_t>(3 * kWidth, 128));
    // Under AddressSanitizer a read past the data ends the test.
    const std::vector<uint8_t> small = EncodeToVector(MakePicture(40, 30, EPattern::Photo), 90);
    std::vector<uint8_t> damaged = small;
    for (std::size_t at = 0; at < small.size(); ++at) {
        JpegThumbnail(small.data(), at, kWidth, kHeight);
        damaged[at] ^= 0x5A;
        JpegThumbnail(damaged.data(), damaged.size(), kWidth, kHeight);
        damaged[at] = small[at];
    }
}

// Canonical codes of the given lengths exist exactly when the Kraft sum of
// the counts is at most one (T.81 Annex C builds them in that order). A
// table beyond it must be refused; under AddressSanitizer a write past the
// look-up tables while it is built ends the test.
TEST(JpegThumbnail, HuffmanTablesAreTakenExactlyWhenTheirCodesFit)
{
    const auto fits = [](const std::array<uint8_t, 16>& counts) {
        uint64_t kraft = 0;
        for (int length = 1; length <= 16; ++length)
            kraft += uint64_t{counts[length - 1]} << (16 - length);
        return kraft <= (uint64_t{1} << 16);
    };
    std::vector<std::array<uint8_t, 16>> tables = {
        {0, 1, 5, 1, 1, 1, 1, 1, 1},                      // the usual luminance DC table
        {2},                                              // both one-bit codes
        {3},                                              // one too many
        {0, 4},                                           // every two-bit code
        {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2}, // full to the last bit
        {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3}, // one past it
        {0, 0, 0, 0, 0, 0, 0, 0, 255},                    // more nine-bit codes than fit beside nothing
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 56},             // long codes only
    };
    std::mt19937 random(32);
    for (int i = 0; i < 2000; ++i) {
        std::array<uint8_t, 16> counts{};
        int total = 0;
        for (int length = 0; length < 16 && total < 256; ++length) {
            counts[length] = static_cast<uint8_t>(std::min<int>(random() % (length < 9 ? 6 : 40), 256 - total));
            total += counts[length];
        }
        tables.push_back(counts);
    }
    std::array<uint8_t, 256> symbols{};
    for (int i = 0; i < 256; ++i)
        symbols[i] = static_cast<uint8_t>(i);
    for (const auto& counts : tables) {
        int total = 0;
        for (const uint8_t count : counts)
            total += count;
        CJpegHuffmanTable table;
        EXPECT_EQ(table.Build(counts.data(), symbols.data(), total), total <= 256 && fits(counts))
            << "counts " << ::testing::PrintToString(counts);
    }
}

} // namespace
