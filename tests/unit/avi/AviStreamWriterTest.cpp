#include "AviProbe.h"
#include "avi/AviStreamWriter.h"
#include "CaptureTestFiles.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kFourccFake = MakeFourcc('F', 'A', 'K', 'E');

// A codec that stores the first byte of each frame only, or fails on demand.
class CFakeCompressor final : public CVideoCompressor {
public:
    explicit CFakeCompressor(HRESULT result) : m_result(result) {}
    std::uint32_t Handler() const override { return kFourccFake; }
    BitmapInfoHeader OutputFormat(const BitmapInfoHeader& input) const override
    {
        BitmapInfoHeader output = input;
        output.biCompression = kFourccFake;
        return output;
    }
    HRESULT Compress(const DibFrame& frame, EncodedFrame& encoded) override
    {
        encoded.bytes = {frame.pBits, 1};
        encoded.bKeyFrame = false;
        return m_result;
    }

private:
    HRESULT m_result;
};

std::unique_ptr<CVideoCompressor> TestFactory(const AviCompressOptions& options)
{
    if (options.fccHandler == kFourccFake)
        return std::make_unique<CFakeCompressor>(AVIERR_OK);
    if (options.fccHandler == MakeFourcc('F', 'A', 'I', 'L'))
        return std::make_unique<CFakeCompressor>(AVIERR_CANTCOMPRESS);
    return MakeStandardCompressor(options);
}

CompressorChooser ChooserPicking(std::uint32_t handler)
{
    return [handler](AviCompressOptions& options) {
        options.fccHandler = handler;
        return true;
    };
}

const CompressorChooser kCancellingChooser = [](AviCompressOptions&) { return false; };

class AviStreamWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_folder.Path("video.avi");
        m_pWriter = AviOpen(m_path.c_str(), 100, nullptr, TestFactory);
        ASSERT_NE(m_pWriter, nullptr);
    }

    std::string WriteWave(const std::string& name, const WaveFormat& format, std::size_t bytes, std::uint8_t seed = 0)
    {
        const std::string path = m_folder.Path(name);
        WriteFileBytes(path, CanonicalWave(format, TestSamples(bytes, seed)));
        return path;
    }

    ProbedAvi CloseAndProbe()
    {
        EXPECT_EQ(AviClose(std::move(m_pWriter)), AVIERR_OK);
        const ProbedAvi avi = ProbeAvi(m_path);
        EXPECT_TRUE(avi.bValid);
        return avi;
    }

    CTestFolder m_folder;
    std::string m_path;
    std::unique_ptr<AviWriter> m_pWriter;
    CTestFrame m_frame{32, 24, 0};
};

TEST(AviStreamWriterHandles, MissingWriterIsRefusedByEveryOperation)
{
    const CTestFrame frame(8, 8, 0);
    EXPECT_EQ(AviConfigureVideo(nullptr, &frame.Dib(), nullptr, {}), AVIERR_BADHANDLE);
    EXPECT_EQ(AviAppendFrame(nullptr, &frame.Dib()), AVIERR_BADHANDLE);
    EXPECT_EQ(AviAppendWaveFile(nullptr, "sound.wav"), AVIERR_BADHANDLE);
    EXPECT_EQ(AviClose(nullptr), AVIERR_BADHANDLE);
}

TEST(AviStreamWriterHandles, OpenRefusesUnwritablePathsAndPeriods)
{
    CTestFolder folder;
    EXPECT_EQ(AviOpen(folder.Path("no-such-folder/video.avi").c_str(), 100, nullptr), nullptr);
    EXPECT_EQ(AviOpen(nullptr, 100, nullptr), nullptr);
    EXPECT_EQ(AviOpen(folder.Path("zero.avi").c_str(), 0, nullptr), nullptr);
    EXPECT_EQ(AviOpen(folder.Path("negative.avi").c_str(), -30, nullptr), nullptr);
}

TEST(AviStreamWriterCodes, KeepThePlatformValues)
{
    EXPECT_EQ(static_cast<std::uint32_t>(AVIERR_BADHANDLE), 0x8004406Cu);
    EXPECT_EQ(static_cast<std::uint32_t>(AVIERR_BADPARAM), 0x8004406Au);
    EXPECT_EQ(static_cast<std::uint32_t>(AVIERR_ERROR), 0x800440C7u);
    EXPECT_EQ(static_cast<std::uint32_t>(AVIERR_COMPRESSOR), 0x80044070u);
    EXPECT_EQ(static_cast<std::uint32_t>(AVIERR_USERABORT), 0x800440C6u);
    EXPECT_EQ(static_cast<std::uint32_t>(AVIERR_FILEOPEN), 0x8004406Fu);
    EXPECT_EQ(static_cast<std::uint32_t>(AVIERR_BADFORMAT), 0x80044066u);
}

TEST_F(AviStreamWriterTest, FramesWithoutConfigurationAreUncompressed)
{
    for (int number = 0; number < 3; ++number) {
        const CTestFrame frame(32, 24, number);
        ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &frame.Dib()), AVIERR_OK);
    }
    const ProbedAvi avi = CloseAndProbe();
    ASSERT_EQ(avi.streams.size(), 1u);
    EXPECT_EQ(avi.streams[0].type, "vids");
    EXPECT_EQ(avi.streams[0].handler, "DIB ");
    EXPECT_EQ(ReadLe32(avi.streams[0].format, 16), 0u); // biCompression: BI_RGB
    EXPECT_EQ(avi.streams[0].length, 3u);
    ASSERT_EQ(avi.samples.size(), 3u);
    EXPECT_EQ(avi.samples[0].id, "00db");
    EXPECT_EQ(avi.samples[0].size, 32u * 24 * 3);
}

TEST_F(AviStreamWriterTest, HeadersCarryPeriodSizeAndCounts)
{
    ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    const ProbedAvi avi = CloseAndProbe();
    EXPECT_EQ(avi.microSecPerFrame, 100000u);
    EXPECT_EQ(avi.totalFrames, 2u);
    EXPECT_EQ(avi.extendedTotalFrames, 2u);
    EXPECT_EQ(avi.streamCount, 1u);
    EXPECT_EQ(avi.width, 32u);
    EXPECT_EQ(avi.height, 24u);
    ASSERT_EQ(avi.streams.size(), 1u);
    EXPECT_EQ(avi.streams[0].scale, 100u);
    EXPECT_EQ(avi.streams[0].rate, 1000u);
    EXPECT_EQ(avi.legacyIndexEntries, 2u);
    EXPECT_EQ(avi.standardIndexEntries.at("ix00"), 2u);
    EXPECT_EQ(avi.streams[0].superIndexEntries, 1u);
    EXPECT_EQ(avi.riffTypes, std::vector<std::string>{"AVI "});
}

TEST_F(AviStreamWriterTest, ConfiguringTwiceKeepsTheFirstChoice)
{
    ASSERT_EQ(AviConfigureVideo(m_pWriter.get(), &m_frame.Dib(), nullptr, ChooserPicking(kFourccFake)), AVIERR_OK);
    AviCompressOptions options;
    options.fccHandler = kFourccDib;
    EXPECT_EQ(AviConfigureVideo(m_pWriter.get(), &m_frame.Dib(), &options, {}), AVIERR_COMPRESSOR);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    const ProbedAvi avi = CloseAndProbe();
    ASSERT_EQ(avi.streams.size(), 1u);
    EXPECT_EQ(avi.streams[0].handler, "FAKE");
    ASSERT_EQ(avi.samples.size(), 1u);
    EXPECT_EQ(avi.samples[0].id, "00dc");
}

TEST_F(AviStreamWriterTest, ChooserReceivesThePresetAndReturnsTheChoice)
{
    AviCompressOptions options;
    options.fccHandler = MakeFourcc('d', 'i', 'v', 'x');
    std::uint32_t presented = 0;
    const CompressorChooser chooser = [&presented](AviCompressOptions& chosen) {
        presented = chosen.fccHandler;
        chosen.fccHandler = MakeFourcc('d', 'i', 'b', ' ');
        return true;
    };
    ASSERT_EQ(AviConfigureVideo(m_pWriter.get(), &m_frame.Dib(), &options, chooser), AVIERR_OK);
    EXPECT_EQ(presented, MakeFourcc('d', 'i', 'v', 'x'));
    EXPECT_EQ(options.fccHandler, MakeFourcc('d', 'i', 'b', ' '));
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    EXPECT_EQ(CloseAndProbe().streams.at(0).handler, "DIB ");
}

TEST_F(AviStreamWriterTest, UnknownCompressorWithoutDialogIsStickyFailure)
{
    AviCompressOptions options;
    options.fccHandler = MakeFourcc('d', 'i', 'v', 'x');
    EXPECT_EQ(AviConfigureVideo(m_pWriter.get(), &m_frame.Dib(), &options, {}), AVIERR_NOCOMPRESSOR);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_ERROR);
}

TEST_F(AviStreamWriterTest, DeviceDependentBitmapIsRefusedWithoutError)
{
    DibFrame deviceBitmap = m_frame.Dib();
    deviceBitmap.pBits = nullptr;
    const DibFrame* const bitmaps[] = {nullptr, &deviceBitmap};
    for (const DibFrame* pBitmap : bitmaps) {
        EXPECT_EQ(AviConfigureVideo(m_pWriter.get(), pBitmap, nullptr, {}), AVIERR_BADPARAM);
        EXPECT_EQ(AviAppendFrame(m_pWriter.get(), pBitmap), AVIERR_BADPARAM);
    }
    EXPECT_FALSE(m_pWriter->m_bError);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
}

TEST_F(AviStreamWriterTest, BitmapsThatCannotBeStoredAreRefused)
{
    struct Damage {
        const char* name;
        void (*apply)(BitmapInfoHeader&);
    };
    const Damage damages[] = {
        {"palette depth", [](BitmapInfoHeader& header) { header.biBitCount = 8; }},
        {"compressed", [](BitmapInfoHeader& header) { header.biCompression = 1; }},
        {"no width", [](BitmapInfoHeader& header) { header.biWidth = 0; }},
        {"no height", [](BitmapInfoHeader& header) { header.biHeight = 0; }},
        {"image size short of the rows", [](BitmapInfoHeader& header) { header.biSizeImage -= 1; }},
        {"short header", [](BitmapInfoHeader& header) { header.biSize = 12; }},
    };
    for (const Damage& damage : damages) {
        DibFrame bitmap = m_frame.Dib();
        damage.apply(bitmap.header);
        EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &bitmap), AVIERR_BADPARAM) << damage.name;
    }
    EXPECT_FALSE(m_pWriter->m_bError);
}

TEST_F(AviStreamWriterTest, FrameOfAnotherSizeIsRefusedAndTheStreamGoesOn)
{
    ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    const CTestFrame larger(64, 48, 1);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &larger.Dib()), AVIERR_BADFORMAT);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    EXPECT_EQ(CloseAndProbe().streams.at(0).length, 2u);
}

TEST_F(AviStreamWriterTest, CancelledChoiceStopsEverythingButClose)
{
    const std::string wave = WriteWave("sound.wav", PcmFormat(1, 44100, 16), 400);
    EXPECT_EQ(AviConfigureVideo(m_pWriter.get(), &m_frame.Dib(), nullptr, kCancellingChooser), AVIERR_USERABORT);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_ERROR);
    EXPECT_EQ(AviAppendWaveFile(m_pWriter.get(), wave.c_str()), AVIERR_ERROR);
    EXPECT_EQ(AviConfigureVideo(m_pWriter.get(), &m_frame.Dib(), nullptr, {}), AVIERR_ERROR);
    const ProbedAvi avi = CloseAndProbe();
    EXPECT_TRUE(avi.samples.empty());
}

TEST_F(AviStreamWriterTest, CompressorFailureIsSticky)
{
    ASSERT_EQ(
        AviConfigureVideo(m_pWriter.get(), &m_frame.Dib(), nullptr, ChooserPicking(MakeFourcc('F', 'A', 'I', 'L'))),
        AVIERR_OK);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_CANTCOMPRESS);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_ERROR);
    EXPECT_EQ(AviClose(std::move(m_pWriter)), AVIERR_OK);
}

struct WaveCase {
    std::uint16_t channels;
    std::size_t dataBytes;
    std::uint32_t samples;
};

std::ostream& operator<<(std::ostream& stream, const WaveCase& sound)
{
    return stream << sound.channels << " channels, " << sound.dataBytes << " bytes";
}

class AviWaveSamplesTest : public AviStreamWriterTest, public ::testing::WithParamInterface<WaveCase> {};

TEST_P(AviWaveSamplesTest, AddsDataBytesOverBlockAlign)
{
    const WaveCase& sound = GetParam();
    const WaveFormat format = PcmFormat(sound.channels, 44100, 16);
    ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    ASSERT_EQ(AviAppendWaveFile(m_pWriter.get(), WriteWave("sound.wav", format, sound.dataBytes).c_str()), AVIERR_OK);
    EXPECT_EQ(m_pWriter->m_sampleCount, sound.samples);
    const ProbedAvi avi = CloseAndProbe();
    ASSERT_EQ(avi.streams.size(), 2u);
    const ProbedStream& audio = avi.streams[1];
    EXPECT_EQ(audio.type, "auds");
    EXPECT_EQ(audio.length, sound.samples);
    EXPECT_EQ(audio.scale, format.nBlockAlign);
    EXPECT_EQ(audio.rate, 44100u * format.nBlockAlign);
    EXPECT_EQ(audio.sampleSize, format.nBlockAlign);
    ASSERT_EQ(audio.format.size(), 18u);
    EXPECT_EQ(ReadLe16(audio.format, 0), kWaveFormatPcm);
    EXPECT_EQ(ReadLe16(audio.format, 2), sound.channels);
    EXPECT_EQ(ReadLe32(audio.format, 4), 44100u);
    EXPECT_EQ(ReadLe16(audio.format, 14), 16u);
}

INSTANTIATE_TEST_SUITE_P(Pcm16, AviWaveSamplesTest,
                         ::testing::Values(WaveCase{1, 88200, 44100}, WaveCase{2, 88200, 22050}, WaveCase{1, 1000, 500},
                                           WaveCase{2, 1000, 250}));

TEST_F(AviStreamWriterTest, SoundGoesAfterTheLastFrameInChunksOfAtMostASecond)
{
    const WaveFormat format = PcmFormat(2, 44100, 16);
    const std::size_t bytes = 176400 * 5 / 2;
    ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    ASSERT_EQ(AviAppendWaveFile(m_pWriter.get(), WriteWave("sound.wav", format, bytes).c_str()), AVIERR_OK);
    const ProbedAvi avi = CloseAndProbe();
    const std::vector<std::uint8_t> file = ReadFileBytes(m_path);
    const std::vector<std::uint8_t> expected = TestSamples(bytes);
    std::vector<std::uint8_t> stored;
    ASSERT_EQ(avi.samples.size(), 5u);
    for (std::size_t index = 0; index < avi.samples.size(); ++index) {
        const ProbedChunk& chunk = avi.samples[index];
        EXPECT_EQ(chunk.id, index < 2 ? "00db" : "01wb");
        EXPECT_LE(chunk.size, 176400u);
        stored.insert(stored.end(), file.begin() + static_cast<std::ptrdiff_t>(chunk.dataOffset),
                      file.begin() + static_cast<std::ptrdiff_t>(chunk.dataOffset + chunk.size));
    }
    stored.erase(stored.begin(), stored.begin() + 2 * 32 * 24 * 3);
    EXPECT_EQ(stored, expected);
}

TEST_F(AviStreamWriterTest, SecondWaveOfTheSameFormatFollowsTheFirst)
{
    const WaveFormat format = PcmFormat(1, 44100, 16);
    ASSERT_EQ(AviAppendWaveFile(m_pWriter.get(), WriteWave("a.wav", format, 1000, 1).c_str()), AVIERR_OK);
    ASSERT_EQ(AviAppendWaveFile(m_pWriter.get(), WriteWave("b.wav", format, 600, 2).c_str()), AVIERR_OK);
    EXPECT_EQ(m_pWriter->m_sampleCount, 800);
    const ProbedAvi avi = CloseAndProbe();
    ASSERT_EQ(avi.samples.size(), 2u);
    const std::vector<std::uint8_t> file = ReadFileBytes(m_path);
    EXPECT_EQ(file[avi.samples[1].dataOffset], TestSamples(1, 2)[0]);
    EXPECT_EQ(avi.streams.at(0).length, 800u);
}

TEST_F(AviStreamWriterTest, WaveOfAnotherFormatIsRefusedAndTheWriterGoesOn)
{
    ASSERT_EQ(AviAppendWaveFile(m_pWriter.get(), WriteWave("a.wav", PcmFormat(1, 44100, 16), 1000).c_str()), AVIERR_OK);
    const WaveFormat others[] = {PcmFormat(2, 44100, 16), PcmFormat(1, 22050, 16), PcmFormat(1, 44100, 8)};
    for (const WaveFormat& other : others)
        EXPECT_EQ(AviAppendWaveFile(m_pWriter.get(), WriteWave("b.wav", other, 1000).c_str()), AVIERR_BADFORMAT);
    EXPECT_FALSE(m_pWriter->m_bError);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    ASSERT_EQ(AviAppendWaveFile(m_pWriter.get(), WriteWave("c.wav", PcmFormat(1, 44100, 16), 400).c_str()), AVIERR_OK);
    EXPECT_EQ(CloseAndProbe().streams.at(0).length, 700u);
}

TEST_F(AviStreamWriterTest, AudioFormatGivenAtOpenDecidesWhichWavesFit)
{
    const std::string path = m_folder.Path("preset.avi");
    const WaveFormat mono = PcmFormat(1, 44100, 16);
    auto pWriter = AviOpen(path.c_str(), 100, &mono);
    ASSERT_NE(pWriter, nullptr);
    EXPECT_EQ(AviAppendWaveFile(pWriter.get(), WriteWave("stereo.wav", PcmFormat(2, 44100, 16), 400).c_str()),
              AVIERR_BADFORMAT);
    EXPECT_EQ(AviAppendWaveFile(pWriter.get(), WriteWave("mono.wav", mono, 400).c_str()), AVIERR_OK);
    EXPECT_EQ(AviClose(std::move(pWriter)), AVIERR_OK);
}

TEST_F(AviStreamWriterTest, UnopenableWaveIsStickyFailure)
{
    EXPECT_EQ(AviAppendWaveFile(m_pWriter.get(), m_folder.Path("absent.wav").c_str()), AVIERR_FILEOPEN);
    EXPECT_TRUE(m_pWriter->m_bError);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_ERROR);
    EXPECT_EQ(AviAppendWaveFile(m_pWriter.get(), nullptr), AVIERR_BADPARAM);
    EXPECT_EQ(AviClose(std::move(m_pWriter)), AVIERR_OK);
}

TEST_F(AviStreamWriterTest, MalformedWaveIsRefusedWithoutError)
{
    const std::string path = m_folder.Path("bad.wav");
    WriteFileBytes(path, {'R', 'I', 'F', 'F', 0, 0});
    EXPECT_EQ(AviAppendWaveFile(m_pWriter.get(), path.c_str()), AVIERR_FILEREAD);
    EXPECT_FALSE(m_pWriter->m_bError);
    EXPECT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
}

TEST_F(AviStreamWriterTest, WriterDroppedWithoutCloseStillCompletesTheFile)
{
    ASSERT_EQ(AviAppendFrame(m_pWriter.get(), &m_frame.Dib()), AVIERR_OK);
    m_pWriter.reset();
    const ProbedAvi avi = ProbeAvi(m_path);
    EXPECT_TRUE(avi.bValid);
    EXPECT_EQ(avi.totalFrames, 1u);
}

} // namespace
