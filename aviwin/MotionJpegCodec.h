#pragma once
// Our Motion-JPEG video codec: every frame a baseline JPEG picture, every
// frame a key frame. Installed for this process only, so that recordings are
// compressed on machines without any codec for 24-bit frames and play in
// every player that reads Motion-JPEG AVI files.

#include "riff/Fourcc.h"

#include <windows.h>
#include <vfw.h>

#include <cstdint>

// Quality when the caller asks for the codec's default (0..10000 scale).
inline constexpr DWORD kMotionJpegDefaultQuality = 10000;

// Registers the codec with the video compression manager for this process,
// so that the compressor dialog lists it and ICOpen finds it. Call once at
// start-up; later calls do nothing. False when the registration failed.
bool InstallMotionJpegCompressor();

// The codec's driver procedure, as the compression manager calls it.
LRESULT CALLBACK MotionJpegDriverProc(DWORD_PTR dwDriverId, HDRVR hDriver, UINT uMsg, LPARAM lParam1, LPARAM lParam2);

// The encoder's 1..100 quality for the compression manager's 0..10000 scale.
std::uint16_t JpegQualityFor(DWORD dwQuality);
