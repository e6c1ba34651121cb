#include "skin/SkinScreenInfo.h"
#include "skin/SkinValueParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tavrelin::skin {
namespace {

TEST(SkinValueParser, IntegersReadAsAtoiDoes)
{
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"17", 17},
        {"  -42", -42},
        {"+8", 8},
        {"12ABC", 12},
        {"ABC", 0},
        {"", 0},
        {"0x10", 0},
        {"010", 10},
        {"- 5", 0},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(ParseSkinInteger(entry.text), entry.expected) << "'" << entry.text << "'";
}

TEST(SkinValueParser, BooleanIsTrueOnlyForTheWordTrue)
{
    EXPECT_TRUE(ParseSkinBoolean("TRUE"));
    EXPECT_TRUE(ParseSkinBoolean("true"));
    EXPECT_FALSE(ParseSkinBoolean("FALSE"));
    EXPECT_FALSE(ParseSkinBoolean("1"));
    EXPECT_FALSE(ParseSkinBoolean("TRUEX"));
    EXPECT_FALSE(ParseSkinBoolean(""));
}

TEST(SkinValueParser, ColoursReadThreeNumbersInAnyBase)
{
    const struct {
        const char* text;
        SkinColorRef expected;
    } cases[] = {
        {"255 0 0", 0x0000FF},
        {"0x10 0 0", 0x000010},
        {"255", 0x0000FF},
        {"0 255", 0x00FF00},
        {"1 2 3", 0x030201},
        {"010 0X1f 0", 0x001F08},
        {"08 1 2", 0x010800}, // the octal number ends at 8, which starts the next one
        {"256 -1 300", 0x2CFF00},
        {"255,0,0", 0x0000FF},
        {"RED", 0},
        {"", 0},
        {"  12\t34  56 78", 0x38220C},
        {"0x", 0},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(ParseSkinColor(entry.text), entry.expected) << "'" << entry.text << "'";
}

TEST(SkinValueParser, MarginsKeepLeftRightTopBottomOrder)
{
    const struct {
        const char* text;
        SkinMargins expected;
    } cases[] = {
        {"1, 2, 3, 4", {1, 2, 3, 4}},    {"1,2,3,4", {1, 2, 3, 4}}, {"-1, 0, 7", {-1, 0, 7, 0}}, {"5", {5, 0, 0, 0}},
        {"1 , 2, 3, 4", {1, 0, 0, 0}}, // the comma must follow the number at once
        {"0x10, 2, 3, 4", {0, 0, 0, 0}}, {"A, 2", {0, 0, 0, 0}},    {"", {0, 0, 0, 0}},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(ParseSkinMargins(entry.text), entry.expected) << "'" << entry.text << "'";
}

TEST(SkinValueParser, PointsReadTwoNumbers)
{
    const struct {
        const char* text;
        SkinPoint expected;
    } cases[] = {
        {"10, 5", {10, 5}}, {"3,4", {3, 4}},  {"0x10, 010", {16, 8}}, {"7", {7, 0}},
        {"7 ,8", {7, 0}},   {"X, 8", {0, 0}}, {"", {0, 0}},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(ParseSkinPoint(entry.text), entry.expected) << "'" << entry.text << "'";
}

TEST(SkinValueParser, FontHeightFollowsTheScreensPixelsPerInch)
{
    const CFixedSkinScreenInfo screen96(96, 0);
    const SkinLogFont font = ParseSkinFont("TAHOMA, 8, BOLD", screen96);
    EXPECT_STREQ(font.lfFaceName, "TAHOMA");
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfCharSet, 0);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfItalic, 0);

    const CFixedSkinScreenInfo screen120(120, 204);
    const SkinLogFont large = ParseSkinFont("SEGOE UI, 9", screen120);
    EXPECT_STREQ(large.lfFaceName, "SEGOE UI");
    EXPECT_EQ(large.lfHeight, -15);
    EXPECT_EQ(large.lfWeight, 400);
    EXPECT_EQ(large.lfCharSet, 204);
}

TEST(SkinValueParser, FontFieldsThatDoNotParse)
{
    const CFixedSkinScreenInfo screen(96, 0);
    const struct {
        const char* text;
        const char* face;
        std::int32_t height;
        std::int32_t weight;
    } cases[] = {
        {"ARIAL", "ARIAL", 0, 400},
        {"ARIAL,", "ARIAL", 0, 400},
        {"ARIAL, X, BOLD", "ARIAL", 0, 400},
        {"ARIAL, 10 BOLD", "ARIAL", -13, 400},
        {"ARIAL,10,BOLD", "ARIAL", -13, 700},
        {"ARIAL, 10, BOLDER", "ARIAL", -13, 400},
        {"ARIAL, 10, BOLD ITALIC", "ARIAL", -13, 700},
        {"ARIAL , -8, bold", "ARIAL ", 11, 700},
        {", 10, BOLD", "", 0, 400},
        {"ARIAL, 99999999999", "ARIAL", 1, 400}, // MulDiv overflow gives -1
    };
    for (const auto& entry : cases) {
        const SkinLogFont font = ParseSkinFont(entry.text, screen);
        EXPECT_STREQ(font.lfFaceName, entry.face) << entry.text;
        EXPECT_EQ(font.lfHeight, entry.height) << entry.text;
        EXPECT_EQ(font.lfWeight, entry.weight) << entry.text;
    }
}

TEST(SkinValueParser, LongFaceNamesAndStyleWordsAreCutSafely)
{
    const CFixedSkinScreenInfo screen(96, 0);
    const std::string longFace(100, 'F');
    const SkinLogFont font = ParseSkinFont(longFace + ", 8, " + std::string(5000, 'B'), screen);
    EXPECT_EQ(std::strlen(font.lfFaceName), 31u);
    EXPECT_EQ(std::string(font.lfFaceName), longFace.substr(0, 31));
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfWeight, 400);
}

TEST(SkinValueParser, EnumerationNamesAndUnknownNames)
{
    EXPECT_EQ(ParseSkinEnumeration(4004, "TRUESIZE"), 0);
    EXPECT_EQ(ParseSkinEnumeration(4004, "STRETCH"), 1);
    EXPECT_EQ(ParseSkinEnumeration(4004, "DIAGONAL"), -1);
    EXPECT_EQ(ParseSkinEnumeration(4001, "NONE"), 2);
    EXPECT_EQ(ParseSkinEnumeration(4009, "NONE"), 0);
    EXPECT_EQ(ParseSkinEnumeration(4011, "horizontal"), 1);
    EXPECT_EQ(ParseSkinEnumeration(4011, ""), -1);
}

TEST(SkinValueParser, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(SkinMulDiv(8, 96, 72), 11);
    EXPECT_EQ(SkinMulDiv(-8, 96, 72), -11);
    EXPECT_EQ(SkinMulDiv(9, 96, 72), 12);
    EXPECT_EQ(SkinMulDiv(3, 1, 2), 2);
    EXPECT_EQ(SkinMulDiv(-3, 1, 2), -2);
    EXPECT_EQ(SkinMulDiv(3, 1, -2), -2);
    EXPECT_EQ(SkinMulDiv(1, 1, 0), -1);
    EXPECT_EQ(SkinMulDiv(INT32_MAX, 96, 72), -1);
    EXPECT_EQ(SkinMulDiv(INT32_MAX, 72, 72), INT32_MAX);
}

} // namespace
} // namespace tavrelin::skin
