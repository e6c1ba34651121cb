#include "CaptureTestFiles.h"

#include "riff/WaveFile.h"
#include "riff/WaveWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

WaveFormat StereoSixteenBit(std::uint32_t rate)
{
    WaveFormat format;
    format.wFormatTag = kWaveFormatPcm;
    format.nChannels = 2;
    format.nSamplesPerSec = rate;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = rate * 4;
    format.wBitsPerSample = 16;
    return format;
}

std::vector<std::uint8_t> Bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Counting(std::size_t count)
{
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t index = 0; index < count; ++index)
        bytes[index] = static_cast<std::uint8_t>(index * 7 + 3);
    return bytes;
}

std::vector<std::uint8_t> ReadAllSamples(CWaveFile& wave)
{
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(wave.DataSize()));
    EXPECT_EQ(wave.Read(samples), samples.size());
    return samples;
}

TEST(WaveWriter, WritesTheCanonicalHeader)
{
    CTestFolder folder;
    const std::string path = folder.Path("sound.wav");
    CWaveWriter writer;
    ASSERT_TRUE(writer.Open(path, StereoSixteenBit(22050)));
    ASSERT_TRUE(writer.Append(Counting(400)));
    ASSERT_TRUE(writer.Commit());

    const std::vector<std::uint8_t> expectedHeader = {
        'R',  'I',  'F', 'F', 0xB4, 0x01, 0,    0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16,   0,    0, 0, 1, 0, 2, 0,
        0x22, 0x56, 0,   0,   0x88, 0x58, 0x01, 0, 4,   0,   16,  0,   'd', 'a', 't', 'a', 0x90, 0x01, 0, 0};
    const std::vector<std::uint8_t> bytes = Bytes(path);
    ASSERT_EQ(bytes.size(), 444u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 44), expectedHeader);
}

TEST(WaveWriter, SamplesReadBackUnchanged)
{
    CTestFolder folder;
    const std::string path = folder.Path("sound.wav");
    const std::vector<std::uint8_t> samples = Counting(4000);
    CWaveWriter writer;
    ASSERT_TRUE(writer.Open(path, StereoSixteenBit(44100)));
    ASSERT_TRUE(writer.Append(samples));
    ASSERT_TRUE(writer.Commit());

    CWaveFile wave;
    ASSERT_EQ(wave.Open(path), CWaveFile::EOpenResult::ok);
    EXPECT_TRUE(SameWaveLayout(wave.Format(), StereoSixteenBit(44100)));
    EXPECT_EQ(ReadAllSamples(wave), samples);
}

// Blocks split across calls are joined; a block never completed is left out.
TEST(WaveWriter, KeepsWholeBlocksAcrossAppends)
{
    struct Split {
        std::vector<std::size_t> pieces;
        std::size_t expectedData;
    };
    const Split splits[] = {
        {{1, 1, 1, 1}, 4}, {{3, 6, 3}, 12}, {{5}, 4}, {{0, 8, 0}, 8}, {{2, 7}, 8},
    };
    for (const Split& split : splits) {
        CTestFolder folder;
        const std::string path = folder.Path("sound.wav");
        std::size_t total = 0;
        for (std::size_t piece : split.pieces)
            total += piece;
        const std::vector<std::uint8_t> samples = Counting(total);
        CWaveWriter writer;
        ASSERT_TRUE(writer.Open(path, StereoSixteenBit(8000)));
        std::size_t offset = 0;
        for (std::size_t piece : split.pieces) {
            ASSERT_TRUE(writer.Append(std::span(samples).subspan(offset, piece)));
            offset += piece;
        }
        ASSERT_TRUE(writer.Commit());
        CWaveFile wave;
        ASSERT_EQ(wave.Open(path), CWaveFile::EOpenResult::ok);
        EXPECT_EQ(ReadAllSamples(wave),
                  std::vector<std::uint8_t>(samples.begin(), samples.begin() + split.expectedData));
        EXPECT_EQ(Bytes(path).size(), 44 + split.expectedData);
    }
}

TEST(WaveWriter, FileAppearsOnlyWhenCommitted)
{
    CTestFolder folder;
    const std::string path = folder.Path("sound.wav");
    CWaveWriter writer;
    ASSERT_TRUE(writer.Open(path, StereoSixteenBit(44100)));
    ASSERT_TRUE(writer.Append(Counting(64)));
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(writer.Commit());
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(CWaveWriter::TemporaryPathFor(path)));
}

TEST(WaveWriter, AbandonedWriteLeavesNothing)
{
    CTestFolder folder;
    const std::string path = folder.Path("sound.wav");
    {
        CWaveWriter destroyed;
        ASSERT_TRUE(destroyed.Open(path, StereoSixteenBit(44100)));
        ASSERT_TRUE(destroyed.Append(Counting(64)));
    }
    CWaveWriter discarded;
    ASSERT_TRUE(discarded.Open(path, StereoSixteenBit(44100)));
    discarded.Discard();
    EXPECT_FALSE(discarded.Commit());
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(path).parent_path()));
}

TEST(WaveWriter, CommitReplacesAnOlderFile)
{
    CTestFolder folder;
    const std::string path = folder.Path("sound.wav");
    std::ofstream(path, std::ios::binary) << "an older recording";
    CWaveWriter writer;
    ASSERT_TRUE(writer.Open(path, StereoSixteenBit(44100)));
    ASSERT_TRUE(writer.Append(Counting(8)));
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(Bytes(path).size(), 52u);
}

TEST(WaveWriter, RefusesWhatCannotBeWritten)
{
    CTestFolder folder;
    WaveFormat noBlocks = StereoSixteenBit(44100);
    noBlocks.nBlockAlign = 0;
    CWaveWriter writer;
    EXPECT_FALSE(writer.Open(folder.Path("sound.wav"), noBlocks));
    EXPECT_FALSE(writer.Open("", StereoSixteenBit(44100)));
    EXPECT_FALSE(writer.Open(folder.Path("missing/sound.wav"), StereoSixteenBit(44100)));
    EXPECT_FALSE(writer.Append(Counting(4)));
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path("")));
}

} // namespace

namespace {

// A file written in place is what a crash leaves: after each refresh it reads
// as a WAV file of the sound so far, and a discarded one is gone.
TEST(WaveWriter, FileWrittenInPlaceReadsUpToItsLastRefresh)
{
    CTestFolder folder;
    const std::string path = folder.Path("growing.wav");
    CWaveWriter writer;
    ASSERT_TRUE(writer.Open(path, StereoSixteenBit(8000), CWaveWriter::EPlace::inPlace));
    const std::vector<std::uint8_t> samples = Counting(800);
    ASSERT_TRUE(writer.Append(std::span(samples).first(400)));
    ASSERT_TRUE(writer.Refresh());
    ASSERT_TRUE(writer.Append(std::span(samples).subspan(400)));
    {
        CWaveFile refreshed;
        ASSERT_EQ(refreshed.Open(path), CWaveFile::EOpenResult::ok);
        EXPECT_EQ(ReadAllSamples(refreshed), std::vector<std::uint8_t>(samples.begin(), samples.begin() + 400));
    }
    ASSERT_TRUE(writer.Commit());
    {
        CWaveFile committed;
        ASSERT_EQ(committed.Open(path), CWaveFile::EOpenResult::ok);
        EXPECT_EQ(ReadAllSamples(committed), samples);
    }
    EXPECT_FALSE(std::filesystem::exists(CWaveWriter::TemporaryPathFor(path)));

    ASSERT_TRUE(writer.Open(path, StereoSixteenBit(8000), CWaveWriter::EPlace::inPlace));
    writer.Discard();
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
