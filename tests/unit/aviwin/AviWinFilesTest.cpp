// Writes the files that the native checks decode with ffmpeg: the same
// frames through our Motion-JPEG codec and as full frames, their pixels as
// raw rows, and Motion-JPEG files of several frame periods.

#include "aviwin/AviFileWriter.h"
#include "AviWinTestSupport.h"
#include "CaptureTestFiles.h"
#include "aviwin/MotionJpegCodec.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 162;
constexpr int kHeight = 120;
constexpr int kFrameCount = 10;

class AviWinFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallMotionJpegCompressor()); }

    // Chooses the entry in the dialog and appends every test frame.
    void WriteThroughDialog(const std::string& name, const wchar_t* pszEntry)
    {
        const std::string path = OutputFolder() + name;
        auto pWriter = m_writer.AviOpen(path.c_str(), 100, nullptr);
        ASSERT_TRUE(pWriter) << path;
        const CFrameBitmap first(kWidth, kHeight, 0);
        AVICOMPRESSOPTIONS options{};
        options.fccHandler = mmioFOURCC('d', 'i', 'v', 'x');
        CCompressorDialogDriver driver(pszEntry, IDOK);
        ASSERT_EQ(m_writer.AviConfigureVideo(pWriter.get(), first.Handle(), &options, TRUE, nullptr), AVIERR_OK);
        ASSERT_TRUE(driver.Observation().bFound);
        for (int frameNumber = 0; frameNumber < kFrameCount; ++frameNumber) {
            const CFrameBitmap bitmap(kWidth, kHeight, frameNumber);
            ASSERT_EQ(m_writer.AviAppendFrame(pWriter.get(), bitmap.Handle()), AVIERR_OK);
        }
        ASSERT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
    }

    CAviFileWriter m_writer;
};

} // namespace

TEST_F(AviWinFilesTest, SameFramesThroughBothDialogChoices)
{
    WriteThroughDialog("motion-jpeg.avi", kMotionJpegEntry);
    WriteThroughDialog("full-frames.avi", kFullFramesEntry);
    std::vector<std::uint8_t> pixels;
    for (int frameNumber = 0; frameNumber < kFrameCount; ++frameNumber) {
        const std::vector<std::uint8_t> frame = CFrameBitmap(kWidth, kHeight, frameNumber).TopDownPixels();
        pixels.insert(pixels.end(), frame.begin(), frame.end());
    }
    WriteFileBytes(OutputFolder() + "frames.bgr", pixels);
}

TEST_F(AviWinFilesTest, MotionJpegFilesOfSeveralFramePeriods)
{
    for (const LONG framePeriod : {30, 120, 210}) {
        const std::string path = OutputFolder() + "period-" + std::to_string(framePeriod) + ".avi";
        auto pWriter = m_writer.AviOpen(path.c_str(), framePeriod, nullptr);
        ASSERT_TRUE(pWriter);
        AVICOMPRESSOPTIONS options{};
        options.fccHandler = kFourccMotionJpeg;
        for (int frameNumber = 0; frameNumber < 3; ++frameNumber) {
            const CFrameBitmap bitmap(kWidth, kHeight, frameNumber);
            if (frameNumber == 0) {
                ASSERT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, FALSE, nullptr),
                          AVIERR_OK);
            }
            ASSERT_EQ(m_writer.AviAppendFrame(pWriter.get(), bitmap.Handle()), AVIERR_OK);
        }
        ASSERT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
    }
}
