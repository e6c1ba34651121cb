#pragma once
// The fields of the platform's WAVEFORMATEX that an AVI audio stream records.

#include <cstdint>

inline constexpr std::uint16_t kWaveFormatPcm = 1;

struct WaveFormat {
    std::uint16_t wFormatTag = 0;
    std::uint16_t nChannels = 0;
    std::uint32_t nSamplesPerSec = 0;
    std::uint32_t nAvgBytesPerSec = 0;
    std::uint16_t nBlockAlign = 0;
    std::uint16_t wBitsPerSample = 0;
    std::uint16_t cbSize = 0;
};

// Two formats describe the same sound layout (the extra size is not compared).
inline bool SameWaveLayout(const WaveFormat& first, const WaveFormat& second)
{
    return first.wFormatTag == second.wFormatTag && first.nChannels == second.nChannels &&
           first.nSamplesPerSec == second.nSamplesPerSec && first.nAvgBytesPerSec == second.nAvgBytesPerSec &&
           first.nBlockAlign == second.nBlockAlign && first.wBitsPerSample == second.wBitsPerSample;
}
