// The BMP writer: the header values for every depth, the pixels and colour
// table as written, read back by our own reader here and by ImageMagick in the
// check that runs after this program.
#include "grab/BitmapFile.h"
#include "GrabTestFiles.h"

#include "win/UniqueHandle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

namespace {

using grabtest::BmpFile;
using grabtest::Expectation;

struct LayoutCase {
    const char* name;
    int width;
    int height;
    int bitCount;
    std::uint32_t rowBytes;
    std::uint32_t colours;
    std::uint32_t pixelOffset;
    std::uint32_t imageSize;
    std::uint32_t fileSize;
};

const LayoutCase kLayouts[] = {
    {"odd_width_24", 321, 2, 24, 964, 0, 54, 1928, 1982},
    {"box_24", 320, 240, 24, 960, 0, 54, 230400, 230454},
    {"rgb_32", 5, 3, 32, 20, 0, 54, 60, 114},
    {"rgb_16", 7, 2, 16, 16, 0, 54, 32, 86},
    {"indexed_8", 9, 2, 8, 12, 256, 1078, 24, 1102},
    {"indexed_4", 3, 2, 4, 4, 16, 118, 8, 126},
    {"mono_1", 33, 3, 1, 8, 2, 62, 24, 86},
};

std::uint32_t PaletteColour(int index)
{
    return ((index * 53 + 17) & 0xFF) << 16 | ((index * 101 + 3) & 0xFF) << 8 | ((index * 29 + 200) & 0xFF);
}

// A section of the case's size and depth with a pixel pattern in every data
// byte and zeros in the row padding.
struct TestSection {
    win::UniqueBitmap bitmap;
    std::vector<std::uint8_t> bytes; // the section's memory, bottom-up rows
    std::vector<std::uint32_t> palette;
};

std::uint8_t PatternByte(const LayoutCase& layout, int column, int row)
{
    const int value = column * 7 + row * 13 + 1;
    if (layout.bitCount == 32 && column % 4 == 3)
        return 0;
    if (layout.bitCount == 16) {
        // Every colour component 0 or 31 reads the same whatever 5-to-8-bit scaling a reader uses.
        const int pixel = column / 2;
        const int bits = (pixel + row * 3) % 8;
        const std::uint16_t word = (bits & 4 ? 0x7C00 : 0) | (bits & 2 ? 0x03E0 : 0) | (bits & 1 ? 0x001F : 0);
        return static_cast<std::uint8_t>(column % 2 ? word >> 8 : word);
    }
    return static_cast<std::uint8_t>(value);
}

TestSection MakeSection(const LayoutCase& layout)
{
    TestSection section;
    const int colours = layout.bitCount <= 8 ? 1 << layout.bitCount : 0;
    std::vector<std::uint32_t> infoWords(10 + colours, 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(infoWords.data());
    info->bmiHeader = {sizeof(BITMAPINFOHEADER),
                       layout.width,
                       layout.height,
                       1,
                       static_cast<WORD>(layout.bitCount),
                       BI_RGB,
                       0,
                       0,
                       0,
                       0,
                       0};
    for (int index = 0; index < colours; ++index) {
        section.palette.push_back(PaletteColour(index));
        infoWords[10 + index] = PaletteColour(index); // RGBQUAD: blue, green, red, 0
    }
    void* bits = nullptr;
    section.bitmap.reset(::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section.bitmap || bits == nullptr)
        return section;
    const std::uint32_t dataBytes = (layout.width * layout.bitCount + 7) / 8;
    section.bytes.assign(layout.imageSize, 0);
    // Bits past the last pixel of a row are zero, as a reader would leave them.
    const int usedBits = (layout.width * layout.bitCount) % 8;
    const std::uint8_t lastByteMask = usedBits == 0 ? 0xFF : static_cast<std::uint8_t>(0xFF << (8 - usedBits));
    for (int row = 0; row < layout.height; ++row) {
        for (std::uint32_t column = 0; column < dataBytes; ++column) {
            const std::uint8_t mask = column + 1 == dataBytes ? lastByteMask : 0xFF;
            section.bytes[row * layout.rowBytes + column] = PatternByte(layout, column, row) & mask;
        }
    }
    std::memcpy(bits, section.bytes.data(), section.bytes.size());
    return section;
}

// The colour ImageMagick must see at (x, y), top-down.
std::uint32_t ExpectedColour(const LayoutCase& layout, const TestSection& section, int x, int y)
{
    const std::uint8_t* row = section.bytes.data() + (layout.height - 1 - y) * layout.rowBytes;
    switch (layout.bitCount) {
    case 32:
    case 24: {
        const std::uint8_t* pixel = row + x * (layout.bitCount / 8);
        return pixel[2] << 16 | pixel[1] << 8 | pixel[0];
    }
    case 16: {
        const std::uint32_t word = row[2 * x] | row[2 * x + 1] << 8;
        return (word & 0x7C00 ? 0xFF0000 : 0) | (word & 0x03E0 ? 0x00FF00 : 0) | (word & 0x001F ? 0x0000FF : 0);
    }
    default: {
        const int bit = x * layout.bitCount;
        const int shift = 8 - layout.bitCount - bit % 8;
        const int index = (row[bit / 8] >> shift) & ((1 << layout.bitCount) - 1);
        return section.palette[index];
    }
    }
}

std::string OutputPath(const std::string& name) { return grabtest::OutputFolder(GRAB_BMP_DIR) + "\\" + name + ".bmp"; }

class BitmapLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(BitmapLayoutTest, InfoBlockDescribesPaddedBottomUpRows)
{
    const LayoutCase& layout = GetParam();
    TestSection section = MakeSection(layout);
    ASSERT_TRUE(section.bitmap);
    const std::optional<CBitmapInfoBlock> block = BuildBitmapInfo(section.bitmap.get());
    ASSERT_TRUE(block);
    const BITMAPINFOHEADER& header = block->Header();
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, layout.width);
    EXPECT_EQ(header.biHeight, layout.height);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, layout.bitCount);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biSizeImage, layout.imageSize);
    EXPECT_EQ(header.biClrUsed, layout.colours);
    EXPECT_EQ(header.biClrImportant, 0u);
    EXPECT_EQ(header.biXPelsPerMeter, 0);
    EXPECT_EQ(block->Bytes().size(), 40u + 4 * layout.colours);

    const std::vector<std::uint8_t> fileHeader = BuildFileHeader(*block);
    ASSERT_EQ(fileHeader.size(), 14u);
    const BmpFile parsed{fileHeader};
    EXPECT_EQ(parsed.U16(0), 0x4D42u);
    EXPECT_EQ(parsed.U32(2), layout.fileSize);
    EXPECT_EQ(parsed.U32(6), 0u);
    EXPECT_EQ(parsed.U32(10), layout.pixelOffset);
}

TEST_P(BitmapLayoutTest, FileHoldsHeaderColourTableAndRows)
{
    const LayoutCase& layout = GetParam();
    TestSection section = MakeSection(layout);
    ASSERT_TRUE(section.bitmap);
    const std::string path = OutputPath(layout.name);
    ASSERT_TRUE(SaveBitmapFile(section.bitmap.get(), path, nullptr));

    const std::optional<BmpFile> file = grabtest::ReadFile(path);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->bytes.size(), layout.fileSize);
    EXPECT_EQ(file->U16(0), 0x4D42u);
    EXPECT_EQ(file->U32(2), layout.fileSize);
    EXPECT_EQ(file->U32(6), 0u);
    EXPECT_EQ(file->U32(10), layout.pixelOffset);
    EXPECT_EQ(file->U32(14), 40u);
    EXPECT_EQ(file->U32(18), static_cast<std::uint32_t>(layout.width));
    EXPECT_EQ(file->U32(22), static_cast<std::uint32_t>(layout.height));
    EXPECT_EQ(file->U16(26), 1u);
    EXPECT_EQ(file->U16(28), static_cast<std::uint32_t>(layout.bitCount));
    EXPECT_EQ(file->U32(30), 0u);
    EXPECT_EQ(file->U32(34), layout.imageSize);
    EXPECT_EQ(file->U32(46), layout.colours);
    EXPECT_EQ(file->U32(50), 0u);
    for (std::uint32_t index = 0; index < layout.colours; ++index)
        EXPECT_EQ(file->U32(54 + 4 * index), section.palette[index]) << "colour " << index;
    const std::vector<std::uint8_t> pixels(file->bytes.begin() + layout.pixelOffset, file->bytes.end());
    EXPECT_EQ(pixels, section.bytes);

    Expectation expectation{layout.width, layout.height, {}};
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x)
            expectation.Pixel(x, y, ExpectedColour(layout, section, x, y));
    }
    EXPECT_TRUE(grabtest::WriteExpectation(path, expectation));
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapLayoutTest, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapFileTest, ReplacesALongerFileOfTheSameName)
{
    const LayoutCase& layout = kLayouts[0];
    const std::string path = OutputPath("replaced");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(300000, 'x');
    }
    TestSection section = MakeSection(layout);
    ASSERT_TRUE(SaveBitmapFile(section.bitmap.get(), path, nullptr));
    const std::optional<BmpFile> file = grabtest::ReadFile(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes.size(), layout.fileSize);
    ::DeleteFileA(path.c_str());
}

TEST(BitmapFileTest, NoBitmapWritesNoFile)
{
    const std::string path = OutputPath("no_bitmap");
    EXPECT_FALSE(BuildBitmapInfo(nullptr));
    EXPECT_FALSE(SaveBitmapFile(nullptr, path, nullptr));
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);

    HBITMAP deleted = ::CreateBitmap(4, 4, 1, 32, nullptr);
    ::DeleteObject(deleted);
    EXPECT_FALSE(BuildBitmapInfo(deleted));
    EXPECT_FALSE(SaveBitmapFile(deleted, path, nullptr));
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BitmapFileTest, FailedPixelReadLeavesAnEarlierFileAlone)
{
    const LayoutCase& layout = kLayouts[0];
    TestSection section = MakeSection(layout);
    std::optional<CBitmapInfoBlock> block = BuildBitmapInfo(section.bitmap.get());
    ASSERT_TRUE(block);
    const std::string path = OutputPath("earlier");
    {
        std::ofstream earlier(path, std::ios::binary);
        earlier << "earlier";
    }
    HBITMAP deleted = ::CreateBitmap(layout.width, layout.height, 1, 24, nullptr);
    ::DeleteObject(deleted);
    const win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    EXPECT_FALSE(WriteBitmapFile(path, *block, deleted, dc.get()));
    const std::optional<BmpFile> file = grabtest::ReadFile(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(std::string(file->bytes.begin(), file->bytes.end()), "earlier");
    ::DeleteFileA(path.c_str());
}

TEST(BitmapFileTest, UnwritablePathLeavesNothing)
{
    const LayoutCase& layout = kLayouts[0];
    TestSection section = MakeSection(layout);
    const std::string path = grabtest::OutputFolder(GRAB_BMP_DIR) + "\\missing folder\\picture.bmp";
    EXPECT_FALSE(SaveBitmapFile(section.bitmap.get(), path, nullptr));
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BitmapFileTest, PlatformBitmapOfAnEmptyGrabIsWrittenAsMonochrome)
{
    // A 0 x 0 compatible bitmap is the platform's 1 x 1 monochrome stock bitmap.
    const win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    HBITMAP stock = ::CreateCompatibleBitmap(dc.get(), 0, 0);
    ASSERT_NE(stock, nullptr);
    const std::string path = OutputPath("empty_grab_mono");
    ASSERT_TRUE(SaveBitmapFile(stock, path, nullptr));
    const std::optional<BmpFile> file = grabtest::ReadFile(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes.size(), 66u);
    EXPECT_EQ(file->U32(10), 62u);
    EXPECT_EQ(file->U16(28), 1u);
    EXPECT_EQ(file->U32(46), 2u);
    Expectation expectation{1, 1, {}};
    EXPECT_TRUE(grabtest::WriteExpectation(path, expectation));
}

} // namespace
