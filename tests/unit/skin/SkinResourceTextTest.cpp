#include "skin/SkinResourceText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrelin::skin {
namespace {

// UTF-16LE bytes of the text, in a buffer of exactly that size so that the
// sanitizer sees any read past the end.
std::vector<std::uint8_t> Utf16(std::u16string_view text, bool bom = false, bool oddByte = false)
{
    std::vector<std::uint8_t> bytes;
    if (bom)
        bytes = {0xFF, 0xFE};
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    if (oddByte)
        bytes.push_back('\r');
    return bytes;
}

std::vector<std::string> AllLines(const std::vector<std::uint8_t>& bytes)
{
    CSkinUtf16LineSource source(bytes.data(), bytes.size());
    std::vector<std::string> lines;
    std::string line;
    while (source.ReadLine(line))
        lines.push_back(line);
    return lines;
}

TEST(SkinResourceText, LinesEndAtCarriageReturnsAndTheTailIsNotRead)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(AllLines(Utf16(u"[a]\r\nx=1\r\ntail")), (Lines{"[a]", "x=1"}));
    EXPECT_EQ(AllLines(Utf16(u"one\rtwo\r\r\n", true)), (Lines{"one", "two", ""}));
    // The odd last byte is no half character and no line end.
    EXPECT_EQ(AllLines(Utf16(u"one\rtwo", false, true)), (Lines{"one"}));
    EXPECT_EQ(AllLines(Utf16(u"caf\u00e9 \u4e2d\r")), (Lines{"caf\xe9 ?"}));
    EXPECT_TRUE(AllLines(Utf16(u"", true)).empty());
    EXPECT_TRUE(AllLines({}).empty());
}

TEST(SkinResourceText, ThemesIniNamesThePropertyFile)
{
    struct Case {
        std::u16string text;
        std::string name;
    } const cases[] = {
        {u"[Documentation]\r\n[File.Normal]\r\n[File.Other]", "Normal_ini"},
        {u"[file.Blue]", "Blue_ini"},
        {u"[File.]", "_ini"},
        {u"[File.Unclosed", ""},
        {u"[File", ""},
        {u"no header at all", ""},
    };
    for (const Case& test : cases) {
        const std::vector<std::uint8_t> bytes = Utf16(test.text);
        EXPECT_EQ(FindSkinThemesIniPropertyName(bytes.data(), bytes.size()), test.name);
    }
}

TEST(SkinResourceText, ResourceNamesReplaceDotsAndBackslashes)
{
    EXPECT_EQ(SkinResourceName("OFFICE2007\\SCROLLTHUMB.BMP"), "OFFICE2007_SCROLLTHUMB_BMP");
    EXPECT_EQ(SkinResourceName("Normal.ini"), "Normal_ini");
}

} // namespace
} // namespace tavrelin::skin
