#include "SoundTestFiles.h"

#include "audio/Mp3Decoder.h"
#include "riff/WaveFile.h"
#include "riff/WaveWriter.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace {

struct DecodableCase {
    const char* name;
    std::uint16_t channels;
    std::uint32_t rate;
};

// The native step after this run compares these files with sox and ffmpeg.
const DecodableCase kDecodable[] = {
    {"sine-mono-44100", 1, 44100},   {"sine-stereo-44100", 2, 44100}, {"sine-mono-22050", 1, 22050},
    {"sine-stereo-22050", 2, 22050}, {"cut-in-half", 2, 44100},       {"formats-joined", 1, 44100},
};

const char* const kUndecodable[] = {"cut-in-first-frame", "random-bytes", "wave-renamed", "empty", "missing"};

class DecodableMp3 : public ::testing::TestWithParam<DecodableCase> {};

TEST_P(DecodableMp3, BecomesSixteenBitPcmInItsOwnRateAndChannels)
{
    const DecodableCase& sample = GetParam();
    const std::string wavPath = OutputPath(std::string(sample.name) + ".wav");
    DecodeMp3ToWave(InputPath(std::string(sample.name) + ".mp3"), wavPath);

    CWaveFile wave;
    ASSERT_EQ(wave.Open(wavPath), CWaveFile::EOpenResult::ok);
    EXPECT_EQ(wave.Format().wFormatTag, kWaveFormatPcm);
    EXPECT_EQ(wave.Format().nChannels, sample.channels);
    EXPECT_EQ(wave.Format().nSamplesPerSec, sample.rate);
    EXPECT_EQ(wave.Format().wBitsPerSample, 16);
    EXPECT_GT(wave.DataSize(), 0u);
    EXPECT_FALSE(FileExists(CWaveWriter::TemporaryPathFor(wavPath)));

    const std::vector<std::uint8_t> bytes = FileBytes(wavPath);
    EXPECT_EQ(FourCharacters(bytes, 36), "data") << "canonical 44-byte header";
    EXPECT_EQ(Field32(bytes, 40) + CWaveWriter::kHeaderSize, bytes.size());
}

INSTANTIATE_TEST_SUITE_P(Sines, DecodableMp3, ::testing::ValuesIn(kDecodable), [](const auto& info) {
    std::string name = info.param.name;
    std::erase(name, '-');
    return name;
});

class UndecodableMp3 : public ::testing::TestWithParam<const char*> {};

TEST_P(UndecodableMp3, LeavesNoWaveFile)
{
    const std::string wavPath = OutputPath(std::string(GetParam()) + ".wav");
    DecodeMp3ToWave(InputPath(std::string(GetParam()) + ".mp3"), wavPath);
    EXPECT_FALSE(FileExists(wavPath));
    EXPECT_FALSE(FileExists(CWaveWriter::TemporaryPathFor(wavPath)));
}

INSTANTIATE_TEST_SUITE_P(Damaged, UndecodableMp3, ::testing::ValuesIn(kUndecodable), [](const auto& info) {
    std::string name = info.param;
    std::erase(name, '-');
    return name;
});

TEST(Mp3Decoding, EmptyPathsWriteNothing)
{
    const std::string wavPath = OutputPath("empty-mp3-path.wav");
    DecodeMp3ToWave("", wavPath);
    EXPECT_FALSE(FileExists(wavPath));
    DecodeMp3ToWave(InputPath("sine-mono-44100.mp3"), "");
    EXPECT_FALSE(FileExists(CWaveWriter::TemporaryPathFor("")));
}

TEST(Mp3Decoding, ReplacesAnOlderWaveFile)
{
    const std::string wavPath = OutputPath("replaced.wav");
    DecodeMp3ToWave(InputPath("sine-stereo-22050.mp3"), wavPath);
    DecodeMp3ToWave(InputPath("sine-mono-44100.mp3"), wavPath);
    CWaveFile wave;
    ASSERT_EQ(wave.Open(wavPath), CWaveFile::EOpenResult::ok);
    EXPECT_EQ(wave.Format().nChannels, 1);
    EXPECT_EQ(wave.Format().nSamplesPerSec, 44100u);
}

TEST(Mp3Decoding, OutputIntoMissingFolderLeavesNothing)
{
    const std::string wavPath = OutputPath("no-such-folder/sound.wav");
    DecodeMp3ToWave(InputPath("sine-mono-44100.mp3"), wavPath);
    EXPECT_FALSE(FileExists(wavPath));
}

// The program's paths are in the ANSI code page; a name outside ASCII must
// reach the same file as its UTF-16 spelling does.
TEST(Mp3Decoding, PathsAreInTheAnsiCodePage)
{
    const wchar_t* const pAccented = L"\u00e9t\u00e9";
    char ansi[16] = {};
    BOOL bLossy = FALSE;
    if (::WideCharToMultiByte(CP_ACP, 0, pAccented, -1, ansi, sizeof(ansi), nullptr, &bLossy) == 0 || bLossy)
        GTEST_SKIP() << "the ANSI code page has no accented letters";
    const std::filesystem::path wideMp3 = std::filesystem::path(InputPath("")) / (std::wstring(pAccented) + L".mp3");
    const std::filesystem::path wideWav = std::filesystem::path(OutputPath("")) / (std::wstring(pAccented) + L".wav");
    std::filesystem::copy_file(InputPath("sine-mono-44100.mp3"), wideMp3,
                               std::filesystem::copy_options::overwrite_existing);

    DecodeMp3ToWave(InputPath(std::string(ansi) + ".mp3"), OutputPath(std::string(ansi) + ".wav"));
    EXPECT_TRUE(std::filesystem::exists(wideWav));
}

} // namespace
