#include "avi/AviHeaders.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint8_t kAviIndexOfIndexes = 0;
constexpr std::uint32_t kDmlhSize = 248;

// Fixed chunk sizes of the header list, used to prove that the reserve fits.
constexpr std::uint32_t kMainHeaderSize = 56;
constexpr std::uint32_t kStreamHeaderSize = 56;
constexpr std::uint32_t kWaveFormatSize = 18;
constexpr std::uint32_t kSuperIndexSize = 24 + 16 * kSuperIndexCapacity;
constexpr std::uint32_t kLargestHeaderList =
    12 + 8 + kMainHeaderSize +
    kMaxAviStreams * (12 + 8 + kStreamHeaderSize + 8 + kBitmapInfoHeaderSize + 8 + kSuperIndexSize) + 12 + 8 +
    kDmlhSize;
static_assert(kLargestHeaderList + 8 <= kAviHeaderReserve - 12,
              "the header list and its JUNK chunk must fit before the sample data");

std::uint32_t Clamp32(std::uint64_t value)
{
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

const AviStreamRecord* FindVideo(const std::vector<AviStreamRecord>& streams)
{
    const auto found =
        std::find_if(streams.begin(), streams.end(), [](const AviStreamRecord& stream) { return stream.bVideo; });
    return found == streams.end() ? nullptr : &*found;
}

std::uint64_t BytesPerSecond(const AviStreamRecord& stream)
{
    if (!stream.bVideo)
        return stream.audio.nAvgBytesPerSec;
    return static_cast<std::uint64_t>(stream.maxChunkSize) * stream.video.dwRate /
           std::max<std::uint32_t>(stream.video.dwScale, 1);
}

void PutMainHeader(CRiffBuffer& buffer, const std::vector<AviStreamRecord>& streams)
{
    const AviStreamRecord* pVideo = FindVideo(streams);
    std::uint64_t bytesPerSecond = 0;
    std::uint32_t largestChunk = 0;
    for (const AviStreamRecord& stream : streams) {
        bytesPerSecond += BytesPerSecond(stream);
        largestChunk = std::max(largestChunk, stream.maxChunkSize);
    }
    const std::size_t mark = buffer.BeginChunk(MakeFourcc('a', 'v', 'i', 'h'));
    const std::uint64_t microSecondsPerFrame =
        pVideo ? 1000000ull * pVideo->video.dwScale / std::max<std::uint32_t>(pVideo->video.dwRate, 1) : 0;
    buffer.Put32(Clamp32(microSecondsPerFrame));
    buffer.Put32(Clamp32(bytesPerSecond));
    buffer.Put32(0); // padding granularity
    buffer.Put32(kAvifHasIndex);
    buffer.Put32(pVideo ? pVideo->firstRiffChunks : 0); // frames of the first RIFF: what idx1 covers
    buffer.Put32(0);                                    // initial frames
    buffer.Put32(static_cast<std::uint32_t>(streams.size()));
    buffer.Put32(largestChunk);
    buffer.Put32(pVideo ? static_cast<std::uint32_t>(pVideo->video.format.biWidth) : 0);
    buffer.Put32(pVideo ? static_cast<std::uint32_t>(std::abs(pVideo->video.format.biHeight)) : 0);
    buffer.PutZeros(16);
    buffer.EndChunk(mark);
}

void PutStreamHeader(CRiffBuffer& buffer, const AviStreamRecord& stream)
{
    const std::size_t mark = buffer.BeginChunk(MakeFourcc('s', 't', 'r', 'h'));
    if (stream.bVideo) {
        buffer.Put32(MakeFourcc('v', 'i', 'd', 's'));
        buffer.Put32(stream.video.fccHandler);
    } else {
        buffer.Put32(MakeFourcc('a', 'u', 'd', 's'));
        buffer.Put32(0);
    }
    buffer.Put32(0); // flags
    buffer.Put16(0); // priority
    buffer.Put16(0); // language
    buffer.Put32(0); // initial frames
    const WaveFormat& audio = stream.audio;
    buffer.Put32(stream.bVideo ? stream.video.dwScale : audio.nBlockAlign);
    buffer.Put32(stream.bVideo ? stream.video.dwRate : audio.nSamplesPerSec * audio.nBlockAlign);
    buffer.Put32(0); // start
    buffer.Put32(Clamp32(stream.length));
    buffer.Put32(stream.maxChunkSize);
    buffer.Put32(stream.bVideo ? 0 : 0xFFFFFFFFu); // quality: the audio default
    buffer.Put32(stream.bVideo ? 0 : audio.nBlockAlign);
    buffer.Put16(0);
    buffer.Put16(0);
    buffer.Put16(stream.bVideo ? static_cast<std::uint16_t>(stream.video.format.biWidth) : 0);
    buffer.Put16(stream.bVideo ? static_cast<std::uint16_t>(std::abs(stream.video.format.biHeight)) : 0);
    buffer.EndChunk(mark);
}

void PutBitmapInfoHeader(CRiffBuffer& buffer, const BitmapInfoHeader& header)
{
    buffer.Put32(kBitmapInfoHeaderSize);
    buffer.Put32(static_cast<std::uint32_t>(header.biWidth));
    buffer.Put32(static_cast<std::uint32_t>(header.biHeight));
    buffer.Put16(header.biPlanes);
    buffer.Put16(header.biBitCount);
    buffer.Put32(header.biCompression);
    buffer.Put32(header.biSizeImage);
    buffer.Put32(static_cast<std::uint32_t>(header.biXPelsPerMeter));
    buffer.Put32(static_cast<std::uint32_t>(header.biYPelsPerMeter));
    buffer.Put32(0); // no palette follows
    buffer.Put32(0);
}

void PutWaveFormat(CRiffBuffer& buffer, const WaveFormat& format)
{
    buffer.PutPcmFormat(format);
    buffer.Put16(0); // no extra format bytes are stored
}

void PutSuperIndex(CRiffBuffer& buffer, const AviStreamRecord& stream)
{
    const std::size_t mark = buffer.BeginChunk(MakeFourcc('i', 'n', 'd', 'x'));
    buffer.Put16(4); // longs per entry
    buffer.Put8(0);  // sub type
    buffer.Put8(kAviIndexOfIndexes);
    buffer.Put32(static_cast<std::uint32_t>(stream.superIndex.size()));
    buffer.Put32(stream.chunkId);
    buffer.PutZeros(12);
    for (const AviSuperIndexEntry& entry : stream.superIndex) {
        buffer.Put64(entry.offset);
        buffer.Put32(entry.size);
        buffer.Put32(entry.duration);
    }
    buffer.PutZeros(16 * (kSuperIndexCapacity - stream.superIndex.size()));
    buffer.EndChunk(mark);
}

void PutStreamList(CRiffBuffer& buffer, const AviStreamRecord& stream)
{
    const std::size_t listMark = buffer.BeginList(MakeFourcc('L', 'I', 'S', 'T'), MakeFourcc('s', 't', 'r', 'l'));
    PutStreamHeader(buffer, stream);
    const std::size_t formatMark = buffer.BeginChunk(MakeFourcc('s', 't', 'r', 'f'));
    if (stream.bVideo) {
        PutBitmapInfoHeader(buffer, stream.video.format);
    } else {
        PutWaveFormat(buffer, stream.audio);
    }
    buffer.EndChunk(formatMark);
    PutSuperIndex(buffer, stream);
    buffer.EndChunk(listMark);
}

// The extended header: the frame count of the whole file, beyond the first RIFF.
void PutExtendedHeader(CRiffBuffer& buffer, const std::vector<AviStreamRecord>& streams)
{
    const AviStreamRecord* pVideo = FindVideo(streams);
    const std::size_t listMark = buffer.BeginList(MakeFourcc('L', 'I', 'S', 'T'), MakeFourcc('o', 'd', 'm', 'l'));
    const std::size_t mark = buffer.BeginChunk(MakeFourcc('d', 'm', 'l', 'h'));
    buffer.Put32(pVideo ? Clamp32(pVideo->length) : 0);
    buffer.PutZeros(kDmlhSize - 4);
    buffer.EndChunk(mark);
    buffer.EndChunk(listMark);
}

} // namespace

CRiffBuffer BuildAviHeaders(const std::vector<AviStreamRecord>& streams)
{
    CRiffBuffer buffer;
    const std::size_t listMark = buffer.BeginList(MakeFourcc('L', 'I', 'S', 'T'), MakeFourcc('h', 'd', 'r', 'l'));
    PutMainHeader(buffer, streams);
    for (const AviStreamRecord& stream : streams)
        PutStreamList(buffer, stream);
    PutExtendedHeader(buffer, streams);
    buffer.EndChunk(listMark);
    const std::size_t junkMark = buffer.BeginChunk(MakeFourcc('J', 'U', 'N', 'K'));
    buffer.PutZeros(kAviHeaderReserve - 12 - junkMark - 8);
    buffer.EndChunk(junkMark);
    return buffer;
}
