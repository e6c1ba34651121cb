#include "AviContainer.h"

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
    if (IsOpen()) {
        Finish();
    }
}

HRESULT CAviContainer::Create(const std::string& path)
{
    if (!m_file.OpenForWriting(path)) {
        return AVIERR_FILEOPEN;
    }
    // The headers are written at the end, when every length is known; until
    // then the room they take is a JUNK chunk.
    CRiffBuffer start;
    start.BeginList(kRiff, MakeFourcc('A', 'V', 'I', ' '));
    const std::size_t junkMark = start.BeginChunk(MakeFourcc('J', 'U', 'N', 'K'));
    start.PutZeros(kAviHeaderReserve - 12 - 8);
    start.EndChunk(junkMark);
    m_segmentStart = 0;
    if (!Append(start.Bytes()) || !StartMoviList(0)) {
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
    if (!IsOpen() || m_bFailed) {
        return AVIERR_FILEWRITE;
    }
    if (m_streams.size() >= kMaxAviStreams) {
        return AVIERR_UNSUPPORTED;
    }
    streamIndex = static_cast<int>(m_streams.size());
    stream.indexChunkId = StreamFourcc(streamIndex, 'i', 'x', false);
    m_streams.push_back(std::move(stream));
    return AVIERR_OK;
}

HRESULT CAviContainer::WriteChunk(int streamIndex, std::span<const std::uint8_t> data, bool bKeyFrame,
                                  std::uint32_t ticks)
{
    if (!IsOpen() || m_bFailed || streamIndex < 0 || streamIndex >= static_cast<int>(m_streams.size())) {
        return AVIERR_FILEWRITE;
    }
    if (data.size() >= std::numeric_limits<std::uint32_t>::max() / 2) {
        return AVIERR_BADSIZE;
    }
    const std::uint64_t chunkSpan = RiffChunkSpan(data.size());
    if (m_segmentChunks > 0 && ProjectedSegmentSize(chunkSpan, streamIndex) > m_segmentLimit &&
        !StartNextSegment()) {
        m_bFailed = true;
        return AVIERR_FILEWRITE;
    }
    AviStreamRecord& stream = m_streams[static_cast<std::size_t>(streamIndex)];
    const auto size = static_cast<std::uint32_t>(data.size());
    const std::array<std::uint8_t, 1> padding{};
    RecordChunk(stream, size, bKeyFrame, ticks);
    if (!Append(ChunkHeader(stream.chunkId, size)) || !Append(data) ||
        ((size & 1) != 0 && !Append(padding))) {
        m_bFailed = true;
        return AVIERR_FILEWRITE;
    }
    return AVIERR_OK;
}

void CAviContainer::RecordChunk(AviStreamRecord& stream, std::uint32_t size, bool bKeyFrame, std::uint32_t ticks)
{
    stream.segmentIndex.push_back({m_position + 8, bKeyFrame ? size : (size | kDeltaFrameBit)});
    if (m_bFirstSegment) {
        const auto offset = static_cast<std::uint32_t>(m_position - (m_moviListStart + 8));
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
        if (entries > 0) {
            size += RiffChunkSpan(kStandardIndexHeader + kStandardIndexEntry * entries);
        }
    }
    if (m_bFirstSegment) {
        size += RiffChunkSpan(kLegacyIndexEntry * (m_legacyIndex.size() + 1));
    }
    return size;
}

bool CAviContainer::StartNextSegment()
{
    return CloseSegment() && StartMoviList(MakeFourcc('A', 'V', 'I', 'X'));
}

// riffType 0: the first segment, whose RIFF header is already written.
bool CAviContainer::StartMoviList(std::uint32_t riffType)
{
    CRiffBuffer start;
    if (riffType != 0) {
        m_segmentStart = m_position;
        start.BeginList(kRiff, riffType);
    }
    m_moviListStart = m_position + start.Size();
    start.BeginList(kList, kMovi);
    m_segmentChunks = 0;
    return Append(start.Bytes());
}

bool CAviContainer::CloseSegment()
{
    for (AviStreamRecord& stream : m_streams) {
        if (!stream.segmentIndex.empty() && !WriteStandardIndex(stream)) {
            return false;
        }
    }
    if (!PatchSize(m_moviListStart)) {
        return false;
    }
    if (m_bFirstSegment && !WriteLegacyIndex()) {
        return false;
    }
    m_bFirstSegment = false;
    return PatchSize(m_segmentStart);
}

bool CAviContainer::WriteStandardIndex(AviStreamRecord& stream)
{
    if (stream.superIndex.size() >= kSuperIndexCapacity) {
        return false;
    }
    CRiffBuffer chunk;
    const std::size_t mark = chunk.BeginChunk(stream.indexChunkId);
    chunk.Put16(2);  // longs per entry
    chunk.Put8(0);   // sub type
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
    stream.superIndex.push_back({m_position, static_cast<std::uint32_t>(chunk.Size()), duration});
    stream.segmentIndex.clear();
    stream.segmentDuration = 0;
    return Append(chunk.Bytes());
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
    return Append(chunk.Bytes());
}

HRESULT CAviContainer::Finish()
{
    if (!IsOpen()) {
        return AVIERR_FILEWRITE;
    }
    bool bWritten = !m_bFailed && CloseSegment();
    if (bWritten) {
        const CRiffBuffer headers = BuildAviHeaders(m_streams);
        bWritten = m_file.Overwrite(12, headers.Bytes());
    }
    const bool bClosed = m_file.Close();
    return bWritten && bClosed ? AVIERR_OK : AVIERR_FILEWRITE;
}

bool CAviContainer::Append(std::span<const std::uint8_t> bytes)
{
    if (!m_file.Append(bytes)) {
        return false;
    }
    m_position += bytes.size();
    return true;
}

// Sets the size field of the chunk at chunkOffset to reach the current end.
bool CAviContainer::PatchSize(std::uint64_t chunkOffset)
{
    const std::uint64_t size = m_position - chunkOffset - 8;
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const auto header = ChunkHeader(0, static_cast<std::uint32_t>(size));
    return m_file.Overwrite(chunkOffset + 4, std::span(header).subspan(4));
}
