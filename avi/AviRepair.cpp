#include "avi/AviRepair.h"

#include "avi/AviStreamWriter.h"
#include "riff/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr std::uint32_t kRiff = MakeFourcc('R', 'I', 'F', 'F');
constexpr std::uint32_t kList = MakeFourcc('L', 'I', 'S', 'T');
constexpr std::uint32_t kJunk = MakeFourcc('J', 'U', 'N', 'K');
constexpr std::uint32_t kMovi = MakeFourcc('m', 'o', 'v', 'i');
constexpr std::uint32_t kAviForm = MakeFourcc('A', 'V', 'I', ' ');
constexpr std::uint32_t kAvixForm = MakeFourcc('A', 'V', 'I', 'X');
constexpr std::uint32_t kHdrl = MakeFourcc('h', 'd', 'r', 'l');
constexpr std::uint32_t kStrl = MakeFourcc('s', 't', 'r', 'l');
constexpr std::uint32_t kIdx1 = MakeFourcc('i', 'd', 'x', '1');
constexpr std::uint32_t kVids = MakeFourcc('v', 'i', 'd', 's');
constexpr std::uint32_t kAuds = MakeFourcc('a', 'u', 'd', 's');

// The placeholder that fills the header room until the first refresh.
constexpr std::uint32_t kPlaceholderSize = kAviHeaderReserve - 12 - 8;
constexpr std::uint64_t kFirstChunk = kAviHeaderReserve + 12;

// A larger chunk is no frame or sound of ours; the scan stops there rather
// than allocate for it.
constexpr std::uint32_t kLargestChunk = 64u << 20;

constexpr std::uint64_t Padded(std::uint64_t size) { return size + (size & 1); }

struct ChunkHeader {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    std::uint32_t type = 0; // the form or list type of RIFF and LIST
};

// The file and its size, read only within that size.
class CAviReader {
public:
    bool Open(const std::string& path)
    {
        if (!m_file.OpenForReading(path))
            return false;
        m_size = m_file.Size().value_or(0);
        return true;
    }

    std::uint64_t Size() const { return m_size; }

    // The platform renames no file that is open.
    void Close() { m_file.Close(); }

    std::optional<ChunkHeader> HeaderAt(std::uint64_t offset)
    {
        std::array<std::uint8_t, 12> bytes{};
        if (offset > m_size || m_size - offset < 8)
            return std::nullopt;
        const std::size_t wanted = m_size - offset >= 12 ? 12 : 8;
        if (m_file.ReadAt(offset, std::span(bytes).first(wanted)) != wanted)
            return std::nullopt;
        return ChunkHeader{ReadLe32(&bytes[0]), ReadLe32(&bytes[4]), wanted == 12 ? ReadLe32(&bytes[8]) : 0};
    }

    bool Read(std::uint64_t offset, std::span<std::uint8_t> bytes)
    {
        return offset <= m_size && m_size - offset >= bytes.size() && m_file.ReadAt(offset, bytes) == bytes.size();
    }

private:
    CBinaryFile m_file;
    std::uint64_t m_size = 0;
};

struct StreamHeader {
    bool bVideo = true;
    AviVideoStreamInfo video;
    WaveFormat audio;
    std::uint32_t length = 0;
    std::vector<std::uint64_t> indexOffsets; // of the standard indexes the super index lists
};

// Bounds-checked fields of an in-memory chunk.
class CFields {
public:
    explicit CFields(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    bool Has(std::size_t offset, std::size_t size) const
    {
        return offset <= m_bytes.size() && m_bytes.size() - offset >= size;
    }
    std::uint16_t U16(std::size_t offset) const { return Has(offset, 2) ? ReadLe16(&m_bytes[offset]) : 0; }
    std::uint32_t U32(std::size_t offset) const { return Has(offset, 4) ? ReadLe32(&m_bytes[offset]) : 0; }
    std::uint64_t U64(std::size_t offset) const
    {
        return static_cast<std::uint64_t>(U32(offset)) | static_cast<std::uint64_t>(U32(offset + 4)) << 32;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

void ReadStreamHeader(CFields fields, StreamHeader& stream)
{
    stream.bVideo = fields.U32(0) == kVids;
    stream.video.fccHandler = fields.U32(4);
    stream.video.dwScale = fields.U32(20);
    stream.video.dwRate = fields.U32(24);
    stream.length = fields.U32(32);
}

void ReadStreamFormat(CFields fields, StreamHeader& stream)
{
    if (stream.bVideo) {
        BitmapInfoHeader& format = stream.video.format;
        format.biWidth = static_cast<std::int32_t>(fields.U32(4));
        format.biHeight = static_cast<std::int32_t>(fields.U32(8));
        format.biPlanes = fields.U16(12);
        format.biBitCount = fields.U16(14);
        format.biCompression = fields.U32(16);
        format.biSizeImage = fields.U32(20);
        format.biXPelsPerMeter = static_cast<std::int32_t>(fields.U32(24));
        format.biYPelsPerMeter = static_cast<std::int32_t>(fields.U32(28));
        return;
    }
    WaveFormat& format = stream.audio;
    format.wFormatTag = fields.U16(0);
    format.nChannels = fields.U16(2);
    format.nSamplesPerSec = fields.U32(4);
    format.nAvgBytesPerSec = fields.U32(8);
    format.nBlockAlign = fields.U16(12);
    format.wBitsPerSample = fields.U16(14);
}

void ReadSuperIndex(CFields fields, StreamHeader& stream)
{
    const std::uint32_t entries = fields.U32(4);
    for (std::uint32_t entry = 0; entry < entries && entry < kSuperIndexCapacity && fields.Has(24 + 16 * entry, 16);
         ++entry) {
        stream.indexOffsets.push_back(fields.U64(24 + 16 * entry));
    }
}

// The children of a "strl" list: "strh", "strf", "indx".
StreamHeader ReadStreamList(std::span<const std::uint8_t> list)
{
    StreamHeader stream;
    std::size_t offset = 0;
    while (CFields(list).Has(offset, 8)) {
        const std::uint32_t id = CFields(list).U32(offset);
        const std::size_t size = std::min<std::size_t>(CFields(list).U32(offset + 4), list.size() - offset - 8);
        const CFields fields(list.subspan(offset + 8, size));
        if (id == MakeFourcc('s', 't', 'r', 'h')) {
            ReadStreamHeader(fields, stream);
        } else if (id == MakeFourcc('s', 't', 'r', 'f')) {
            ReadStreamFormat(fields, stream);
        } else if (id == MakeFourcc('i', 'n', 'd', 'x')) {
            ReadSuperIndex(fields, stream);
        }
        offset += 8 + Padded(size);
    }
    return stream;
}

// The streams of the header list at offset 12; none while it is still the
// placeholder.
std::vector<StreamHeader> ReadStreamHeaders(CAviReader& reader)
{
    std::vector<std::uint8_t> room(kAviHeaderReserve - 12);
    std::vector<StreamHeader> streams;
    if (!reader.Read(12, room) || CFields(room).U32(0) != kList || CFields(room).U32(8) != kHdrl)
        return streams;
    const std::size_t listEnd = std::min<std::size_t>(8 + std::size_t{CFields(room).U32(4)}, room.size());
    std::size_t offset = 12;
    while (offset + 8 <= listEnd && streams.size() < kMaxAviStreams) {
        const CFields fields(room);
        const std::size_t size = std::min<std::size_t>(fields.U32(offset + 4), listEnd - offset - 8);
        if (fields.U32(offset) == kList && fields.U32(offset + 8) == kStrl && size >= 4)
            streams.push_back(ReadStreamList(std::span(room).subspan(offset + 12, size - 4)));
        offset += 8 + Padded(size);
    }
    return streams;
}

// RIFF "AVI ", the header room of our writer (the placeholder or the header
// list with the JUNK that fills it), then the "movi" list.
bool HasOurLayout(CAviReader& reader)
{
    const auto riff = reader.HeaderAt(0);
    const auto first = reader.HeaderAt(12);
    const auto movi = reader.HeaderAt(kAviHeaderReserve);
    if (!riff || riff->id != kRiff || riff->type != kAviForm || !first || !movi || movi->id != kList ||
        movi->type != kMovi) {
        return false;
    }
    if (first->id == kJunk)
        return first->size == kPlaceholderSize;
    const std::uint64_t junkOffset = 12 + 8 + Padded(first->size);
    const auto junk = first->id == kList && first->type == kHdrl ? reader.HeaderAt(junkOffset) : std::nullopt;
    return junk && junk->id == kJunk && junkOffset + 8 + junk->size == kAviHeaderReserve;
}

// A finished file: the RIFFs chain to the end of the file, the first holds
// its "idx1", and a stream's super index lists a standard index in the last
// RIFF (a refresh lists only those of the RIFFs already closed).
bool IsFinished(CAviReader& reader, const std::vector<StreamHeader>& streams)
{
    const auto riff = reader.HeaderAt(0);
    const auto movi = reader.HeaderAt(kAviHeaderReserve);
    if (streams.empty() || !riff || !movi || 8 + std::uint64_t{riff->size} > reader.Size())
        return false;
    const auto idx1 = reader.HeaderAt(kAviHeaderReserve + 8 + Padded(movi->size));
    if (!idx1 || idx1->id != kIdx1)
        return false;
    std::uint64_t lastRiff = 0;
    std::uint64_t offset = 8 + Padded(riff->size);
    while (offset < reader.Size()) {
        const auto next = reader.HeaderAt(offset);
        if (!next || next->id != kRiff || next->type != kAvixForm)
            return false;
        lastRiff = offset;
        offset += 8 + Padded(next->size);
    }
    if (offset != reader.Size() && offset != reader.Size() + 1)
        return false;
    bool bAnyChunks = false;
    for (const StreamHeader& stream : streams) {
        bAnyChunks = bAnyChunks || stream.length > 0;
        for (std::uint64_t indexOffset : stream.indexOffsets) {
            if (indexOffset >= lastRiff)
                return true;
        }
    }
    return !bAnyChunks;
}

bool IsUsable(const StreamHeader& stream)
{
    if (stream.bVideo) {
        const BitmapInfoHeader& format = stream.video.format;
        return stream.video.dwScale != 0 && stream.video.dwRate != 0 && format.biWidth > 0 && format.biHeight != 0;
    }
    const WaveFormat& format = stream.audio;
    return format.nChannels != 0 && format.nSamplesPerSec != 0 && format.nBlockAlign != 0;
}

struct FoundChunk {
    int stream = 0;
    std::uint64_t dataOffset = 0;
    std::uint32_t size = 0;
};

// "00db", "00dc" for video, "01wb" for sound: the stream number in two digits.
std::optional<int> StreamOfChunk(std::uint32_t id, const std::vector<StreamHeader>& streams)
{
    const int tens = static_cast<int>(id & 0xFF) - '0';
    const int units = static_cast<int>(id >> 8 & 0xFF) - '0';
    const std::uint32_t kind = id >> 16;
    if (tens != 0 || units < 0 || units >= static_cast<int>(streams.size()))
        return std::nullopt;
    const bool bVideoKind = kind == ('d' | 'b' << 8) || kind == ('d' | 'c' << 8);
    const bool bAudioKind = kind == ('w' | 'b' << 8);
    if (streams[static_cast<std::size_t>(units)].bVideo ? !bVideoKind : !bAudioKind)
        return std::nullopt;
    return units;
}

bool IsIndexOrFiller(std::uint32_t id) { return id == kJunk || id == kIdx1 || (id & 0xFFFF) == ('i' | 'x' << 8); }

// Every whole sample chunk in file order, through the "movi" lists of all
// RIFFs, up to the first thing that is not one: the part a crash cut off.
std::vector<FoundChunk> ScanSampleChunks(CAviReader& reader, const std::vector<StreamHeader>& streams)
{
    std::vector<FoundChunk> chunks;
    std::uint64_t offset = kFirstChunk;
    while (const auto header = reader.HeaderAt(offset)) {
        const bool bSegmentStart = header->id == kRiff && header->type == kAvixForm;
        if (bSegmentStart || (header->id == kList && header->type == kMovi)) {
            offset += 12;
            continue;
        }
        if (header->size > kLargestChunk || reader.Size() - offset - 8 < header->size)
            break;
        if (const auto stream = StreamOfChunk(header->id, streams)) {
            chunks.push_back({*stream, offset + 8, header->size});
        } else if (!IsIndexOrFiller(header->id)) {
            break;
        }
        offset += 8 + Padded(header->size);
    }
    return chunks;
}

class CRebuild {
public:
    CRebuild(CAviReader& reader, const AviRepairOptions& options) : m_reader(reader), m_container(options.segmentLimit)
    {
        m_container.SetRefreshInterval(std::chrono::milliseconds::max());
    }

    bool Write(const std::string& path, const std::vector<StreamHeader>& streams, const std::vector<FoundChunk>& chunks,
               CWaveFile* pWave)
    {
        if (m_container.Create(path) != AVIERR_OK || !AddStreams(streams, chunks, pWave)) {
            m_container.Finish();
            return false;
        }
        bool bWritten = CopyChunks(streams, chunks, pWave != nullptr);
        if (bWritten && pWave != nullptr) {
            std::int64_t blocks = 0;
            bWritten = AppendWaveSamples(m_container, m_audioStream, *pWave, blocks) == AVIERR_OK;
        }
        return m_container.Finish() == AVIERR_OK && bWritten;
    }

private:
    // The streams in their order, the sound's only when there is sound.
    bool AddStreams(const std::vector<StreamHeader>& streams, const std::vector<FoundChunk>& chunks, CWaveFile* pWave)
    {
        for (std::size_t index = 0; index < streams.size(); ++index) {
            const StreamHeader& stream = streams[index];
            int added = -1;
            HRESULT result = AVIERR_OK;
            if (stream.bVideo) {
                result = m_container.AddVideoStream(stream.video, added);
            } else if (pWave != nullptr) {
                result = m_container.AddAudioStream(pWave->Format(), added);
            } else if (HasChunks(chunks, static_cast<int>(index))) {
                result = m_container.AddAudioStream(stream.audio, added);
            }
            if (result != AVIERR_OK)
                return false;
            m_newIndex.push_back(added);
            if (!stream.bVideo)
                m_audioStream = added;
        }
        if (pWave != nullptr && m_audioStream < 0)
            return m_container.AddAudioStream(pWave->Format(), m_audioStream) == AVIERR_OK;
        return true;
    }

    static bool HasChunks(const std::vector<FoundChunk>& chunks, int stream)
    {
        for (const FoundChunk& chunk : chunks) {
            if (chunk.stream == stream)
                return true;
        }
        return false;
    }

    // Every frame is taken as a key frame: the index that told them apart is
    // what the crash lost, and our codecs make key frames only.
    bool CopyChunks(const std::vector<StreamHeader>& streams, const std::vector<FoundChunk>& chunks, bool bDropSound)
    {
        std::vector<std::uint8_t> buffer;
        for (const FoundChunk& chunk : chunks) {
            const StreamHeader& stream = streams[static_cast<std::size_t>(chunk.stream)];
            if (!stream.bVideo && bDropSound)
                continue;
            buffer.resize(chunk.size);
            const std::uint32_t ticks = stream.bVideo ? 1 : chunk.size / stream.audio.nBlockAlign;
            if (!m_reader.Read(chunk.dataOffset, buffer) ||
                m_container.WriteChunk(m_newIndex[static_cast<std::size_t>(chunk.stream)], buffer, true, ticks) !=
                    AVIERR_OK) {
                return false;
            }
        }
        return true;
    }

    CAviReader& m_reader;
    CAviContainer m_container;
    std::vector<int> m_newIndex;
    int m_audioStream = -1;
};

// The repaired file takes the old one's place; the old one is removed only
// once the new one is there, and put back if it cannot be.
bool ReplaceWithRepaired(const std::string& path)
{
    const std::string backup = AviRepairBackupPath(path);
    std::remove(backup.c_str());
    if (std::rename(path.c_str(), backup.c_str()) != 0)
        return false;
    if (std::rename(AviRepairTemporaryPath(path).c_str(), path.c_str()) != 0) {
        std::rename(backup.c_str(), path.c_str());
        return false;
    }
    std::remove(backup.c_str());
    return true;
}

} // namespace

std::string AviRepairTemporaryPath(const std::string& path) { return path + ".repair"; }

std::string AviRepairBackupPath(const std::string& path) { return path + ".damaged"; }

bool AviNeedsRepair(const std::string& path)
{
    CAviReader reader;
    return reader.Open(path) && HasOurLayout(reader) && !IsFinished(reader, ReadStreamHeaders(reader));
}

EAviRepair RepairAvi(const std::string& path, const AviRepairOptions& options)
{
    CAviReader reader;
    if (!reader.Open(path) || !HasOurLayout(reader))
        return EAviRepair::notOurs;
    const std::vector<StreamHeader> streams = ReadStreamHeaders(reader);
    if (IsFinished(reader, streams))
        return EAviRepair::complete;
    if (streams.empty())
        return EAviRepair::unrepairable;
    for (const StreamHeader& stream : streams) {
        if (!IsUsable(stream))
            return EAviRepair::unrepairable;
    }
    CWaveFile wave;
    const bool bWave = !options.wavPath.empty() && wave.Open(options.wavPath, true) == CWaveFile::EOpenResult::ok;
    const std::vector<FoundChunk> chunks = ScanSampleChunks(reader, streams);
    if (!bWave && chunks.empty() &&
        std::none_of(streams.begin(), streams.end(), [](const StreamHeader& stream) { return stream.bVideo; })) {
        return EAviRepair::unrepairable; // a file without streams would be worth less than this one
    }
    const std::string temporaryPath = AviRepairTemporaryPath(path);
    const bool bWritten = CRebuild(reader, options).Write(temporaryPath, streams, chunks, bWave ? &wave : nullptr);
    reader.Close();
    if (!bWritten || !ReplaceWithRepaired(path)) {
        std::remove(temporaryPath.c_str());
        return EAviRepair::failed;
    }
    return EAviRepair::repaired;
}
