#pragma once
// WaveFormat to and from the platform's WAVEFORMATEX, for the Windows code
// that hands a format to the wave devices or takes one from a caller.
#include "riff/WaveFormat.h"

#include <windows.h>
#include <mmreg.h>

inline WAVEFORMATEX ToWaveFormatEx(const WaveFormat& format)
{
    WAVEFORMATEX platform{};
    platform.wFormatTag = format.wFormatTag;
    platform.nChannels = format.nChannels;
    platform.nSamplesPerSec = format.nSamplesPerSec;
    platform.nAvgBytesPerSec = format.nAvgBytesPerSec;
    platform.nBlockAlign = format.nBlockAlign;
    platform.wBitsPerSample = format.wBitsPerSample;
    return platform;
}

inline WaveFormat FromWaveFormatEx(const WAVEFORMATEX& platform)
{
    WaveFormat format;
    format.wFormatTag = platform.wFormatTag;
    format.nChannels = platform.nChannels;
    format.nSamplesPerSec = platform.nSamplesPerSec;
    format.nAvgBytesPerSec = platform.nAvgBytesPerSec;
    format.nBlockAlign = platform.nBlockAlign;
    format.wBitsPerSample = platform.wBitsPerSample;
    format.cbSize = platform.cbSize;
    return format;
}
