// Our own compressor dialog, shown where the platform's does not list codecs
// installed for one process: same caption, same list, same choices.

#include "AviProbe.h"
#include "avi/AviStreamWriter.h"
#include "AviWinTestSupport.h"
#include "CaptureTestFiles.h"
#include "aviwin/CompressorDialog.h"
#include "aviwin/DibSection.h"
#include "aviwin/MotionJpegCodec.h"
#include "aviwin/VcmCompressor.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

struct OwnDialogCase {
    const char* name;
    std::uint32_t preset;
    const wchar_t* pszEntry; // empty: keep the preselection
    int button;
    HRESULT expectedResult;
    std::uint32_t expectedHandler; // in the options and the stream header
};

class OwnCompressorDialogTest : public ::testing::TestWithParam<OwnDialogCase> {
protected:
    void SetUp() override { ASSERT_TRUE(InstallMotionJpegCompressor()); }

    CTestFolder m_folder;
};

} // namespace

TEST_P(OwnCompressorDialogTest, ChoiceReachesTheWriter)
{
    const OwnDialogCase& testCase = GetParam();
    const std::string path = m_folder.Path("own.avi");
    auto pWriter = AviOpen(path.c_str(), 100, nullptr, MakePlatformCompressorFactory());
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    const std::optional<DibFrame> frame = DibFrameFromBitmap(bitmap.Handle());
    ASSERT_TRUE(frame);
    AviCompressOptions options;
    options.fccHandler = testCase.preset;
    CCompressorDialogDriver driver(testCase.pszEntry, testCase.button);
    const CompressorChooser chooser = MakeCompressorDialogChooser(nullptr, frame->header, ECompressorDialog::own);
    EXPECT_EQ(AviConfigureVideo(pWriter.get(), &*frame, &options, chooser), testCase.expectedResult);

    const DialogObservation& seen = driver.Observation();
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ(seen.caption, L"Video Compression");
    ASSERT_GE(seen.entries.size(), 2u);
    EXPECT_EQ(seen.entries.front(), kFullFramesEntry);
    EXPECT_NE(std::find(seen.entries.begin(), seen.entries.end(), kMotionJpegEntry), seen.entries.end());
    for (const std::wstring& refusing : CodecsRefusingFrames(kWidth, kHeight))
        EXPECT_EQ(std::find(seen.entries.begin(), seen.entries.end(), refusing), seen.entries.end()) << "offered";
    if (testCase.preset == kFourccMotionJpeg)
        EXPECT_EQ(seen.initialSelection, kMotionJpegEntry);
    if (testCase.expectedResult != AVIERR_OK) {
        EXPECT_EQ(AviAppendFrame(pWriter.get(), &*frame), AVIERR_ERROR);
        EXPECT_EQ(AviClose(std::move(pWriter)), AVIERR_OK);
        return;
    }
    EXPECT_EQ(options.fccHandler, testCase.expectedHandler);
    ASSERT_EQ(AviAppendFrame(pWriter.get(), &*frame), AVIERR_OK);
    ASSERT_EQ(AviClose(std::move(pWriter)), AVIERR_OK);
    const ProbedAvi probed = ProbeAvi(path);
    ASSERT_FALSE(probed.streams.empty());
    EXPECT_EQ(ReadLe32(probed.streams.front().format, 16),
              testCase.expectedHandler == kFourccDib ? 0u : testCase.expectedHandler);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, OwnCompressorDialogTest,
    ::testing::Values(OwnDialogCase{"MotionJpeg", mmioFOURCC('d', 'i', 'v', 'x'), kMotionJpegEntry, IDOK, AVIERR_OK,
                                    kFourccMotionJpeg},
                      OwnDialogCase{"FullFrames", kFourccMotionJpeg, kFullFramesEntry, IDOK, AVIERR_OK, kFourccDib},
                      OwnDialogCase{"PresetKept", kFourccMotionJpeg, L"", IDOK, AVIERR_OK, kFourccMotionJpeg},
                      OwnDialogCase{"NoPresetIsFullFrames", 0, L"", IDOK, AVIERR_OK, kFourccDib},
                      OwnDialogCase{"Cancel", kFourccMotionJpeg, kMotionJpegEntry, IDCANCEL, AVIERR_USERABORT, 0}),
    [](const auto& info) { return std::string(info.param.name); });
