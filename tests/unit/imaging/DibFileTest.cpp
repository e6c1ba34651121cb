#include "imaging/DibFile.h"
#include "imaging/JpegEncoder.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

void PutLe(std::vector<uint8_t>& bytes, std::size_t offset, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[offset + i] = uint8_t(value >> (8 * i));
}

// An 8-bit BMP: 40-byte header, colorsUsed entries (256 when 0), rows of width bytes.
std::vector<uint8_t> PalettedBmp(int width, int height, uint32_t colorsUsed)
{
    const uint32_t entries = colorsUsed == 0 ? 256 : colorsUsed;
    const uint32_t stride = (uint32_t(width) + 3) & ~3u;
    const uint32_t offset = 54 + 4 * entries;
    std::vector<uint8_t> bytes(offset + stride * height, 0);
    bytes[0] = 'B', bytes[1] = 'M';
    PutLe(bytes, 2, uint32_t(bytes.size()), 4);
    PutLe(bytes, 10, offset, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, uint32_t(width), 4);
    PutLe(bytes, 22, uint32_t(height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 8, 2);
    PutLe(bytes, 46, colorsUsed, 4);
    for (uint32_t i = 0; i < entries; ++i) {
        bytes[54 + 4 * i] = uint8_t(i);           // blue
        bytes[54 + 4 * i + 1] = uint8_t(255 - i); // green
        bytes[54 + 4 * i + 2] = uint8_t(i / 2);   // red
    }
    return bytes;
}

class DibFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = TempPath(name);
        WriteBytes(path, bytes);
        m_paths.push_back(path);
        return path;
    }
    std::string Target(const std::string& name)
    {
        m_paths.push_back(TempPath(name));
        return m_paths.back();
    }
    void TearDown() override
    {
        for (const std::string& path : m_paths)
            std::remove(path.c_str());
    }

private:
    std::vector<std::string> m_paths;
};

TEST_F(DibFileTest, TwentyFourBitFileLoadsWithRowsBehindTheHeader)
{
    const SPicture picture = MakePicture(320, 240, EPattern::Photo);
    CDibFile dib;
    ASSERT_TRUE(dib.LoadFile(Write("a.bmp", BmpFileBytes(picture)).c_str()));
    EXPECT_EQ(dib.Width(), 320);
    EXPECT_EQ(dib.Height(), 240);
    EXPECT_EQ(dib.ColorCount(), 0);
    EXPECT_EQ(dib.Size(), 40 + 240 * 960);
    EXPECT_EQ(dib.Bits(), dib.Data() + 40);
    EXPECT_TRUE(dib.Palette().empty());
    EXPECT_TRUE(std::equal(picture.bits.begin(), picture.bits.end(), dib.Bits()));
}

TEST_F(DibFileTest, EightBitFileGetsItsPalette)
{
    struct SCase {
        uint32_t colorsUsed;
        int32_t expectedCount;
    };
    for (const SCase c : {SCase{0, 256}, SCase{16, 16}, SCase{2, 2}}) {
        CDibFile dib;
        ASSERT_TRUE(dib.LoadFile(Write("p.bmp", PalettedBmp(5, 3, c.colorsUsed)).c_str()));
        EXPECT_EQ(dib.ColorCount(), c.expectedCount);
        ASSERT_EQ(dib.Palette().size(), std::size_t(c.expectedCount));
        const CDibFile::SPaletteEntry last = dib.Palette().back();
        const int i = c.expectedCount - 1;
        EXPECT_EQ(last.red, uint8_t(i / 2));
        EXPECT_EQ(last.green, uint8_t(255 - i));
        EXPECT_EQ(last.blue, uint8_t(i));
        EXPECT_EQ(last.flags, 0);
        EXPECT_EQ(dib.Bits(), dib.ColorTable() + 4 * c.expectedCount);
    }
}

TEST_F(DibFileTest, DamagedFilesAreRejected)
{
    const std::vector<uint8_t> good = BmpFileBytes(MakePicture(10, 10, EPattern::Photo));
    struct SCase {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<SCase> cases = {
        {"empty", {}},
        {"13 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 13)},
        {"file header only", std::vector<uint8_t>(good.begin(), good.begin() + 14)},
        {"header cut", std::vector<uint8_t>(good.begin(), good.begin() + 40)},
        {"last row cut", std::vector<uint8_t>(good.begin(), good.end() - 1)},
    };
    std::vector<uint8_t> wrongType = good;
    wrongType[0] = 'M', wrongType[1] = 'B';
    cases.push_back({"not BM", wrongType});
    std::vector<uint8_t> tall = good;
    PutLe(tall, 22, 11, 4);
    cases.push_back({"more rows than stored", tall});
    std::vector<uint8_t> huge = good;
    PutLe(huge, 18, 0x7FFFFFFF, 4);
    cases.push_back({"huge width", huge});
    std::vector<uint8_t> palette = PalettedBmp(4, 4, 0);
    PutLe(palette, 46, 0x40000000, 4);
    cases.push_back({"colour table past the end", palette});
    std::vector<uint8_t> smallHeader = good;
    PutLe(smallHeader, 14, 12, 4);
    cases.push_back({"header size below 40", smallHeader});
    for (const SCase& c : cases) {
        CDibFile dib;
        EXPECT_FALSE(dib.LoadFile(Write("bad.bmp", c.bytes).c_str())) << c.what;
        EXPECT_FALSE(dib.IsLoaded()) << c.what;
    }
    CDibFile dib;
    EXPECT_FALSE(dib.LoadFile(TempPath("does-not-exist.bmp").c_str()));
}

TEST_F(DibFileTest, RejectedFileKeepsThePreviousBitmap)
{
    CDibFile dib;
    ASSERT_TRUE(dib.LoadFile(Write("keep.bmp", BmpFileBytes(MakePicture(12, 9, EPattern::Edges))).c_str()));
    EXPECT_FALSE(dib.LoadFile(Write("short.bmp", {'B', 'M', 0}).c_str()));
    EXPECT_EQ(dib.Width(), 12);
    EXPECT_EQ(dib.Height(), 9);
}

TEST_F(DibFileTest, SaveWritesExactlyTheEncoderOutput)
{
    for (const SPicture& picture : {MakePicture(33, 21, EPattern::Photo), MakePicture(64, 64, EPattern::Noise)}) {
        CDibFile dib;
        ASSERT_TRUE(dib.LoadFile(Write("in.bmp", BmpFileBytes(picture)).c_str()));
        const std::string target = Target("out.jpg");
        EXPECT_EQ(dib.SaveAsJpeg(target.c_str(), 100), EJpegSaveResult::Saved);
        EXPECT_EQ(ReadBytes(target), EncodeToVector(picture, 100));
    }
}

TEST_F(DibFileTest, PictureLargerThanItsBitmapIsNotLost)
{
    // The 623 header bytes alone outgrow a small bitmap, and noise at full
    // quality outgrows the pixels of a single MCU.
    for (const SPicture& picture :
         {MakeGrey(1, 1, 7), MakePicture(16, 16, EPattern::Noise, 5), MakePicture(31, 3, EPattern::Edges)}) {
        CDibFile dib;
        ASSERT_TRUE(dib.LoadFile(Write("small.bmp", BmpFileBytes(picture)).c_str()));
        const std::string target = Target("small.jpg");
        ASSERT_EQ(dib.SaveAsJpeg(target.c_str(), 100), EJpegSaveResult::Saved);
        const std::vector<uint8_t> jpeg = ReadBytes(target);
        EXPECT_GT(jpeg.size(), std::size_t(dib.Size()));
        EXPECT_EQ(jpeg, EncodeToVector(picture, 100));
    }
}

TEST_F(DibFileTest, ExistingJpegIsReplaced)
{
    const std::string target = Target("replace.jpg");
    WriteBytes(target, std::vector<uint8_t>(100000, 0x55));
    CDibFile dib;
    const SPicture picture = MakeGrey(16, 16, 128);
    ASSERT_TRUE(dib.LoadFile(Write("grey.bmp", BmpFileBytes(picture)).c_str()));
    EXPECT_EQ(dib.SaveAsJpeg(target.c_str(), 100), EJpegSaveResult::Saved);
    EXPECT_EQ(ReadBytes(target).size(), 629u);
}

TEST_F(DibFileTest, UnsupportedBitmapsLeaveNoFile)
{
    std::vector<uint8_t> topDown = BmpFileBytes(MakePicture(8, 8, EPattern::Photo));
    PutLe(topDown, 22, uint32_t(-8), 4);
    for (const std::vector<uint8_t>& bytes : {PalettedBmp(8, 8, 0), topDown}) {
        CDibFile dib;
        ASSERT_TRUE(dib.LoadFile(Write("odd.bmp", bytes).c_str()));
        const std::string target = Target("odd.jpg");
        std::remove(target.c_str());
        EXPECT_EQ(dib.SaveAsJpeg(target.c_str(), 100), EJpegSaveResult::UnsupportedBitmap);
        EXPECT_FALSE(FileExists(target));
    }
}

TEST_F(DibFileTest, UnsupportedBitmapLeavesAnExistingFileAlone)
{
    const std::string target = Target("kept.jpg");
    WriteBytes(target, {1, 2, 3});
    CDibFile dib;
    ASSERT_TRUE(dib.LoadFile(Write("p8.bmp", PalettedBmp(4, 4, 16)).c_str()));
    EXPECT_EQ(dib.SaveAsJpeg(target.c_str(), 100), EJpegSaveResult::UnsupportedBitmap);
    EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(DibFileTest, TargetInAMissingFolderCannotBeCreated)
{
    CDibFile dib;
    ASSERT_TRUE(dib.LoadFile(Write("c.bmp", BmpFileBytes(MakeGrey(4, 4, 9))).c_str()));
    const std::string target = TempPath("no-such-folder") + "/x.jpg";
    EXPECT_EQ(dib.SaveAsJpeg(target.c_str(), 100), EJpegSaveResult::CannotCreateFile);
}

TEST_F(DibFileTest, BandReaderWritesTheSameFileAndLeavesEveryOtherFileToTheLoader)
{
    for (const SPicture& picture : {MakePicture(333, 45, EPattern::Photo), MakeGrey(1, 1, 7)}) {
        const std::string target = Target("bands.jpg");
        const std::optional<EJpegSaveResult> saved =
            SaveBitmapFileAsJpegInBands(Write("bands.bmp", BmpFileBytes(picture)).c_str(), target.c_str(), 100);
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(*saved, EJpegSaveResult::Saved);
        EXPECT_EQ(ReadBytes(target), EncodeToVector(picture, 100));
    }
    std::vector<uint8_t> topDown = BmpFileBytes(MakePicture(8, 8, EPattern::Photo));
    PutLe(topDown, 22, uint32_t(-8), 4);
    std::vector<uint8_t> cut = BmpFileBytes(MakePicture(20, 20, EPattern::Photo));
    cut.resize(cut.size() - 1);
    std::vector<uint8_t> notBm = BmpFileBytes(MakeGrey(4, 4, 9));
    notBm[1] = 'X';
    for (const std::vector<uint8_t>& bytes :
         {PalettedBmp(8, 8, 0), topDown, cut, notBm, std::vector<uint8_t>{'B', 'M'}}) {
        const std::string target = Target("other.jpg");
        std::remove(target.c_str());
        EXPECT_FALSE(SaveBitmapFileAsJpegInBands(Write("other.bmp", bytes).c_str(), target.c_str(), 100));
        EXPECT_FALSE(FileExists(target));
    }
}

TEST_F(DibFileTest, NothingLoadedSavesNothing)
{
    CDibFile dib;
    const std::string target = Target("none.jpg");
    EXPECT_EQ(dib.SaveAsJpeg(target.c_str(), 100), EJpegSaveResult::NothingLoaded);
    EXPECT_FALSE(FileExists(target));
}

} // namespace
