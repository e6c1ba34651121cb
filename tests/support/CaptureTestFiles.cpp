#include "CaptureTestFiles.h"

#include "avi/AviContainer.h"
#include "riff/RiffBuffer.h"
#include "avi/VideoCompressor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::filesystem::path TempRoot()
{
#ifdef CAPTURE_TEST_TEMP_ROOT
    return CAPTURE_TEST_TEMP_ROOT;
#else
    return std::filesystem::temp_directory_path() / "tavrelin-capture-tests";
#endif
}

std::string CurrentTestName()
{
    const auto* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(pInfo->test_suite_name()) + "-" + pInfo->name();
    for (char& letter : name) {
        if (!std::isalnum(static_cast<unsigned char>(letter)))
            letter = '_';
    }
    return name;
}

} // namespace

CTestFolder::CTestFolder() : m_path(TempRoot() / CurrentTestName())
{
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

CTestFolder::~CTestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string CTestFolder::Path(const std::string& name) const { return (m_path / name).string(); }

CTestFrame::CTestFrame(int width, int height, int frameNumber)
{
    m_dib.header.biWidth = width;
    m_dib.header.biHeight = height;
    m_dib.header.biBitCount = 24;
    m_dib.header.biSizeImage = static_cast<std::uint32_t>(DibImageSize(m_dib.header));
    m_pixels.resize(m_dib.header.biSizeImage);
    const std::uint32_t stride = DibStride(m_dib.header);
    for (int row = 0; row < height; ++row) {
        const std::size_t line = static_cast<std::size_t>(height - 1 - row) * stride;
        for (int x = 0; x < width; ++x) {
            for (int channel = 0; channel < 3; ++channel)
                m_pixels[line + static_cast<std::size_t>(x) * 3 + channel] = Expected(x, row, channel, frameNumber);
        }
    }
    m_dib.pBits = m_pixels.data();
}

std::uint8_t CTestFrame::Channel(int x, int row, int channel) const
{
    const std::size_t line = static_cast<std::size_t>(m_dib.header.biHeight - 1 - row) * DibStride(m_dib.header);
    return m_pixels[line + static_cast<std::size_t>(x) * 3 + channel];
}

std::uint8_t CTestFrame::Expected(int x, int row, int channel, int frameNumber)
{
    switch (channel) {
    case 0:
        return static_cast<std::uint8_t>(x + frameNumber * 3);
    case 1:
        return static_cast<std::uint8_t>(row * 2 + frameNumber);
    default:
        return static_cast<std::uint8_t>((x ^ row) + frameNumber * 7);
    }
}

WaveFormat PcmFormat(std::uint16_t channels, std::uint32_t samplesPerSec, std::uint16_t bitsPerSample)
{
    WaveFormat format;
    format.wFormatTag = kWaveFormatPcm;
    format.nChannels = channels;
    format.nSamplesPerSec = samplesPerSec;
    format.nBlockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    format.nAvgBytesPerSec = samplesPerSec * format.nBlockAlign;
    format.wBitsPerSample = bitsPerSample;
    return format;
}

std::vector<std::uint8_t> TestSamples(std::size_t count, std::uint8_t seed)
{
    std::vector<std::uint8_t> samples(count);
    for (std::size_t index = 0; index < count; ++index)
        samples[index] = static_cast<std::uint8_t>(index * 7 + index / 251 + seed);
    return samples;
}

void PutWaveFormatChunk(CRiffBuffer& wave, const WaveFormat& format, std::uint32_t chunkSize)
{
    const std::size_t fmt = wave.BeginChunk(MakeFourcc('f', 'm', 't', ' '));
    wave.Put16(format.wFormatTag);
    wave.Put16(format.nChannels);
    wave.Put32(format.nSamplesPerSec);
    wave.Put32(format.nAvgBytesPerSec);
    wave.Put16(format.nBlockAlign);
    wave.Put16(format.wBitsPerSample);
    wave.PutZeros(chunkSize - 16);
    wave.EndChunk(fmt);
}

std::vector<std::uint8_t> CanonicalWave(const WaveFormat& format, const std::vector<std::uint8_t>& samples)
{
    CRiffBuffer wave;
    const std::size_t riff = wave.BeginList(MakeFourcc('R', 'I', 'F', 'F'), MakeFourcc('W', 'A', 'V', 'E'));
    PutWaveFormatChunk(wave, format, 16);
    const std::size_t data = wave.BeginChunk(MakeFourcc('d', 'a', 't', 'a'));
    wave.PutBytes(samples);
    wave.EndChunk(data);
    wave.EndChunk(riff);
    return {wave.Bytes().begin(), wave.Bytes().end()};
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

HRESULT WriteSegmentedAvi(const std::string& path, std::uint64_t segmentLimit, int frames,
                          const std::vector<std::uint8_t>& sound, std::chrono::milliseconds refreshInterval,
                          const std::function<void(int)>& afterChunk)
{
    CAviContainer container(segmentLimit);
    container.SetRefreshInterval(refreshInterval);
    int chunks = 0;
    auto written = [&](HRESULT result) {
        if (result == AVIERR_OK && afterChunk)
            afterChunk(++chunks);
        return result;
    };
    HRESULT result = container.Create(path);
    AviVideoStreamInfo info;
    info.fccHandler = kFourccDib;
    info.dwScale = 40;
    info.format = CDibCompressor().OutputFormat(CTestFrame(32, 24, 0).Dib().header);
    int video = -1;
    int audio = -1;
    if (result == AVIERR_OK)
        result = container.AddVideoStream(info, video);
    for (int number = 0; number < frames && result == AVIERR_OK; ++number) {
        const CTestFrame frame(32, 24, number);
        result = written(container.WriteChunk(video, DibPixels(frame.Dib()), number % 10 == 0, 1));
    }
    if (result == AVIERR_OK)
        result = container.AddAudioStream(PcmFormat(1, 8000, 16), audio);
    constexpr std::size_t kSecond = 16000;
    for (std::size_t offset = 0; offset < sound.size() && result == AVIERR_OK; offset += kSecond) {
        const std::size_t size = std::min(kSecond, sound.size() - offset);
        const auto blocks = static_cast<std::uint32_t>(size / 2);
        result = written(container.WriteChunk(audio, std::span(sound).subspan(offset, size), true, blocks));
    }
    const HRESULT finished = container.Finish();
    return result == AVIERR_OK ? finished : result;
}
