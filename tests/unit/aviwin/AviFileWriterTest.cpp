// The AVI writer on Windows: bitmap sections as frames, the compressor
// dialog on the first frame and the platform's codecs.

#include "aviwin/AviFileWriter.h"
#include "AviProbe.h"
#include "AviWinTestSupport.h"
#include "CaptureTestFiles.h"
#include "aviwin/MotionJpegCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kWidth = 162;
constexpr int kHeight = 120;

std::uint32_t FormatCompression(const ProbedStream& stream)
{
    return stream.format.size() >= 20 ? ReadLe32(stream.format, 16) : 0xFFFFFFFFu;
}

AVICOMPRESSOPTIONS OptionsFor(DWORD fccHandler, DWORD dwQuality = 0)
{
    AVICOMPRESSOPTIONS options{};
    options.fccType = streamtypeVIDEO;
    options.fccHandler = fccHandler;
    options.dwQuality = dwQuality;
    return options;
}

HBITMAP ScreenCompatibleBitmap(win::UniqueBitmap& holder)
{
    const HDC hScreen = ::GetDC(nullptr);
    holder.reset(::CreateCompatibleBitmap(hScreen, kWidth, kHeight));
    ::ReleaseDC(nullptr, hScreen);
    return holder.get();
}

class AviFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallMotionJpegCompressor()); }

    std::unique_ptr<AviWriter> Open(const std::string& name, LONG framePeriod = 100)
    {
        m_path = m_folder.Path(name);
        return m_writer.AviOpen(m_path.c_str(), framePeriod, nullptr);
    }

    void AppendFrames(AviWriter* pWriter, int count)
    {
        for (int frameNumber = 0; frameNumber < count; ++frameNumber) {
            const CFrameBitmap bitmap(kWidth, kHeight, frameNumber);
            ASSERT_EQ(m_writer.AviAppendFrame(pWriter, bitmap.Handle()), AVIERR_OK);
        }
    }

    ProbedStream CloseAndProbeVideo(std::unique_ptr<AviWriter> pWriter)
    {
        EXPECT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
        const ProbedAvi probed = ProbeAvi(m_path);
        EXPECT_TRUE(probed.bValid);
        return probed.streams.empty() ? ProbedStream{} : probed.streams.front();
    }

    // Appends frames, closes the file and checks its video codec.
    void ExpectCodecAfterFrames(std::unique_ptr<AviWriter> pWriter, int frames, const char* pszHandler,
                                std::uint32_t compression)
    {
        AppendFrames(pWriter.get(), frames);
        const ProbedStream video = CloseAndProbeVideo(std::move(pWriter));
        EXPECT_EQ(video.handler, pszHandler);
        EXPECT_EQ(FormatCompression(video), compression);
        EXPECT_EQ(video.length, static_cast<std::uint32_t>(frames));
    }

    CTestFolder m_folder;
    CAviFileWriter m_writer;
    std::string m_path;
};

} // namespace

TEST_F(AviFileWriterTest, WithoutWriterEveryCallIsBadHandle)
{
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    AVICOMPRESSOPTIONS options = OptionsFor(kFourccDib);
    EXPECT_EQ(m_writer.AviConfigureVideo(nullptr, bitmap.Handle(), &options, FALSE, nullptr), AVIERR_BADHANDLE);
    EXPECT_EQ(m_writer.AviAppendFrame(nullptr, bitmap.Handle()), AVIERR_BADHANDLE);
    EXPECT_EQ(m_writer.AviAppendWaveFile(nullptr, "x.wav"), AVIERR_BADHANDLE);
    EXPECT_EQ(m_writer.AviClose(nullptr), AVIERR_BADHANDLE);
}

TEST_F(AviFileWriterTest, FramesWithoutConfigurationAreStoredUncompressed)
{
    auto pWriter = Open("plain.avi");
    ASSERT_TRUE(pWriter);
    ExpectCodecAfterFrames(std::move(pWriter), 3, "DIB ", kBiRgb);
}

TEST_F(AviFileWriterTest, ConfiguringTwiceKeepsTheFirstChoice)
{
    auto pWriter = Open("twice.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    AVICOMPRESSOPTIONS motionJpeg = OptionsFor(kFourccMotionJpeg);
    AVICOMPRESSOPTIONS plain = OptionsFor(kFourccDib);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &motionJpeg, FALSE, nullptr), AVIERR_OK);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &plain, FALSE, nullptr), AVIERR_COMPRESSOR);
    ExpectCodecAfterFrames(std::move(pWriter), 2, "MJPG", kFourccMotionJpeg);
}

TEST_F(AviFileWriterTest, DeviceDependentBitmapIsRefusedWithoutHarm)
{
    auto pWriter = Open("ddb.avi");
    ASSERT_TRUE(pWriter);
    win::UniqueBitmap deviceBitmap;
    AVICOMPRESSOPTIONS options = OptionsFor(kFourccMotionJpeg);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), ScreenCompatibleBitmap(deviceBitmap), &options, FALSE, nullptr),
              AVIERR_BADPARAM);
    EXPECT_EQ(m_writer.AviAppendFrame(pWriter.get(), deviceBitmap.get()), AVIERR_BADPARAM);
    const HDC hScreen = ::GetDC(nullptr);
    const win::UniqueBitmap emptyGrab(::CreateCompatibleBitmap(hScreen, 0, 0));
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(m_writer.AviAppendFrame(pWriter.get(), emptyGrab.get()), AVIERR_BADPARAM);
    EXPECT_EQ(m_writer.AviAppendFrame(pWriter.get(), nullptr), AVIERR_BADPARAM);
    // Nothing was spoilt: the writer still takes its configuration and frames.
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, FALSE, nullptr), AVIERR_OK);
    AppendFrames(pWriter.get(), 1);
    EXPECT_EQ(CloseAndProbeVideo(std::move(pWriter)).length, 1u);
}

TEST_F(AviFileWriterTest, CodecThatIsNotInstalledFailsTheWriter)
{
    auto pWriter = Open("missing.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    AVICOMPRESSOPTIONS options = OptionsFor(mmioFOURCC('z', 'z', 'z', 'z'));
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, FALSE, nullptr),
              AVIERR_NOCOMPRESSOR);
    EXPECT_EQ(m_writer.AviAppendFrame(pWriter.get(), bitmap.Handle()), AVIERR_ERROR);
    EXPECT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
}

TEST_F(AviFileWriterTest, LowerQualityGivesSmallerFrames)
{
    std::uint64_t bytes[2] = {};
    const DWORD qualities[2] = {0, 2500};
    for (int index = 0; index < 2; ++index) {
        auto pWriter = Open("quality" + std::to_string(index) + ".avi");
        ASSERT_TRUE(pWriter);
        const CFrameBitmap bitmap(kWidth, kHeight, 0);
        AVICOMPRESSOPTIONS options = OptionsFor(kFourccMotionJpeg, qualities[index]);
        ASSERT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, FALSE, nullptr), AVIERR_OK);
        AppendFrames(pWriter.get(), 1);
        ASSERT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
        const ProbedAvi probed = ProbeAvi(m_path);
        ASSERT_EQ(probed.samples.size(), 1u);
        bytes[index] = probed.samples[0].size;
    }
    EXPECT_LT(bytes[1] * 3, bytes[0] * 2) << "quality 25 against the default of 100";
}

class AviCompressorDialogTest : public AviFileWriterTest {};

TEST_F(AviCompressorDialogTest, DialogListsFullFramesAndOurCodec)
{
    auto pWriter = Open("listed.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    AVICOMPRESSOPTIONS options = OptionsFor(mmioFOURCC('d', 'i', 'v', 'x'));
    CCompressorDialogDriver driver(kMotionJpegEntry, IDOK);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, TRUE, nullptr), AVIERR_OK);
    const DialogObservation& seen = driver.Observation();
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ(seen.caption, L"Video Compression");
    ASSERT_FALSE(seen.entries.empty());
    EXPECT_EQ(seen.entries.front(), kFullFramesEntry);
    EXPECT_NE(std::find(seen.entries.begin(), seen.entries.end(), kMotionJpegEntry), seen.entries.end());
    EXPECT_EQ(options.fccHandler, kFourccMotionJpeg) << "the options receive the choice";
    ExpectCodecAfterFrames(std::move(pWriter), 2, "MJPG", kFourccMotionJpeg);
}

TEST_F(AviCompressorDialogTest, CodecsThatCannotTakeTheFramesAreNotOffered)
{
    const std::vector<std::wstring> refusing = CodecsRefusingFrames(kWidth, kHeight);
    auto pWriter = Open("offered.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    CCompressorDialogDriver driver(L"", IDCANCEL);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), nullptr, TRUE, nullptr), AVIERR_USERABORT);
    const DialogObservation& seen = driver.Observation();
    ASSERT_TRUE(seen.bFound);
    for (const std::wstring& description : refusing) {
        EXPECT_EQ(std::find(seen.entries.begin(), seen.entries.end(), description), seen.entries.end())
            << "offered a codec that fails on these frames";
    }
    EXPECT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
}

TEST_F(AviCompressorDialogTest, PresetCodecIsPreselected)
{
    auto pWriter = Open("preset.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    AVICOMPRESSOPTIONS options = OptionsFor(kFourccMotionJpeg);
    CCompressorDialogDriver driver(L"", IDOK);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, TRUE, nullptr), AVIERR_OK);
    EXPECT_EQ(driver.Observation().initialSelection, kMotionJpegEntry);
    EXPECT_EQ(options.fccHandler, kFourccMotionJpeg);
    EXPECT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
}

TEST_F(AviCompressorDialogTest, FullFramesGiveUncompressedFrames)
{
    auto pWriter = Open("full.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    AVICOMPRESSOPTIONS options = OptionsFor(kFourccMotionJpeg);
    CCompressorDialogDriver driver(kFullFramesEntry, IDOK);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, TRUE, nullptr), AVIERR_OK);
    EXPECT_EQ(options.fccHandler, kFourccDib);
    ExpectCodecAfterFrames(std::move(pWriter), 2, "DIB ", kBiRgb);
}

TEST_F(AviCompressorDialogTest, CancelAbortsAndEveryLaterCallIsRefused)
{
    auto pWriter = Open("cancel.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    CCompressorDialogDriver driver(kMotionJpegEntry, IDCANCEL);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), nullptr, TRUE, nullptr), AVIERR_USERABORT);
    ASSERT_TRUE(driver.Observation().bFound);
    EXPECT_EQ(m_writer.AviAppendFrame(pWriter.get(), bitmap.Handle()), AVIERR_ERROR);
    AVICOMPRESSOPTIONS options = OptionsFor(kFourccDib);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), &options, FALSE, nullptr), AVIERR_ERROR);
    const std::string wave = m_folder.Path("sound.wav");
    WriteFileBytes(wave, CanonicalWave(PcmFormat(1, 8000, 16), TestSamples(800)));
    EXPECT_EQ(m_writer.AviAppendWaveFile(pWriter.get(), wave.c_str()), AVIERR_ERROR);
    EXPECT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
}

TEST_F(AviCompressorDialogTest, DialogHasTheParentWindowAsOwner)
{
    const HWND hParent =
        ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hParent, nullptr);
    auto pWriter = Open("owner.avi");
    ASSERT_TRUE(pWriter);
    const CFrameBitmap bitmap(kWidth, kHeight, 0);
    CCompressorDialogDriver driver(L"", IDCANCEL);
    EXPECT_EQ(m_writer.AviConfigureVideo(pWriter.get(), bitmap.Handle(), nullptr, TRUE, hParent), AVIERR_USERABORT);
    EXPECT_EQ(driver.Observation().hOwner, hParent);
    EXPECT_EQ(m_writer.AviClose(std::move(pWriter)), AVIERR_OK);
    ::DestroyWindow(hParent);
}
