#pragma once
// What the AVI container knows about each of its streams, and the header list
// ("hdrl") built from it when the file is completed.

#include "avi/DibFrame.h"
#include "riff/RiffBuffer.h"
#include "riff/WaveFormat.h"

#include <cstdint>
#include <vector>

struct AviVideoStreamInfo {
    std::uint32_t fccHandler = 0;
    std::uint32_t dwScale = 1; // with dwRate: seconds per frame = dwScale / dwRate
    std::uint32_t dwRate = 1000;
    BitmapInfoHeader format;
};

// One chunk in a standard index: where its data starts and its size, with the
// top bit set for a frame that is not a key frame.
struct AviIndexEntry {
    std::uint64_t dataOffset = 0;
    std::uint32_t sizeAndFlags = 0;
};

// One standard index chunk ("ix##") as the stream's super index lists it.
struct AviSuperIndexEntry {
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t duration = 0;
};

struct AviStreamRecord {
    bool bVideo = true;
    AviVideoStreamInfo video;
    WaveFormat audio;
    std::uint32_t chunkId = 0;      // "00db", "00dc" or "01wb"
    std::uint32_t indexChunkId = 0; // "ix00", "ix01"
    std::uint64_t length = 0;       // frames, or audio blocks
    std::uint32_t firstRiffChunks = 0;
    std::uint32_t maxChunkSize = 0;
    std::vector<AviIndexEntry> segmentIndex;
    std::uint64_t segmentDuration = 0;
    std::vector<AviSuperIndexEntry> superIndex;
};

inline constexpr std::uint32_t kMaxAviStreams = 2;

// Standard index chunks one stream can list: one per RIFF segment of about
// 1 GB, so a file may grow to about 256 GB.
inline constexpr std::uint32_t kSuperIndexCapacity = 256;

// Bytes reserved at the start of the file for the header list; the sample
// data ("movi") starts right after them.
inline constexpr std::uint32_t kAviHeaderReserve = 9216;

// The header list followed by a "JUNK" chunk that fills the reserve exactly.
CRiffBuffer BuildAviHeaders(const std::vector<AviStreamRecord>& streams);
