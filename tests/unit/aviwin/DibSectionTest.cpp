// Bitmaps handed to the AVI writer: only bitmap sections become frames.

#include "AviWinTestSupport.h"
#include "aviwin/DibSection.h"

#include <gtest/gtest.h>

TEST(DibSectionTest, BitmapSectionGivesItsHeaderAndOwnPixelMemory)
{
    const CFrameBitmap bitmap(162, 120, 3);
    const std::optional<DibFrame> frame = DibFrameFromBitmap(bitmap.Handle());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->header.biWidth, 162);
    EXPECT_EQ(frame->header.biHeight, 120);
    EXPECT_EQ(frame->header.biBitCount, 24);
    EXPECT_EQ(frame->header.biCompression, kBiRgb);
    EXPECT_TRUE(IsUsableDib(*frame));
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectW(bitmap.Handle(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(frame->pBits, section.dsBm.bmBits) << "the pixels must not be copied";
    // Bottom-up: the first bytes in memory are the picture's last row.
    EXPECT_EQ(frame->pBits[0], FramePixel(0, 119, 0, 3));
    EXPECT_EQ(frame->pBits[2], FramePixel(0, 119, 2, 3));
}

struct RefusedBitmapCase {
    const char* name;
    int width;
    int height;
};

class RefusedBitmapTest : public ::testing::TestWithParam<RefusedBitmapCase> {};

TEST_P(RefusedBitmapTest, DeviceDependentBitmapIsNoFrame)
{
    const HDC hScreen = ::GetDC(nullptr);
    // A grab of an empty rectangle gets the 1 x 1 monochrome stock bitmap.
    const win::UniqueBitmap bitmap(::CreateCompatibleBitmap(hScreen, GetParam().width, GetParam().height));
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_TRUE(bitmap);
    EXPECT_FALSE(DibFrameFromBitmap(bitmap.get()));
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, RefusedBitmapTest,
                         ::testing::Values(RefusedBitmapCase{"ScreenCompatible", 64, 48},
                                           RefusedBitmapCase{"EmptyGrab", 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibSectionTest, MissingOrStaleHandleIsNoFrame)
{
    EXPECT_FALSE(DibFrameFromBitmap(nullptr));
    HBITMAP hStale = nullptr;
    {
        const CFrameBitmap bitmap(8, 8, 0);
        hStale = bitmap.Handle();
    }
    EXPECT_FALSE(DibFrameFromBitmap(hStale));
}
