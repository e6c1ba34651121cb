#pragma once
// Reads the AVI files the album plays: the first video and the first audio
// stream's formats and where each frame and sound chunk lies, found by
// walking the "movi" lists of every RIFF segment (so a file cut short before
// its index still plays what it holds). Every size is checked against the
// file: a damaged or hostile file gives fewer chunks or none, never a read
// outside it.
#include "avi/DibFrame.h"
#include "riff/WaveFormat.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct AviChunkPlace {
    std::uint64_t offset = 0; // of the data, past the chunk header
    std::uint32_t size = 0;
};

struct AviVideoTrack {
    std::uint32_t fccHandler = 0;
    std::uint32_t dwScale = 0;
    std::uint32_t dwRate = 0;
    BitmapInfoHeader format;
    std::vector<AviChunkPlace> frames;
    // Microseconds a frame stays on show; 0 when the header gives no rate.
    std::uint64_t FramePeriodMicroseconds() const;
};

struct AviAudioTrack {
    WaveFormat format;
    std::vector<AviChunkPlace> chunks;
};

class CAviReader {
public:
    // Reads up to bytes.size() bytes at offset; returns how many were read.
    using ReadAt = std::function<std::size_t(std::uint64_t offset, std::span<std::uint8_t> bytes)>;

    // Parses the file of the given size through read; false when it is not
    // an AVI file with a video stream.
    bool Parse(ReadAt read, std::uint64_t size);
    // The same on a file; the file stays open for ReadChunk until Close.
    bool Open(const std::string& path);
    void Close();

    const AviVideoTrack& Video() const { return m_video; }
    const std::optional<AviAudioTrack>& Audio() const { return m_audio; }
    // The chunk's bytes; empty when they can't be read whole.
    std::vector<std::uint8_t> ReadChunk(const AviChunkPlace& place) const;

    // Chunks beyond this many are ignored (hours of video at any rate).
    static constexpr std::size_t kMaxChunks = 4'000'000;

private:
    struct Chunk {
        std::uint32_t id = 0;
        std::uint32_t size = 0;
        std::uint64_t dataOffset = 0;
        std::uint64_t end = 0; // past the padding byte
    };
    std::optional<Chunk> ChunkAt(std::uint64_t offset, std::uint64_t limit) const;
    std::optional<std::uint32_t> FourccAt(std::uint64_t offset) const;
    bool ReadExactly(std::uint64_t offset, std::span<std::uint8_t> bytes) const;
    void ParseRiff(const Chunk& riff, bool first);
    void ParseHeaderList(const Chunk& list);
    void ParseStreamList(const Chunk& list);
    void ParseMovi(std::uint64_t begin, std::uint64_t end, int depth);
    void TakeSample(const Chunk& chunk);

    ReadAt m_read;
    std::uint64_t m_size = 0;
    std::function<void()> m_close;
    AviVideoTrack m_video;
    std::optional<AviAudioTrack> m_audio;
    int m_videoStream = -1;
    int m_audioStream = -1;
    int m_streamCount = 0;
    std::size_t m_chunkCount = 0;
};
