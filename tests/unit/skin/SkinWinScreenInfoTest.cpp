// The Windows screen facts and the portable MulDiv against the system's own.
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tavrelin::skin {
namespace {

TEST(SkinWinScreenInfo, FontValuesUseTheScreensPixelsPerInchAndCharacterSet)
{
    const HDC hScreen = ::GetDC(nullptr);
    ASSERT_NE(hScreen, nullptr);
    const int nPixelsPerInch = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    const int nCharSet = ::GetTextCharsetInfo(hScreen, nullptr, 0);
    ::ReleaseDC(nullptr, hScreen);

    CSkinSchema schema;
    CSkinTextLineSource lines("[SysMetrics]\r\nCaptionFont = Tahoma, 8, Bold\r\n");
    schema.ReadProperties(lines);
    SkinLogFont font;
    ASSERT_EQ(schema.GetFontValue(3, 0, 0, 801, font), S_OK);
    EXPECT_EQ(font.lfHeight, -::MulDiv(8, nPixelsPerInch, 72));
    EXPECT_EQ(font.lfCharSet, nCharSet);
    EXPECT_EQ(font.lfWeight, FW_BOLD);

    // The record goes to GDI as it is.
    const HFONT hFont = ::CreateFontIndirectA(reinterpret_cast<const LOGFONTA*>(&font));
    ASSERT_NE(hFont, nullptr);
    LOGFONTA back{};
    ASSERT_EQ(::GetObjectA(hFont, sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_STREQ(back.lfFaceName, "TAHOMA");
    EXPECT_EQ(back.lfHeight, font.lfHeight);
    ::DeleteObject(hFont);
}

TEST(SkinWinScreenInfo, PortableMulDivMatchesTheSystem)
{
    const int values[] = {0, 1, -1, 2, -2, 3, 7, -7, 8, 72, 96, 120, 144, 1000, -1000, 65536, INT32_MAX, -INT32_MAX};
    for (int number : values) {
        for (int numerator : values) {
            for (int denominator : values) {
                EXPECT_EQ(SkinMulDiv(number, numerator, denominator), ::MulDiv(number, numerator, denominator))
                    << number << " " << numerator << " " << denominator;
            }
        }
    }
}

} // namespace
} // namespace tavrelin::skin
