#include "CaptureTestFiles.h"
#include "riff/RiffBuffer.h"
#include "riff/WaveFile.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> ReadAll(CWaveFile& wave, std::size_t pieceSize)
{
    std::vector<std::uint8_t> all;
    std::vector<std::uint8_t> piece(pieceSize);
    for (std::size_t read = wave.Read(piece); read > 0; read = wave.Read(piece))
        all.insert(all.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(read));
    return all;
}

void PutOddChunk(CRiffBuffer& wave, std::uint32_t fourcc)
{
    const std::size_t chunk = wave.BeginChunk(fourcc);
    wave.PutBytes(TestSamples(5, 99));
    wave.EndChunk(chunk);
}

class WaveFileTest : public ::testing::Test {
protected:
    CWaveFile::EOpenResult OpenBytes(const std::vector<std::uint8_t>& bytes)
    {
        const std::string path = m_folder.Path("sound.wav");
        WriteFileBytes(path, bytes);
        return m_wave.Open(path);
    }

    CTestFolder m_folder;
    CWaveFile m_wave;
};

TEST_F(WaveFileTest, CanonicalFileGivesFormatAndSamples)
{
    const WaveFormat format = PcmFormat(2, 44100, 16);
    const std::vector<std::uint8_t> samples = TestSamples(4000);
    const std::vector<std::uint8_t> bytes = CanonicalWave(format, samples);
    ASSERT_EQ(bytes.size(), 44u + samples.size());

    ASSERT_EQ(OpenBytes(bytes), CWaveFile::EOpenResult::ok);
    EXPECT_TRUE(SameWaveLayout(m_wave.Format(), format));
    EXPECT_EQ(m_wave.Format().cbSize, 0);
    EXPECT_EQ(m_wave.DataSize(), samples.size());
    EXPECT_EQ(ReadAll(m_wave, 1000), samples);
}

TEST_F(WaveFileTest, ChunksBeforeAndBetweenAreSkipped)
{
    const WaveFormat format = PcmFormat(1, 22050, 16);
    const std::vector<std::uint8_t> samples = TestSamples(600);
    CRiffBuffer wave;
    const std::size_t riff = wave.BeginList(MakeFourcc('R', 'I', 'F', 'F'), MakeFourcc('W', 'A', 'V', 'E'));
    PutOddChunk(wave, MakeFourcc('J', 'U', 'N', 'K'));
    PutWaveFormatChunk(wave, format, 18);
    PutOddChunk(wave, MakeFourcc('L', 'I', 'S', 'T'));
    const std::size_t data = wave.BeginChunk(MakeFourcc('d', 'a', 't', 'a'));
    wave.PutBytes(samples);
    wave.EndChunk(data);
    PutOddChunk(wave, MakeFourcc('i', 'd', '3', ' '));
    wave.EndChunk(riff);

    ASSERT_EQ(OpenBytes({wave.Bytes().begin(), wave.Bytes().end()}), CWaveFile::EOpenResult::ok);
    EXPECT_TRUE(SameWaveLayout(m_wave.Format(), format));
    EXPECT_EQ(ReadAll(m_wave, 64), samples);
}

// A recording cut short: the sizes claim more than the file holds.
TEST_F(WaveFileTest, DataBeyondTheFileIsClippedToWholeBlocks)
{
    const WaveFormat format = PcmFormat(2, 44100, 16);
    std::vector<std::uint8_t> bytes = CanonicalWave(format, TestSamples(4000));
    bytes.resize(bytes.size() - 1001); // leaves 2999 bytes: 749 blocks and 3 stray bytes
    ASSERT_EQ(OpenBytes(bytes), CWaveFile::EOpenResult::ok);
    EXPECT_EQ(m_wave.DataSize(), 2996u);
    const std::vector<std::uint8_t> expected = TestSamples(2996);
    EXPECT_EQ(ReadAll(m_wave, 4096), expected);
}

TEST_F(WaveFileTest, UnfilledSizesStillFindTheData)
{
    std::vector<std::uint8_t> bytes = CanonicalWave(PcmFormat(1, 8000, 8), TestSamples(300));
    for (std::size_t offset : {std::size_t{4}, std::size_t{40}})
        bytes[offset] = bytes[offset + 1] = bytes[offset + 2] = bytes[offset + 3] = 0xFF;
    ASSERT_EQ(OpenBytes(bytes), CWaveFile::EOpenResult::ok);
    EXPECT_EQ(m_wave.DataSize(), 300u);
}

std::vector<std::uint8_t> ExtensibleWave(std::uint16_t subFormatTag, std::uint8_t guidLastByte)
{
    WaveFormat format = PcmFormat(2, 48000, 24);
    format.wFormatTag = 0xFFFE;
    CRiffBuffer wave;
    const std::size_t riff = wave.BeginList(MakeFourcc('R', 'I', 'F', 'F'), MakeFourcc('W', 'A', 'V', 'E'));
    PutWaveFormatChunk(wave, format, 16);
    wave.Patch32(16, 40);
    wave.Put16(22); // extension size
    wave.Put16(24); // valid bits
    wave.Put32(3);  // front left and right
    wave.Put16(subFormatTag);
    wave.PutBytes(std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38,
                                            0x9B, guidLastByte});
    const std::size_t data = wave.BeginChunk(MakeFourcc('d', 'a', 't', 'a'));
    wave.PutBytes(TestSamples(60));
    wave.EndChunk(data);
    wave.EndChunk(riff);
    return {wave.Bytes().begin(), wave.Bytes().end()};
}

TEST_F(WaveFileTest, ExtensibleFormatBecomesItsPlainTag)
{
    ASSERT_EQ(OpenBytes(ExtensibleWave(kWaveFormatPcm, 0x71)), CWaveFile::EOpenResult::ok);
    WaveFormat expected = PcmFormat(2, 48000, 24);
    EXPECT_TRUE(SameWaveLayout(m_wave.Format(), expected));
    EXPECT_EQ(m_wave.DataSize(), 60u);
}

TEST_F(WaveFileTest, ExtensibleFormatOfUnknownKindIsRefused)
{
    EXPECT_EQ(OpenBytes(ExtensibleWave(kWaveFormatPcm, 0x72)), CWaveFile::EOpenResult::malformed);
    EXPECT_EQ(m_wave.Open(m_folder.Path("absent.wav")), CWaveFile::EOpenResult::cannotOpen);
    std::vector<std::uint8_t> shortExtension = CanonicalWave(PcmFormat(2, 48000, 24), TestSamples(60));
    shortExtension[20] = 0xFE;
    shortExtension[21] = 0xFF;
    CWaveFile wave;
    const std::string path = m_folder.Path("short.wav");
    WriteFileBytes(path, shortExtension);
    EXPECT_EQ(wave.Open(path), CWaveFile::EOpenResult::malformed);
}

TEST_F(WaveFileTest, MissingFileCannotBeOpened)
{
    EXPECT_EQ(m_wave.Open(m_folder.Path("absent.wav")), CWaveFile::EOpenResult::cannotOpen);
}

struct MalformedCase {
    const char* name;
    int truncateTo;  // -1: keep the length
    int patchOffset; // -1: no patch; else a 16-bit value is written there
    std::uint8_t patchValue;
};

std::ostream& operator<<(std::ostream& stream, const MalformedCase& refused) { return stream << refused.name; }

class MalformedWaveTest : public WaveFileTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedWaveTest, IsRefused)
{
    const MalformedCase& refused = GetParam();
    std::vector<std::uint8_t> bytes = CanonicalWave(PcmFormat(2, 44100, 16), TestSamples(400));
    if (refused.truncateTo >= 0)
        bytes.resize(static_cast<std::size_t>(refused.truncateTo));
    if (refused.patchOffset >= 0) {
        bytes[static_cast<std::size_t>(refused.patchOffset)] = refused.patchValue;
        bytes[static_cast<std::size_t>(refused.patchOffset) + 1] = 0;
    }
    EXPECT_EQ(OpenBytes(bytes), CWaveFile::EOpenResult::malformed);
}

INSTANTIATE_TEST_SUITE_P(
    Wave, MalformedWaveTest,
    ::testing::Values(MalformedCase{"Empty", 0, -1, 0}, MalformedCase{"ShorterThanRiffHeader", 11, -1, 0},
                      MalformedCase{"HeaderWithoutChunks", 12, -1, 0}, MalformedCase{"FormatCut", 30, -1, 0},
                      MalformedCase{"NoDataChunk", 36, -1, 0}, MalformedCase{"NotRiff", -1, 0, 'X'},
                      MalformedCase{"NotWave", -1, 8, 'X'}, MalformedCase{"FormatTooSmall", -1, 16, 14},
                      MalformedCase{"NoFormatChunk", -1, 12, 'x'}, MalformedCase{"NoChannels", -1, 22, 0},
                      MalformedCase{"NoRate", -1, 24, 0}, MalformedCase{"NoBlockAlign", -1, 32, 0}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });

} // namespace
