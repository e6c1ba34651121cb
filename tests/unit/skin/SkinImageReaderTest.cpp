// Every image the generator script writes decodes to the pixels the script
// computed from its own numbers, or is refused when it is damaged.
#include "skin/SkinDibReader.h"
#include "skin/SkinPngReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace tavrelin::skin {
namespace {

struct ImageCase {
    std::string name;
    std::string kind;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<ImageCase> ListCases()
{
    std::ifstream listing(std::string(SKIN_TEST_IMAGES) + "/images.txt");
    std::vector<ImageCase> cases;
    ImageCase one;
    while (listing >> one.name >> one.kind)
        cases.push_back(one);
    return cases;
}

std::optional<SkinPixels> Decode(const ImageCase& image, const std::vector<std::uint8_t>& bytes)
{
    if (image.kind == "png")
        return DecodeSkinPng(bytes.data(), bytes.size());
    std::optional<SkinDib> dib =
        image.kind == "bmp" ? DecodeSkinBmpFile(bytes.data(), bytes.size()) : DecodeSkinDib(bytes.data(), bytes.size());
    if (!dib)
        return std::nullopt;
    return std::move(dib->pixels);
}

// Gamma correction may round either way; everything else is exact.
int ChannelTolerance(const std::string& name) { return name.find("gama") != std::string::npos ? 1 : 0; }

void ExpectPixels(const ImageCase& image, const SkinPixels& pixels, std::istream& expect)
{
    int width = 0, height = 0, alpha = 0;
    expect >> width >> height >> alpha;
    ASSERT_EQ(pixels.width, width);
    ASSERT_EQ(pixels.height, height);
    EXPECT_EQ(pixels.hasAlphaChannel, alpha == 1);
    const int tolerance = ChannelTolerance(image.name);
    for (int index = 0; index < width * height; ++index) {
        std::uint32_t want = 0;
        expect >> std::hex >> want;
        const std::uint32_t got = pixels.argb[index];
        for (int shift = 0; shift < 32; shift += 8) {
            const int difference = static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
            ASSERT_LE(std::abs(difference), tolerance)
                << "pixel " << index << " got " << std::hex << got << " want " << want;
        }
    }
}

TEST(SkinImageReader, EveryGeneratedImageDecodesAsWrittenOrIsRefused)
{
    const std::vector<ImageCase> cases = ListCases();
    ASSERT_GT(cases.size(), 40u);
    for (const ImageCase& image : cases) {
        SCOPED_TRACE(image.name);
        const std::string base = std::string(SKIN_TEST_IMAGES) + "/" + image.name;
        const std::vector<std::uint8_t> bytes = ReadBytes(base + "." + image.kind);
        std::ifstream expect(base + ".expect");
        std::string first;
        std::getline(expect, first);
        std::istringstream header(first);
        const std::optional<SkinPixels> pixels = Decode(image, bytes);
        if (first == "refuse") {
            EXPECT_FALSE(pixels.has_value());
            continue;
        }
        ASSERT_TRUE(pixels.has_value());
        std::stringstream all;
        all << first << '\n' << expect.rdbuf();
        ExpectPixels(image, *pixels, all);
    }
}

// Every prefix of a good file is refused or decodes to the full size: a
// reader that trusted a header would read past the cut.
TEST(SkinImageReader, EveryTruncationIsSafe)
{
    for (const ImageCase& image : ListCases()) {
        SCOPED_TRACE(image.name);
        const std::vector<std::uint8_t> bytes =
            ReadBytes(std::string(SKIN_TEST_IMAGES) + "/" + image.name + "." + image.kind);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            const std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + cut);
            const std::optional<SkinPixels> pixels = Decode(image, prefix);
            if (pixels)
                ASSERT_EQ(pixels->argb.size(), static_cast<size_t>(pixels->width) * pixels->height);
        }
    }
}

} // namespace
} // namespace tavrelin::skin
