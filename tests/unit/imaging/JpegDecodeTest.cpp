// Our pictures decoded by tools we did not write (djpeg, ImageMagick).
#include "imaging/DibFile.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

namespace {

struct SDecoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top-down, red first
    std::string warnings;
};

SDecoded ReadPpm(const std::string& path)
{
    SDecoded decoded;
    const std::vector<uint8_t> bytes = ReadBytes(path);
    std::istringstream header(std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 64)));
    std::string magic;
    int maximum = 0;
    header >> magic >> decoded.width >> decoded.height >> maximum;
    const std::size_t pixels = std::size_t(decoded.width) * decoded.height * 3;
    const std::size_t start = std::size_t(header.tellg()) + 1;
    if (magic != "P6" || maximum != 255 || bytes.size() != start + pixels)
        return decoded;
    decoded.rgb.assign(bytes.begin() + start, bytes.end());
    decoded.ok = true;
    return decoded;
}

SDecoded Decode(const std::string& jpegPath, const char* tool)
{
    const std::string ppm = jpegPath + ".ppm", errors = jpegPath + ".err";
    const std::string command = std::string(tool) == "djpeg"
                                    ? "djpeg -pnm -outfile '" + ppm + "' '" + jpegPath + "' 2>'" + errors + "'"
                                    : "/usr/bin/convert '" + jpegPath + "' 'ppm:" + ppm + "' 2>'" + errors + "'";
    SDecoded decoded;
    if (std::system(command.c_str()) == 0)
        decoded = ReadPpm(ppm);
    const std::vector<uint8_t> warnings = ReadBytes(errors);
    decoded.warnings.assign(warnings.begin(), warnings.end());
    std::remove(ppm.c_str());
    std::remove(errors.c_str());
    return decoded;
}

struct SQualityCase {
    EPattern pattern;
    uint16_t quality;
    double minimumPsnr;
};

// Bounds measured on these pictures with a margin. Chroma is taken from one
// pixel of each 2 x 2 group, so sharp colour edges stay far below what edges
// in luminance alone reach.
const SQualityCase kQualityCases[] = {
    {EPattern::Photo, 100, 44.0}, {EPattern::Photo, 75, 39.0},      {EPattern::Edges, 100, 15.0},
    {EPattern::Edges, 75, 15.0},  {EPattern::GreyEdges, 100, 36.0}, {EPattern::GreyEdges, 75, 30.0},
};

const char* PatternName(EPattern pattern)
{
    return pattern == EPattern::Photo ? "photo" : pattern == EPattern::Edges ? "colour edges" : "grey edges";
}

struct SSize {
    int width, height;
};
const SSize kSizes[] = {{1, 1}, {16, 16}, {17, 17}, {5, 3}, {37, 29}, {320, 240}, {640, 480}};

TEST(JpegDecode, DecodersReadEveryPictureAtItsSizeAndCloseToTheInput)
{
    const std::string path = TempPath("decode.jpg");
    for (const char* tool : {"djpeg", "convert"})
        for (const SQualityCase& c : kQualityCases)
            for (const SSize size : kSizes) {
                const SPicture picture = MakePicture(size.width, size.height, c.pattern, 11);
                WriteBytes(path, EncodeToVector(picture, c.quality));
                const SDecoded decoded = Decode(path, tool);
                SCOPED_TRACE(std::string(tool) + " " + std::to_string(size.width) + "x" + std::to_string(size.height) +
                             " q" + std::to_string(c.quality) + " " + PatternName(c.pattern));
                ASSERT_TRUE(decoded.ok);
                EXPECT_EQ(decoded.warnings, "");
                EXPECT_EQ(decoded.width, size.width);
                EXPECT_EQ(decoded.height, size.height);
                const double psnr = Psnr(picture, decoded.rgb);
                EXPECT_GE(psnr, c.minimumPsnr);
                if (std::getenv("TAVRELIN_SHOW_PSNR"))
                    std::printf("PSNR %-7s %4dx%-4d q%-3d %-12s %.2f dB\n", tool, size.width, size.height, c.quality,
                                PatternName(c.pattern), psnr);
            }
    std::remove(path.c_str());
}

TEST(JpegDecode, NoiseAndGreyDecodeWithoutWarnings)
{
    const std::string path = TempPath("noise.jpg");
    for (uint16_t quality : {0, 50, 100})
        for (const SPicture& picture : {MakePicture(64, 48, EPattern::Noise, 3), MakeGrey(16, 16, 128)}) {
            WriteBytes(path, EncodeToVector(picture, quality));
            const SDecoded decoded = Decode(path, "djpeg");
            ASSERT_TRUE(decoded.ok);
            EXPECT_EQ(decoded.warnings, "");
            EXPECT_EQ(decoded.width, picture.width);
        }
    std::remove(path.c_str());
}

TEST(JpegDecode, ExtremeCoefficientStillDecodes)
{
    const SPicture picture = ExtremeCoefficientPicture();
    const std::string path = TempPath("extreme.jpg");
    WriteBytes(path, EncodeToVector(picture, 100));
    const SDecoded decoded = Decode(path, "djpeg");
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.warnings, "");
    EXPECT_GE(Psnr(picture, decoded.rgb), 30.0);
    std::remove(path.c_str());
}

TEST(JpegDecode, BitmapWrittenByImageMagickConvertsFaithfully)
{
    // ImageMagick writes a larger (V5) info header: the rows are found by the
    // file header's offset, not right behind a 40-byte header.
    const SPicture picture = MakePicture(50, 30, EPattern::Photo, 2);
    const std::string jpegIn = TempPath("im.jpg"), bmp = TempPath("im.bmp"), jpegOut = TempPath("im-out.jpg");
    const std::string ppm = TempPath("im.ppm");
    std::vector<uint8_t> ppmBytes;
    const std::string header = "P6\n50 30\n255\n";
    ppmBytes.assign(header.begin(), header.end());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            for (int c = 2; c >= 0; --c)
                ppmBytes.push_back(picture.At(x, y)[c]);
    WriteBytes(ppm, ppmBytes);
    ASSERT_EQ(std::system(("/usr/bin/convert '" + ppm + "' 'BMP3:" + bmp + "' && /usr/bin/convert '" + ppm +
                           "' 'BMP:" + bmp + ".v5.bmp'")
                              .c_str()),
              0);
    for (const std::string& source : {bmp, bmp + ".v5.bmp"}) {
        CDibFile dib;
        ASSERT_TRUE(dib.LoadFile(source.c_str())) << source;
        ASSERT_EQ(dib.SaveAsJpeg(jpegOut.c_str(), 100), EJpegSaveResult::Saved);
        EXPECT_EQ(ReadBytes(jpegOut), EncodeToVector(picture, 100)) << source;
    }
    for (const std::string& path : {jpegIn, bmp, bmp + ".v5.bmp", jpegOut, ppm})
        std::remove(path.c_str());
}

#ifdef TAVRELIN_BMP2JPG
int RunTool(const std::string& arguments)
{
    const int status = std::system((std::string(TAVRELIN_BMP2JPG) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Bmp2Jpg, ConvertsLikeTheWriterAndReportsFailures)
{
    const SPicture picture = MakePicture(45, 20, EPattern::Edges, 4);
    const std::string bmp = TempPath("tool.bmp"), jpeg = TempPath("tool.jpg");
    WriteBytes(bmp, BmpFileBytes(picture));
    EXPECT_EQ(RunTool("'" + bmp + "' '" + jpeg + "'"), 0);
    EXPECT_EQ(ReadBytes(jpeg), EncodeToVector(picture, 100));
    EXPECT_EQ(RunTool("'" + bmp + "' '" + jpeg + "' 60"), 0);
    EXPECT_EQ(ReadBytes(jpeg), EncodeToVector(picture, 60));
    EXPECT_EQ(RunTool("'" + bmp + "'"), 2);
    EXPECT_EQ(RunTool("'" + bmp + "' '" + jpeg + "' high"), 2);
    EXPECT_EQ(RunTool("'" + jpeg + "' '" + jpeg + ".2'"), 1);
    EXPECT_EQ(RunTool("'" + bmp + "' '" + TempPath("missing-folder") + "/x.jpg'"), 4);
    std::remove(bmp.c_str());
    std::remove(jpeg.c_str());
}
#endif

} // namespace
