#pragma once
// Decodes an MP3 file, whole, into a PCM WAV file: 16-bit samples at the
// file's own rate and channel count, with the canonical 44-byte header.

#include <string>

// Leaves no file at wavPath and returns false when the MP3 cannot be read or
// holds no sound it can decode (missing, empty or damaged file, an empty
// path). A file cut short gives the sound of the frames it still holds.
bool DecodeMp3ToWave(std::string mp3Path, std::string wavPath);
