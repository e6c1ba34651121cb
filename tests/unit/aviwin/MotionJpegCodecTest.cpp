// Our Motion-JPEG codec as the compression manager sees it.

#include "AviWinTestSupport.h"
#include "aviwin/MotionJpegCodec.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

BITMAPINFO QueryFormat(int width, int height, WORD bitCount = 24, DWORD compression = BI_RGB)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = compression;
    info.bmiHeader.biSizeImage =
        static_cast<DWORD>((width * bitCount / 8 + 3) / 4 * 4 * (height < 0 ? -height : height));
    return info;
}

class MotionJpegCodecTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallMotionJpegCompressor());
        m_hCodec = ::ICOpen(ICTYPE_VIDEO, kFourccMotionJpeg, ICMODE_COMPRESS);
        ASSERT_NE(m_hCodec, nullptr);
    }
    void TearDown() override
    {
        if (m_hCodec != nullptr)
            ::ICClose(m_hCodec);
    }

    HIC m_hCodec = nullptr;
};

} // namespace

TEST_F(MotionJpegCodecTest, InstallingTwiceKeepsOneRegistration)
{
    EXPECT_TRUE(InstallMotionJpegCompressor());
    int listed = 0;
    ICINFO info{};
    info.dwSize = sizeof(info);
    for (DWORD index = 0; ::ICInfo(ICTYPE_VIDEO, index, &info); ++index)
        listed += info.fccHandler == kFourccMotionJpeg ? 1 : 0;
    EXPECT_EQ(listed, 1);
}

TEST_F(MotionJpegCodecTest, DescribesItselfAsQualityVideoCodec)
{
    ICINFO info{};
    info.dwSize = sizeof(info);
    ASSERT_EQ(::ICGetInfo(m_hCodec, &info, sizeof(info)), static_cast<LRESULT>(sizeof(info)));
    EXPECT_EQ(info.fccType, ICTYPE_VIDEO);
    EXPECT_EQ(info.fccHandler, kFourccMotionJpeg);
    EXPECT_TRUE(info.dwFlags & VIDCF_QUALITY);
    EXPECT_EQ(std::wstring(info.szDescription), kMotionJpegEntry);
    EXPECT_EQ(ICGetDefaultQuality(m_hCodec), static_cast<LRESULT>(kMotionJpegDefaultQuality));
}

struct QueryCase {
    const char* name;
    BITMAPINFO input;
    bool bAccepted;
};

class MotionJpegQueryTest : public MotionJpegCodecTest, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(MotionJpegQueryTest, TakesOnlyBottomUpTwentyFourBitFrames)
{
    BITMAPINFO input = GetParam().input;
    EXPECT_EQ(ICCompressQuery(m_hCodec, &input, nullptr) == ICERR_OK, GetParam().bAccepted);
    EXPECT_EQ(ICCompressGetFormat(m_hCodec, &input, nullptr) == sizeof(BITMAPINFOHEADER), GetParam().bAccepted);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, MotionJpegQueryTest,
    ::testing::Values(
        QueryCase{"Rgb24", QueryFormat(320, 240), true}, QueryCase{"OddSize", QueryFormat(161, 17), true},
        QueryCase{"OnePixel", QueryFormat(1, 1), true}, QueryCase{"Rgb32", QueryFormat(320, 240, 32), false},
        QueryCase{"Rgb16", QueryFormat(320, 240, 16), false}, QueryCase{"TopDown", QueryFormat(320, -240), false},
        QueryCase{"ZeroWidth", QueryFormat(0, 240), false}, QueryCase{"TooWide", QueryFormat(70000, 2), false},
        QueryCase{"Compressed", QueryFormat(320, 240, 24, kFourccMotionJpeg), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MotionJpegCodecTest, OutputFormatIsMotionJpegOfTheFrameSize)
{
    BITMAPINFO input = QueryFormat(162, 120);
    BITMAPINFO output{};
    ASSERT_EQ(ICCompressGetFormat(m_hCodec, &input, &output), ICERR_OK);
    EXPECT_EQ(output.bmiHeader.biCompression, kFourccMotionJpeg);
    EXPECT_EQ(output.bmiHeader.biWidth, 162);
    EXPECT_EQ(output.bmiHeader.biHeight, 120);
    EXPECT_EQ(output.bmiHeader.biBitCount, 24);
    EXPECT_GE(output.bmiHeader.biSizeImage, static_cast<DWORD>(ICCompressGetSize(m_hCodec, &input, &output)));
    EXPECT_EQ(ICCompressQuery(m_hCodec, &input, &output), ICERR_OK);
    output.bmiHeader.biWidth = 100;
    EXPECT_NE(ICCompressQuery(m_hCodec, &input, &output), ICERR_OK) << "a scaled output is not offered";
}

TEST_F(MotionJpegCodecTest, EveryFrameIsOneWholeJpegPictureAndKeyFrame)
{
    COMPVARS compVars{};
    compVars.cbSize = sizeof(compVars);
    compVars.dwFlags = ICMF_COMPVARS_VALID;
    compVars.hic = std::exchange(m_hCodec, nullptr);
    compVars.fccType = ICTYPE_VIDEO;
    compVars.fccHandler = kFourccMotionJpeg;
    compVars.lQ = ICQUALITY_DEFAULT;
    compVars.lKey = 15;
    BITMAPINFO input = QueryFormat(162, 120);
    ASSERT_TRUE(::ICSeqCompressFrameStart(&compVars, &input));
    for (int frameNumber = 0; frameNumber < 3; ++frameNumber) {
        CFrameBitmap bitmap(162, 120, frameNumber);
        DIBSECTION section{};
        ::GetObjectW(bitmap.Handle(), sizeof(section), &section);
        BOOL bKeyFrame = FALSE;
        LONG size = 0;
        const auto* pData = static_cast<const std::uint8_t*>(
            ::ICSeqCompressFrame(&compVars, 0, section.dsBm.bmBits, &bKeyFrame, &size));
        ASSERT_NE(pData, nullptr);
        ASSERT_GT(size, 4);
        EXPECT_TRUE(bKeyFrame) << "frame " << frameNumber;
        EXPECT_EQ(pData[0], 0xFF);
        EXPECT_EQ(pData[1], 0xD8);
        EXPECT_EQ(pData[size - 2], 0xFF);
        EXPECT_EQ(pData[size - 1], 0xD9);
    }
    ::ICSeqCompressFrameEnd(&compVars);
    ::ICCompressorFree(&compVars);
}

TEST(JpegQualityTest, ManagerScaleMapsOntoEncoderScale)
{
    struct Case {
        DWORD dwQuality;
        std::uint16_t expected;
    };
    const Case cases[] = {{static_cast<DWORD>(ICQUALITY_DEFAULT), 100},
                          {10000, 100},
                          {7500, 75},
                          {2549, 25},
                          {100, 1},
                          {0, 1},
                          {20000, 100}};
    for (const Case& testCase : cases)
        EXPECT_EQ(JpegQualityFor(testCase.dwQuality), testCase.expected) << testCase.dwQuality;
}
