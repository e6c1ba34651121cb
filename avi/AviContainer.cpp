#include "avi/AviContainer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr std::uint32_t kAviifKeyFrame = 0x10;
constexpr std::uint32_t kDeltaFrameBit = 0x80000000u;
constexpr std::uint8_t kAviIndexOfChunks = 1;
constexpr std::uint32_t kStandardIndexHeader = 24;
constexpr std::uint32_t kStandardIndexEntry = 8;
constexpr std::uint32_t kLegacyIndexEntry = 16;

constexpr std::uint32_t kRiff = MakeFourcc('R', 'I', 'F', 'F');
constexpr std::uint32_t kList = MakeFourcc('L', 'I', 'S', 'T');
constexpr std::uint32_t kMovi = MakeFourcc('m', 'o', 'v', 'i');

// "00db", "01wb", "ix00": two digits of the stream number after or before a pair of letters.
std::uint32_t StreamFourcc(int streamIndex, char first, char second, bool bDigitsFirst)
{
    const char tens = static_cast<char>('0' + streamIndex / 10);
    const char units = static_cast<char>('0' + streamIndex % 10);
    return bDigitsFirst ? MakeFourcc(tens, units, first, second) : MakeFourcc(first, second, tens, units);
}

std::array<std::uint8_t, 8> ChunkHeader(std::uint32_t fourcc, std::uint32_t size)
{
    std::array<std::uint8_t, 8> header{};
    for (int index = 0; index < 4; ++index) {
        header[index] = static_cast<std::uint8_t>(fourcc >> (8 * index));
        header[4 + index] = static_cast<std::uint8_t>(size >> (8 * index));
    }
    return header;
}

} // namespace

CAviContainer::CAviContainer(std::uint64_t segmentLimit) : m_segmentLimit(segmentLimit) {}

CAviContainer::~CAviContainer()
{
    if (IsOpen())
        Finish();
}

HRESULT CAviContainer::Create(const std::string& path)
{
    if (!m_file.OpenForWriting(path))
        return AVIERR_FILEOPEN;
    // The headers are written at the end, when every length is known; until
    // then the room they take is a JUNK chunk.
    CRiffBuffer start;
    start.BeginList(kRiff, MakeFourcc('A', 'V', 'I', ' '));
    const std::size_t junkMark = start.BeginChunk(MakeFourcc('J', 'U', 'N', 'K'));
    start.PutZeros(kAviHeaderReserve - 12 - 8);
    start.EndChunk(junkMark);
    m_segmentStart = 0;
    if (!AppendWhole(start.Bytes()) || !StartMoviList(0)) {
        m_file.Close();
        return AVIERR_FILEWRITE;
    }
    return AVIERR_OK;
}

HRESULT CAviContainer::AddVideoStream(const AviVideoStreamInfo& info, int& streamIndex)
{
    AviStreamRecord stream;
    stream.bVideo = true;
    stream.video = info;
    const bool bRaw = info.format.biCompression == 0;
    const int index = static_cast<int>(m_streams.size());
    stream.chunkId = StreamFourcc(index, 'd', bRaw ? 'b' : 'c', true);
    return AddStream(stream, streamIndex);
}

HRESULT CAviContainer::AddAudioStream(const WaveFormat& format, int& streamIndex)
{
    AviStreamRecord stream;
    stream.bVideo = false;
    stream.audio = format;
    stream.chunkId = StreamFourcc(static_cast<int>(m_streams.size()), 'w', 'b', true);
    return AddStream(stream, streamIndex);
}

HRESULT CAviContainer::AddStream(AviStreamRecord stream, int& streamIndex)
{
    if (!IsOpen() || m_bStopped)
        return AVIERR_FILEWRITE;
    if (m_streams.size() >= kMaxAviStreams)
        return AVIERR_UNSUPPORTED;
    streamIndex = static_cast<int>(m_streams.size());
    stream.indexChunkId = StreamFourcc(streamIndex, 'i', 'x', false);
    m_streams.push_back(std::move(stream));
    m_bRefreshDue = true;
    return AVIERR_OK;
}

HRESULT CAviContainer::WriteChunk(int streamIndex, std::span<const std::uint8_t> data, bool bKeyFrame,
                                  std::uint32_t ticks)
{
    if (!IsOpen() || m_bStopped || streamIndex < 0 || streamIndex >= static_cast<int>(m_streams.size()))
        return AVIERR_FILEWRITE;
    if (data.size() >= std::numeric_limits<std::uint32_t>::max() / 2)
        return AVIERR_BADSIZE;
    const std::uint64_t chunkSpan = RiffChunkSpan(data.size());
    if (m_segmentChunks > 0 && ProjectedSegmentSize(chunkSpan, streamIndex) > m_segmentLimit) {
        if (!HasRoomForSegment(streamIndex)) {
            // The indexes are full: what is written stays a complete file.
            m_bStopped = true;
            return AVIERR_BADSIZE;
        }
        if (!StartNextSegment())
            return StopAfterWriteFailure();
    }
    AviStreamRecord& stream = m_streams[static_cast<std::size_t>(streamIndex)];
    const auto size = static_cast<std::uint32_t>(data.size());
    const std::array<std::uint8_t, 1> padding{};
    const std::uint64_t chunkStart = m_position;
    if (!Append(ChunkHeader(stream.chunkId, size)) || !Append(data) || ((size & 1) != 0 && !Append(padding))) {
        RollBack(chunkStart);
        return StopAfterWriteFailure();
    }
    RecordChunk(stream, chunkStart, size, bKeyFrame, ticks);
    RefreshWhenDue();
    return AVIERR_OK;
}

void CAviContainer::RefreshWhenDue()
{
    if (m_refreshInterval == std::chrono::milliseconds::max())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_bRefreshDue || now - m_lastRefresh >= m_refreshInterval) {
        Refresh();
        m_lastRefresh = now;
        m_bRefreshDue = false;
    }
}

// The file on disk becomes a complete AVI without its index: the headers
// count every chunk written and the open RIFF and "movi" reach the end. A
// refresh that cannot be written is not a failure of the recording; the
// chunks themselves are written and Finish completes everything.
void CAviContainer::Refresh()
{
    const CRiffBuffer headers = BuildAviHeaders(m_streams);
    if (m_file.Overwrite(12, headers.Bytes()) && PatchSize(m_moviListStart) && PatchSize(m_segmentStart))
        m_file.FlushToDisk();
}

HRESULT CAviContainer::StopAfterWriteFailure()
{
    m_bStopped = true;
    m_bWriteFailed = true;
    return AVIERR_FILEWRITE;
}

// Closing the segment adds one standard index per stream with chunks in it;
// the new segment needs one more for the stream whose chunk opens it.
bool CAviContainer::HasRoomForSegment(int streamIndex) const
{
    for (std::size_t index = 0; index < m_streams.size(); ++index) {
        const AviStreamRecord& stream = m_streams[index];
        const std::size_t needed = stream.superIndex.size() + (stream.segmentIndex.empty() ? 0 : 1) +
                                   (static_cast<int>(index) == streamIndex ? 1 : 0);
        if (needed > kSuperIndexCapacity)
            return false;
    }
    return true;
}

void CAviContainer::RecordChunk(AviStreamRecord& stream, std::uint64_t chunkStart, std::uint32_t size, bool bKeyFrame,
                                std::uint32_t ticks)
{
    stream.segmentIndex.push_back({chunkStart + 8, bKeyFrame ? size : (size | kDeltaFrameBit)});
    if (m_bFirstSegment) {
        const auto offset = static_cast<std::uint32_t>(chunkStart - (m_moviListStart + 8));
        m_legacyIndex.push_back({stream.chunkId, bKeyFrame ? kAviifKeyFrame : 0, offset, size});
        ++stream.firstRiffChunks;
    }
    stream.length += ticks;
    stream.segmentDuration += ticks;
    stream.maxChunkSize = std::max(stream.maxChunkSize, size);
    ++m_segmentChunks;
}

// The segment's size once this chunk and the indexes that close the segment are written.
std::uint64_t CAviContainer::ProjectedSegmentSize(std::uint64_t chunkSpan, int streamIndex) const
{
    std::uint64_t size = m_position + chunkSpan - m_segmentStart;
    for (std::size_t index = 0; index < m_streams.size(); ++index) {
        const std::uint64_t entries =
            m_streams[index].segmentIndex.size() + (static_cast<int>(index) == streamIndex ? 1 : 0);
        if (entries > 0)
            size += RiffChunkSpan(kStandardIndexHeader + kStandardIndexEntry * entries);
    }
    if (m_bFirstSegment)
        size += RiffChunkSpan(kLegacyIndexEntry * (m_legacyIndex.size() + 1));
    return size;
}

bool CAviContainer::StartNextSegment() { return CloseSegment() && StartMoviList(MakeFourcc('A', 'V', 'I', 'X')); }

// riffType 0: the first segment, whose RIFF header is already written.
bool CAviContainer::StartMoviList(std::uint32_t riffType)
{
    CRiffBuffer start;
    const std::uint64_t segmentStart = riffType != 0 ? m_position : m_segmentStart;
    if (riffType != 0)
        start.BeginList(kRiff, riffType);
    const std::uint64_t moviListStart = m_position + start.Size();
    start.BeginList(kList, kMovi);
    if (!AppendWhole(start.Bytes()))
        return false;
    m_segmentStart = segmentStart;
    m_moviListStart = moviListStart;
    m_segmentChunks = 0;
    return true;
}

// Goes on after a failed index write, so that the sizes and headers still
// describe the chunks that are in the file.
bool CAviContainer::CloseSegment()
{
    bool bComplete = true;
    for (AviStreamRecord& stream : m_streams) {
        if (!stream.segmentIndex.empty())
            bComplete = WriteStandardIndex(stream) && bComplete;
    }
    bComplete = PatchSize(m_moviListStart) && bComplete;
    if (m_bFirstSegment) {
        bComplete = WriteLegacyIndex() && bComplete;
        m_bFirstSegment = false;
    }
    return PatchSize(m_segmentStart) && bComplete;
}

bool CAviContainer::WriteStandardIndex(AviStreamRecord& stream)
{
    if (stream.superIndex.size() >= kSuperIndexCapacity)
        return false;
    CRiffBuffer chunk;
    const std::size_t mark = chunk.BeginChunk(stream.indexChunkId);
    chunk.Put16(2); // longs per entry
    chunk.Put8(0);  // sub type
    chunk.Put8(kAviIndexOfChunks);
    chunk.Put32(static_cast<std::uint32_t>(stream.segmentIndex.size()));
    chunk.Put32(stream.chunkId);
    chunk.Put64(m_segmentStart);
    chunk.Put32(0);
    for (const AviIndexEntry& entry : stream.segmentIndex) {
        chunk.Put32(static_cast<std::uint32_t>(entry.dataOffset - m_segmentStart));
        chunk.Put32(entry.sizeAndFlags);
    }
    chunk.EndChunk(mark);
    const auto duration = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(stream.segmentDuration, std::numeric_limits<std::uint32_t>::max()));
    const std::uint64_t chunkStart = m_position;
    stream.segmentIndex.clear();
    stream.segmentDuration = 0;
    if (!AppendWhole(chunk.Bytes()))
        return false;
    stream.superIndex.push_back({chunkStart, static_cast<std::uint32_t>(chunk.Size()), duration});
    return true;
}

bool CAviContainer::WriteLegacyIndex()
{
    CRiffBuffer chunk;
    const std::size_t mark = chunk.BeginChunk(MakeFourcc('i', 'd', 'x', '1'));
    for (const LegacyIndexEntry& entry : m_legacyIndex) {
        chunk.Put32(entry.chunkId);
        chunk.Put32(entry.flags);
        chunk.Put32(entry.offset);
        chunk.Put32(entry.size);
    }
    chunk.EndChunk(mark);
    m_legacyIndex.clear();
    m_legacyIndex.shrink_to_fit();
    return AppendWhole(chunk.Bytes());
}

HRESULT CAviContainer::Finish()
{
    if (!IsOpen())
        return AVIERR_FILEWRITE;
    m_bStopped = true;
    bool bWritten = CloseSegment() && !m_bWriteFailed;
    const CRiffBuffer headers = BuildAviHeaders(m_streams);
    bWritten = m_file.Overwrite(12, headers.Bytes()) && bWritten;
    // A finished file is on the disk itself before anyone relies on it, or
    // replaces a damaged one with it.
    m_file.FlushToDisk();
    const bool bClosed = m_file.Close();
    return bWritten && bClosed ? AVIERR_OK : AVIERR_FILEWRITE;
}

bool CAviContainer::Append(std::span<const std::uint8_t> bytes)
{
    if (!m_file.Append(bytes))
        return false;
    m_position += bytes.size();
    return true;
}

// Appends all of the bytes or, after a failure, none of them.
bool CAviContainer::AppendWhole(std::span<const std::uint8_t> bytes)
{
    const std::uint64_t start = m_position;
    if (Append(bytes))
        return true;
    RollBack(start);
    m_bWriteFailed = true;
    return false;
}

// Drops what a failed write left after position: the next write goes there.
void CAviContainer::RollBack(std::uint64_t position)
{
    m_position = position;
    m_file.MoveTo(position);
}

// Sets the size field of the chunk at chunkOffset to reach the current end.
bool CAviContainer::PatchSize(std::uint64_t chunkOffset)
{
    const std::uint64_t size = m_position - chunkOffset - 8;
    if (size > std::numeric_limits<std::uint32_t>::max())
        return false;
    const auto header = ChunkHeader(0, static_cast<std::uint32_t>(size));
    return m_file.Overwrite(chunkOffset + 4, std::span(header).subspan(4));
}
