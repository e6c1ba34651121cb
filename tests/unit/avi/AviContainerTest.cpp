#include "avi/AviContainer.h"
#include "AviProbe.h"
#include "CaptureTestFiles.h"
#include "avi/VideoCompressor.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

constexpr std::uint64_t kSmallSegment = 64 * 1024;
constexpr int kFrames = 100;

// Frames and sound through the container alone, with RIFF segments small
// enough that a few kilobytes of frames need several of them.
class AviContainerSegmentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_folder.Path("segments.avi");
        m_sound = TestSamples(30000);
        ASSERT_EQ(WriteSegmentedAvi(m_path, kSmallSegment, kFrames, m_sound), AVIERR_OK);
        m_avi = ProbeAvi(m_path);
    }

    CTestFolder m_folder;
    std::string m_path;
    std::vector<std::uint8_t> m_sound;
    ProbedAvi m_avi;
};

TEST_F(AviContainerSegmentTest, LargeFilesContinueInExtendedRiffs)
{
    ASSERT_TRUE(m_avi.bValid);
    ASSERT_GE(m_avi.riffTypes.size(), 3u);
    EXPECT_EQ(m_avi.riffTypes[0], "AVI ");
    for (std::size_t index = 1; index < m_avi.riffTypes.size(); ++index)
        EXPECT_EQ(m_avi.riffTypes[index], "AVIX");
    for (std::uint64_t span : m_avi.riffSpans)
        EXPECT_LE(span, kSmallSegment);
}

TEST_F(AviContainerSegmentTest, IndexesCoverEveryChunk)
{
    ASSERT_TRUE(m_avi.bValid);
    const auto firstRiffFrames = static_cast<std::uint32_t>(
        std::count_if(m_avi.samples.begin(), m_avi.samples.end(), [this](const ProbedChunk& chunk) {
            return chunk.id == "00db" && chunk.dataOffset < m_avi.riffSpans[0];
        }));
    EXPECT_EQ(m_avi.totalFrames, firstRiffFrames);
    EXPECT_LT(m_avi.totalFrames, static_cast<std::uint32_t>(kFrames));
    EXPECT_EQ(m_avi.extendedTotalFrames, static_cast<std::uint32_t>(kFrames));
    EXPECT_EQ(m_avi.legacyIndexEntries, firstRiffFrames);
    EXPECT_EQ(m_avi.standardIndexEntries.at("ix00"), static_cast<std::uint32_t>(kFrames));
    EXPECT_EQ(m_avi.standardIndexEntries.at("ix01"), 2u);
    ASSERT_EQ(m_avi.streams.size(), 2u);
    EXPECT_EQ(m_avi.streams[0].length, static_cast<std::uint32_t>(kFrames));
    EXPECT_EQ(m_avi.streams[1].length, 15000u);
    EXPECT_GE(m_avi.streams[0].superIndexEntries, 3u);
}

TEST_F(AviContainerSegmentTest, SampleDataIsStoredUnchanged)
{
    const std::vector<std::uint8_t> file = ReadFileBytes(m_path);
    std::vector<std::uint8_t> sound;
    int frameNumber = 0;
    for (const ProbedChunk& chunk : m_avi.samples) {
        const auto begin = file.begin() + static_cast<std::ptrdiff_t>(chunk.dataOffset);
        const std::vector<std::uint8_t> data(begin, begin + chunk.size);
        if (chunk.id == "00db") {
            const CTestFrame frame(32, 24, frameNumber++);
            const auto pixels = DibPixels(frame.Dib());
            EXPECT_TRUE(std::equal(data.begin(), data.end(), pixels.begin(), pixels.end())) << frameNumber;
        } else {
            sound.insert(sound.end(), data.begin(), data.end());
        }
    }
    EXPECT_EQ(frameNumber, kFrames);
    EXPECT_EQ(sound, m_sound);
}

TEST(AviContainer, RefusesAThirdStreamAndWritesAfterFinish)
{
    CTestFolder folder;
    CAviContainer container;
    ASSERT_EQ(container.Create(folder.Path("streams.avi")), AVIERR_OK);
    int stream = -1;
    ASSERT_EQ(container.AddAudioStream(PcmFormat(1, 8000, 8), stream), AVIERR_OK);
    ASSERT_EQ(container.AddAudioStream(PcmFormat(2, 8000, 8), stream), AVIERR_OK);
    EXPECT_EQ(stream, 1);
    EXPECT_EQ(container.AddAudioStream(PcmFormat(1, 8000, 8), stream), AVIERR_UNSUPPORTED);
    const std::vector<std::uint8_t> odd = TestSamples(3);
    EXPECT_EQ(container.WriteChunk(0, odd, true, 3), AVIERR_OK);
    EXPECT_EQ(container.WriteChunk(2, odd, true, 3), AVIERR_FILEWRITE);
    ASSERT_EQ(container.Finish(), AVIERR_OK);
    EXPECT_EQ(container.WriteChunk(0, odd, true, 3), AVIERR_FILEWRITE);
    const ProbedAvi avi = ProbeAvi(folder.Path("streams.avi"));
    EXPECT_TRUE(avi.bValid);
    EXPECT_EQ(avi.streams.size(), 2u);
}

} // namespace

namespace {

TEST(AviContainer, FullIndexesStopTheFileButKeepItComplete)
{
    CTestFolder folder;
    const std::string path = folder.Path("full.avi");
    CAviContainer container(4096); // one 3000-byte chunk per RIFF
    ASSERT_EQ(container.Create(path), AVIERR_OK);
    int stream = -1;
    ASSERT_EQ(container.AddAudioStream(PcmFormat(1, 8000, 8), stream), AVIERR_OK);
    const std::vector<std::uint8_t> chunk = TestSamples(3000);
    HRESULT result = AVIERR_OK;
    std::uint32_t accepted = 0;
    while (result == AVIERR_OK && accepted <= kSuperIndexCapacity) {
        result = container.WriteChunk(stream, chunk, true, 3000);
        accepted += result == AVIERR_OK ? 1 : 0;
    }
    EXPECT_EQ(result, AVIERR_BADSIZE);
    EXPECT_EQ(accepted, kSuperIndexCapacity);
    EXPECT_EQ(container.WriteChunk(stream, chunk, true, 3000), AVIERR_FILEWRITE);
    ASSERT_EQ(container.Finish(), AVIERR_OK);

    const ProbedAvi avi = ProbeAvi(path);
    EXPECT_TRUE(avi.bValid);
    EXPECT_EQ(avi.riffTypes.size(), kSuperIndexCapacity);
    EXPECT_EQ(avi.samples.size(), kSuperIndexCapacity);
    ASSERT_EQ(avi.streams.size(), 1u);
    EXPECT_EQ(avi.streams[0].superIndexEntries, kSuperIndexCapacity);
    EXPECT_EQ(avi.streams[0].length, 3000u * kSuperIndexCapacity);
}

} // namespace

namespace {

// What the refreshes write while recording is rewritten by the end: a
// finished file does not depend on how often it was refreshed.
TEST(AviContainerRefresh, FinishedFileIsTheSameHoweverOftenItWasRefreshed)
{
    CTestFolder folder;
    const std::vector<std::uint8_t> sound = TestSamples(30000);
    ASSERT_EQ(WriteSegmentedAvi(folder.Path("always.avi"), kSmallSegment, kFrames, sound, std::chrono::milliseconds(0)),
              AVIERR_OK);
    ASSERT_EQ(WriteSegmentedAvi(folder.Path("once.avi"), kSmallSegment, kFrames, sound, std::chrono::hours(1)),
              AVIERR_OK);
    EXPECT_EQ(ReadFileBytes(folder.Path("always.avi")), ReadFileBytes(folder.Path("once.avi")));
}

} // namespace
