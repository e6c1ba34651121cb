#include "avi/AviReader.h"

#include "riff/BinaryFile.h"
#include "riff/Fourcc.h"
#include "riff/LittleEndian.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr std::uint32_t kRiff = MakeFourcc('R', 'I', 'F', 'F');
constexpr std::uint32_t kList = MakeFourcc('L', 'I', 'S', 'T');
constexpr std::uint32_t kAvi = MakeFourcc('A', 'V', 'I', ' ');
constexpr std::uint32_t kAvix = MakeFourcc('A', 'V', 'I', 'X');
constexpr std::uint32_t kHdrl = MakeFourcc('h', 'd', 'r', 'l');
constexpr std::uint32_t kStrl = MakeFourcc('s', 't', 'r', 'l');
constexpr std::uint32_t kStrh = MakeFourcc('s', 't', 'r', 'h');
constexpr std::uint32_t kStrf = MakeFourcc('s', 't', 'r', 'f');
constexpr std::uint32_t kMovi = MakeFourcc('m', 'o', 'v', 'i');
constexpr std::uint32_t kRec = MakeFourcc('r', 'e', 'c', ' ');
constexpr std::uint32_t kVids = MakeFourcc('v', 'i', 'd', 's');
constexpr std::uint32_t kAuds = MakeFourcc('a', 'u', 'd', 's');
// "rec " lists inside "movi" nest one level in practice; a few more are
// allowed, no more, so a hostile file can't recurse deep.
constexpr int kMaxListDepth = 4;
constexpr std::uint32_t kStreamHeaderSize = 48;
constexpr std::uint32_t kWaveFormatSize = 16;

// The stream number of a sample chunk ("01wb" is stream 1), or -1.
int StreamNumber(std::uint32_t id)
{
    const auto digit = [](std::uint32_t c) { return c >= '0' && c <= '9' ? static_cast<int>(c - '0') : -1; };
    const int tens = digit(id & 0xFF);
    const int ones = digit(id >> 8 & 0xFF);
    return tens < 0 || ones < 0 ? -1 : tens * 10 + ones;
}

} // namespace

std::uint64_t AviVideoTrack::FramePeriodMicroseconds() const
{
    return dwRate == 0 ? 0 : static_cast<std::uint64_t>(dwScale) * 1'000'000 / dwRate;
}

bool CAviReader::Open(const std::string& path)
{
    Close();
    auto file = std::make_shared<CBinaryFile>();
    if (!file->OpenForReading(path))
        return false;
    const std::optional<std::uint64_t> size = file->Size();
    if (!size)
        return false;
    const bool parsed = Parse(
        [file](std::uint64_t offset, std::span<std::uint8_t> bytes) { return file->ReadAt(offset, bytes); }, *size);
    m_close = [file] { file->Close(); };
    if (!parsed)
        Close();
    return parsed;
}

void CAviReader::Close()
{
    if (m_close)
        m_close();
    m_close = nullptr;
    m_read = nullptr;
}

bool CAviReader::Parse(ReadAt read, std::uint64_t size)
{
    m_read = std::move(read);
    m_size = size;
    m_video = {};
    m_audio.reset();
    m_videoStream = m_audioStream = -1;
    m_streamCount = 0;
    m_chunkCount = 0;
    std::uint64_t offset = 0;
    for (bool first = true; offset < m_size; first = false) {
        const std::optional<Chunk> riff = ChunkAt(offset, m_size);
        if (!riff || riff->id != kRiff || riff->size < 4)
            break;
        ParseRiff(*riff, first);
        if (first && m_videoStream < 0)
            return false;
        offset = riff->end;
    }
    return m_videoStream >= 0;
}

bool CAviReader::ReadExactly(std::uint64_t offset, std::span<std::uint8_t> bytes) const
{
    return m_read && offset <= m_size && bytes.size() <= m_size - offset && m_read(offset, bytes) == bytes.size();
}

std::optional<std::uint32_t> CAviReader::FourccAt(std::uint64_t offset) const
{
    std::array<std::uint8_t, 4> bytes{};
    if (!ReadExactly(offset, bytes))
        return std::nullopt;
    return ReadLe32(bytes.data());
}

std::optional<CAviReader::Chunk> CAviReader::ChunkAt(std::uint64_t offset, std::uint64_t limit) const
{
    std::array<std::uint8_t, 8> header{};
    if (limit > m_size || offset > limit || limit - offset < header.size() || !ReadExactly(offset, header))
        return std::nullopt;
    Chunk chunk;
    chunk.id = ReadLe32(header.data());
    chunk.size = ReadLe32(header.data() + 4);
    chunk.dataOffset = offset + header.size();
    // A chunk that claims more than its container holds is cut to what is
    // there: a file cut short still gives the samples it has.
    const std::uint64_t room = limit - chunk.dataOffset;
    if (chunk.size > room)
        chunk.size = static_cast<std::uint32_t>(room);
    chunk.end = std::min(limit, chunk.dataOffset + chunk.size + (chunk.size & 1));
    return chunk;
}

void CAviReader::ParseRiff(const Chunk& riff, bool first)
{
    const std::optional<std::uint32_t> type = FourccAt(riff.dataOffset);
    if (!type || *type != (first ? kAvi : kAvix))
        return;
    std::uint64_t offset = riff.dataOffset + 4;
    while (const std::optional<Chunk> chunk = ChunkAt(offset, riff.end)) {
        if (chunk->id == kList && chunk->size >= 4) {
            const std::optional<std::uint32_t> listType = FourccAt(chunk->dataOffset);
            if (first && listType == kHdrl)
                ParseHeaderList(*chunk);
            else if (listType == kMovi && m_videoStream >= 0)
                ParseMovi(chunk->dataOffset + 4, chunk->dataOffset + chunk->size, 0);
        }
        if (chunk->end <= offset)
            break;
        offset = chunk->end;
    }
}

void CAviReader::ParseHeaderList(const Chunk& list)
{
    std::uint64_t offset = list.dataOffset + 4;
    const std::uint64_t end = list.dataOffset + list.size;
    while (const std::optional<Chunk> chunk = ChunkAt(offset, end)) {
        if (chunk->id == kList && chunk->size >= 4 && FourccAt(chunk->dataOffset) == kStrl) {
            ParseStreamList(*chunk);
            ++m_streamCount;
        }
        offset = chunk->end;
    }
}

void CAviReader::ParseStreamList(const Chunk& list)
{
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> format;
    std::uint64_t offset = list.dataOffset + 4;
    const std::uint64_t end = list.dataOffset + list.size;
    while (const std::optional<Chunk> chunk = ChunkAt(offset, end)) {
        // Only the fields we use are read; both chunks are small.
        if ((chunk->id == kStrh || chunk->id == kStrf) && chunk->size <= 4096) {
            std::vector<std::uint8_t>& target = chunk->id == kStrh ? header : format;
            target.resize(chunk->size);
            if (!ReadExactly(chunk->dataOffset, target))
                target.clear();
        }
        offset = chunk->end;
    }
    if (header.size() < kStreamHeaderSize)
        return;
    const std::uint32_t type = ReadLe32(header.data());
    if (type == kVids && m_videoStream < 0 && format.size() >= kBitmapInfoHeaderSize) {
        m_videoStream = m_streamCount;
        m_video.fccHandler = ReadLe32(header.data() + 4);
        m_video.dwScale = ReadLe32(header.data() + 20);
        m_video.dwRate = ReadLe32(header.data() + 24);
        BitmapInfoHeader& bitmap = m_video.format;
        bitmap.biSize = ReadLe32(format.data());
        bitmap.biWidth = static_cast<std::int32_t>(ReadLe32(format.data() + 4));
        bitmap.biHeight = static_cast<std::int32_t>(ReadLe32(format.data() + 8));
        bitmap.biPlanes = ReadLe16(format.data() + 12);
        bitmap.biBitCount = ReadLe16(format.data() + 14);
        bitmap.biCompression = ReadLe32(format.data() + 16);
        bitmap.biSizeImage = ReadLe32(format.data() + 20);
    } else if (type == kAuds && m_audioStream < 0 && format.size() >= kWaveFormatSize) {
        m_audioStream = m_streamCount;
        WaveFormat wave;
        wave.wFormatTag = ReadLe16(format.data());
        wave.nChannels = ReadLe16(format.data() + 2);
        wave.nSamplesPerSec = ReadLe32(format.data() + 4);
        wave.nAvgBytesPerSec = ReadLe32(format.data() + 8);
        wave.nBlockAlign = ReadLe16(format.data() + 12);
        wave.wBitsPerSample = ReadLe16(format.data() + 14);
        m_audio = AviAudioTrack{wave, {}};
    }
}

void CAviReader::ParseMovi(std::uint64_t begin, std::uint64_t end, int depth)
{
    std::uint64_t offset = begin;
    while (const std::optional<Chunk> chunk = ChunkAt(offset, end)) {
        if (m_chunkCount >= kMaxChunks)
            return;
        if (chunk->id == kList) {
            if (depth < kMaxListDepth && chunk->size >= 4 && FourccAt(chunk->dataOffset) == kRec)
                ParseMovi(chunk->dataOffset + 4, chunk->dataOffset + chunk->size, depth + 1);
        } else {
            TakeSample(*chunk);
        }
        offset = chunk->end;
    }
}

void CAviReader::TakeSample(const Chunk& chunk)
{
    const int stream = StreamNumber(chunk.id);
    const std::uint32_t kind = chunk.id >> 16;
    const AviChunkPlace place{chunk.dataOffset, chunk.size};
    if (stream == m_videoStream && (kind == ('d' | 'c' << 8) || kind == ('d' | 'b' << 8))) {
        m_video.frames.push_back(place);
        ++m_chunkCount;
    } else if (stream == m_audioStream && m_audio && kind == ('w' | 'b' << 8)) {
        m_audio->chunks.push_back(place);
        ++m_chunkCount;
    }
}

std::vector<std::uint8_t> CAviReader::ReadChunk(const AviChunkPlace& place) const
{
    std::vector<std::uint8_t> bytes(place.size);
    if (!ReadExactly(place.offset, bytes))
        bytes.clear();
    return bytes;
}
