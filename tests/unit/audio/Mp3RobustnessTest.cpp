#include "SoundTestFiles.h"

#include "audio/Mp3Decoder.h"
#include "riff/WaveFile.h"
#include "riff/WaveWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

namespace {

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Whatever the decoder makes of a damaged file, it is either nothing or a
// complete 16-bit PCM WAV file that the program's own reader accepts.
void ExpectNothingOrReadableWave(const std::string& wavPath, const std::string& what)
{
    EXPECT_FALSE(FileExists(CWaveWriter::TemporaryPathFor(wavPath))) << what;
    if (!FileExists(wavPath))
        return;
    CWaveFile wave;
    ASSERT_EQ(wave.Open(wavPath), CWaveFile::EOpenResult::ok) << what;
    EXPECT_EQ(wave.Format().wFormatTag, kWaveFormatPcm) << what;
    EXPECT_EQ(wave.Format().wBitsPerSample, 16) << what;
    EXPECT_GT(wave.DataSize(), 0u) << what;
}

class DamagedMp3 : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_original = FileBytes(InputPath("sine-stereo-44100.mp3"));
        ASSERT_GT(m_original.size(), 1000u);
    }

    void DecodeAndCheck(const std::vector<std::uint8_t>& damaged, const std::string& what)
    {
        const std::string mp3Path = OutputPath("damaged.mp3");
        const std::string wavPath = OutputPath("damaged.wav");
        std::remove(wavPath.c_str());
        WriteBytes(mp3Path, damaged);
        DecodeMp3ToWave(mp3Path, wavPath);
        ExpectNothingOrReadableWave(wavPath, what);
    }

    std::vector<std::uint8_t> m_original;
};

TEST_F(DamagedMp3, CutAnywhere)
{
    for (std::size_t length = 0; length < m_original.size(); length += 997) {
        DecodeAndCheck({m_original.begin(), m_original.begin() + static_cast<std::ptrdiff_t>(length)},
                       "cut to " + std::to_string(length) + " bytes");
    }
}

TEST_F(DamagedMp3, BytesOverwritten)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 60; ++round) {
        std::vector<std::uint8_t> damaged = m_original;
        std::uniform_int_distribution<std::size_t> position(0, damaged.size() - 1);
        for (int hit = 0; hit <= round; ++hit)
            damaged[position(random)] = static_cast<std::uint8_t>(random());
        DecodeAndCheck(damaged, "round " + std::to_string(round));
    }
}

TEST_F(DamagedMp3, HeadersRepeatedWithoutFrames)
{
    std::vector<std::uint8_t> headers;
    for (int copy = 0; copy < 2000; ++copy)
        headers.insert(headers.end(), {0xFF, 0xFB, 0x90, 0x64});
    DecodeAndCheck(headers, "frame headers only");
}

} // namespace
