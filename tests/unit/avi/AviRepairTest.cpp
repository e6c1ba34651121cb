// Recordings of our writer cut short, as a crash leaves them, repaired: each
// must become exactly the file the writer makes of the chunks that survived.

#include "AviProbe.h"
#include "CaptureTestFiles.h"
#include "avi/AviRepair.h"
#include "avi/AviStreamWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kFrames = 12;
constexpr int kWidth = 16;
constexpr int kHeight = 8;

// Frames, then the sound of the WAV file (8000 Hz mono: chunks of 16000 bytes).
void WriteRecording(const std::string& path, int frames, const std::string& wavPath)
{
    auto pWriter = AviOpen(path.c_str(), 100, nullptr);
    ASSERT_NE(pWriter, nullptr);
    for (int number = 0; number < frames; ++number)
        ASSERT_EQ(AviAppendFrame(pWriter.get(), &CTestFrame(kWidth, kHeight, number).Dib()), AVIERR_OK);
    if (!wavPath.empty())
        ASSERT_EQ(AviAppendWaveFile(pWriter.get(), wavPath.c_str()), AVIERR_OK);
    ASSERT_EQ(AviClose(std::move(pWriter)), AVIERR_OK);
}

std::vector<std::uint8_t> Prefix(const std::vector<std::uint8_t>& bytes, std::uint64_t size)
{
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

class AviRepairTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sound = TestSamples(40000);
        m_wavPath = m_folder.Path("sound.wav");
        WriteFileBytes(m_wavPath, CanonicalWave(PcmFormat(1, 8000, 16), m_sound));
        WriteRecording(m_folder.Path("full.avi"), kFrames, m_wavPath);
        m_full = ReadFileBytes(m_folder.Path("full.avi"));
        m_chunks = ProbeAvi(m_folder.Path("full.avi")).samples;
        ASSERT_EQ(m_chunks.size(), static_cast<std::size_t>(kFrames) + 3);
    }

    // The writer's file of the first frames and the given sound.
    std::vector<std::uint8_t> Expected(int frames, const std::vector<std::uint8_t>& sound)
    {
        const std::string wave = m_folder.Path("expected.wav");
        WriteFileBytes(wave, CanonicalWave(PcmFormat(1, 8000, 16), sound));
        WriteRecording(m_folder.Path("expected.avi"), frames, sound.empty() ? "" : wave);
        return ReadFileBytes(m_folder.Path("expected.avi"));
    }

    std::uint64_t EndOfChunk(std::size_t index) const { return m_chunks[index].dataOffset + m_chunks[index].size; }

    std::vector<std::uint8_t> Repaired(std::uint64_t cut, const std::string& wavPath = "")
    {
        const std::string path = m_folder.Path("cut.avi");
        WriteFileBytes(path, Prefix(m_full, cut));
        EXPECT_TRUE(AviNeedsRepair(path));
        AviRepairOptions options;
        options.wavPath = wavPath;
        EXPECT_EQ(RepairAvi(path, options), EAviRepair::repaired) << "cut at " << cut;
        EXPECT_FALSE(std::filesystem::exists(AviRepairTemporaryPath(path)));
        EXPECT_FALSE(std::filesystem::exists(AviRepairBackupPath(path)));
        EXPECT_FALSE(AviNeedsRepair(path));
        return ReadFileBytes(path);
    }

    CTestFolder m_folder;
    std::vector<std::uint8_t> m_sound;
    std::string m_wavPath;
    std::vector<std::uint8_t> m_full;
    std::vector<ProbedChunk> m_chunks;
};

// At every chunk boundary, and one byte short of it (the last chunk then
// is partial and dropped).
TEST_F(AviRepairTest, CutAtEveryChunkBoundaryKeepsEveryWholeChunk)
{
    for (std::size_t index = 0; index < m_chunks.size(); ++index) {
        const int frames = std::min<int>(static_cast<int>(index) + 1, kFrames);
        const std::size_t soundBytes =
            index < kFrames ? 0 : std::min<std::size_t>((index + 1 - kFrames) * 16000, 40000);
        const std::vector<std::uint8_t> expected = Expected(frames, Prefix(m_sound, soundBytes));
        EXPECT_EQ(Repaired(EndOfChunk(index)), expected) << "cut after chunk " << index;
        if (index > 0) {
            const int shorter = std::min<int>(static_cast<int>(index), kFrames);
            const std::size_t shorterSound = index <= kFrames ? 0 : (index - kFrames) * 16000;
            EXPECT_EQ(Repaired(EndOfChunk(index) - 1), Expected(shorter, Prefix(m_sound, shorterSound)))
                << "cut inside chunk " << index;
        }
    }
}

// The sound left beside the file replaces what the file holds of it, as the
// recording's own end would have added it.
TEST_F(AviRepairTest, SoundFileLeftBesideIsAddedWhole)
{
    const std::vector<std::uint8_t> expected = Expected(7, m_sound);
    EXPECT_EQ(Repaired(EndOfChunk(6), m_wavPath), expected);
    EXPECT_EQ(Repaired(EndOfChunk(kFrames), m_wavPath), Expected(kFrames, m_sound));
}

struct UntouchedCase {
    const char* name;
    EAviRepair result;
};

// Files that are not ours, or that hold nothing to rebuild from, or that
// are finished, stay exactly as they are.
TEST_F(AviRepairTest, FilesItCannotOrNeedNotRepairAreLeftAlone)
{
    const std::string placeholderPath = m_folder.Path("placeholder.avi");
    {
        auto pWriter = AviOpen(placeholderPath.c_str(), 100, nullptr);
        std::filesystem::copy_file(placeholderPath, m_folder.Path("started.avi"));
        AviClose(std::move(pWriter));
    }
    std::vector<std::uint8_t> notRiff = Prefix(m_full, 20000);
    notRiff[0] = 'X';
    std::vector<std::uint8_t> otherHeaderRoom = m_full;
    otherHeaderRoom[kAviHeaderReserve + 8] = 'X'; // no "movi" where ours has it
    const std::vector<std::pair<UntouchedCase, std::vector<std::uint8_t>>> cases = {
        {{"finished", EAviRepair::complete}, m_full},
        {{"wave file", EAviRepair::notOurs}, ReadFileBytes(m_wavPath)},
        {{"not RIFF", EAviRepair::notOurs}, notRiff},
        {{"cut in the headers", EAviRepair::notOurs}, Prefix(m_full, 5000)},
        {{"another layout", EAviRepair::notOurs}, otherHeaderRoom},
        {{"empty", EAviRepair::notOurs}, {}},
        {{"before the first frame", EAviRepair::unrepairable}, ReadFileBytes(m_folder.Path("started.avi"))},
    };
    for (const auto& [untouched, bytes] : cases) {
        const std::string path = m_folder.Path("untouched.avi");
        WriteFileBytes(path, bytes);
        EXPECT_EQ(RepairAvi(path, {m_wavPath}), untouched.result) << untouched.name;
        EXPECT_EQ(ReadFileBytes(path), bytes) << untouched.name;
        EXPECT_FALSE(std::filesystem::exists(AviRepairTemporaryPath(path))) << untouched.name;
    }
    EXPECT_FALSE(AviNeedsRepair(m_folder.Path("no-such-file.avi")));
}

} // namespace
