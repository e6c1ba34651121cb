#pragma once
// Writes the RIFF structure of an AVI file: one chunk per sample, an "idx1"
// index for the first RIFF and the extended (OpenDML) indexes, so that files
// larger than 1 GB continue in "AVIX" RIFF chunks and stay readable.

#include "avi/AviHeaders.h"
#include "riff/AviResult.h"
#include "riff/BinaryFile.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr std::uint64_t kDefaultRiffLimit = 1ull << 30;

// A crash or a power cut loses at most this much of a recording: the headers
// and sizes on disk are never older.
inline constexpr std::chrono::milliseconds kDefaultRefreshInterval{1000};

class CAviContainer {
public:
    // segmentLimit: the size a RIFF chunk may reach before the next one starts.
    explicit CAviContainer(std::uint64_t segmentLimit = kDefaultRiffLimit);
    ~CAviContainer();
    CAviContainer(const CAviContainer&) = delete;
    CAviContainer& operator=(const CAviContainer&) = delete;

    HRESULT Create(const std::string& path);
    bool IsOpen() const { return m_file.IsOpen(); }

    // Adds a stream and sets streamIndex to its number.
    HRESULT AddVideoStream(const AviVideoStreamInfo& info, int& streamIndex);
    HRESULT AddAudioStream(const WaveFormat& format, int& streamIndex);

    // Appends one sample chunk; ticks is its duration in the stream's time
    // units (1 for a frame, the block count for audio). After a failed write,
    // or when the indexes are full (AVIERR_BADSIZE), no further chunk is
    // taken, but Finish still completes the file with what it holds.
    HRESULT WriteChunk(int streamIndex, std::span<const std::uint8_t> data, bool bKeyFrame, std::uint32_t ticks);

    // Writes the indexes and headers and closes the file.
    HRESULT Finish();

    // While chunks are written, the headers, stream lengths and RIFF sizes
    // on disk are brought up to date and flushed to the disk with the first
    // chunk of each stream and then at most this long apart, so that a file
    // left behind by a crash plays up to its last refresh. Zero refreshes
    // after every chunk; milliseconds::max() never refreshes, for a file that
    // is of no use unless it is finished.
    void SetRefreshInterval(std::chrono::milliseconds interval) { m_refreshInterval = interval; }

private:
    HRESULT AddStream(AviStreamRecord stream, int& streamIndex);
    std::uint64_t ProjectedSegmentSize(std::uint64_t chunkSpan, int streamIndex) const;
    bool HasRoomForSegment(int streamIndex) const;
    HRESULT StopAfterWriteFailure();
    bool StartNextSegment();
    bool StartMoviList(std::uint32_t riffType);
    bool CloseSegment();
    bool WriteStandardIndex(AviStreamRecord& stream);
    bool WriteLegacyIndex();
    bool Append(std::span<const std::uint8_t> bytes);
    bool AppendWhole(std::span<const std::uint8_t> bytes);
    void RollBack(std::uint64_t position);
    bool PatchSize(std::uint64_t chunkOffset);
    void RefreshWhenDue();
    void Refresh();
    void RecordChunk(AviStreamRecord& stream, std::uint64_t chunkStart, std::uint32_t size, bool bKeyFrame,
                     std::uint32_t ticks);

    struct LegacyIndexEntry {
        std::uint32_t chunkId;
        std::uint32_t flags;
        std::uint32_t offset;
        std::uint32_t size;
    };

    std::uint64_t m_segmentLimit;
    CBinaryFile m_file;
    bool m_bStopped = false;     // no more streams or chunks are taken
    bool m_bWriteFailed = false; // something could not be written
    std::vector<AviStreamRecord> m_streams;
    std::vector<LegacyIndexEntry> m_legacyIndex;
    std::uint64_t m_position = 0;
    std::uint64_t m_segmentStart = 0;
    std::uint64_t m_moviListStart = 0;
    std::uint32_t m_segmentChunks = 0;
    bool m_bFirstSegment = true;
    std::chrono::milliseconds m_refreshInterval = kDefaultRefreshInterval;
    std::chrono::steady_clock::time_point m_lastRefresh;
    bool m_bRefreshDue = true; // a stream has no chunk on disk's headers yet
};
