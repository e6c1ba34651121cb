#pragma once
// Files and pictures the capture tests write: a private folder per test,
// synthetic frames and WAV files built byte by byte.

#include "riff/AviResult.h"
#include "avi/DibFrame.h"
#include "riff/WaveFormat.h"

#include <cstdint>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A folder of its own for the running test, removed with everything in it.
class CTestFolder {
public:
    CTestFolder();
    ~CTestFolder();
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    std::string Path(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

// A 24-bit bottom-up bitmap whose pixels depend on the frame number.
class CTestFrame {
public:
    CTestFrame(int width, int height, int frameNumber);
    const DibFrame& Dib() const { return m_dib; }
    // Blue, green, red of a pixel; row 0 is the top row of the picture.
    std::uint8_t Channel(int x, int row, int channel) const;

    static std::uint8_t Expected(int x, int row, int channel, int frameNumber);

private:
    std::vector<std::uint8_t> m_pixels;
    DibFrame m_dib;
};

WaveFormat PcmFormat(std::uint16_t channels, std::uint32_t samplesPerSec, std::uint16_t bitsPerSample);

// Sample bytes that differ from byte to byte, so misplaced data shows.
std::vector<std::uint8_t> TestSamples(std::size_t count, std::uint8_t seed = 0);

class CRiffBuffer;

// A "fmt " chunk of chunkSize bytes (16 or more) holding the format.
void PutWaveFormatChunk(CRiffBuffer& wave, const WaveFormat& format, std::uint32_t chunkSize);

// A WAV file of the canonical layout: RIFF header, 16-byte "fmt ", "data".
std::vector<std::uint8_t> CanonicalWave(const WaveFormat& format, const std::vector<std::uint8_t>& samples);

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// An AVI file written through the container alone: frames of 32 x 24 pixels
// every 40 ms (every tenth a key frame), then 8000 Hz mono 16-bit sound in
// pieces of one second, with RIFF segments of at most segmentLimit bytes.
// afterChunk, when given, runs after each chunk with the number written.
HRESULT WriteSegmentedAvi(const std::string& path, std::uint64_t segmentLimit, int frames,
                          const std::vector<std::uint8_t>& sound,
                          std::chrono::milliseconds refreshInterval = std::chrono::milliseconds(1000),
                          const std::function<void(int)>& afterChunk = {});
