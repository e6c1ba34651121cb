#include "album/ThumbnailCache.h"

#include "riff/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'T', 'A', 'V', 'T', 'H', 'M', 'B', '1'};
constexpr std::uint32_t kVersion = 1;
// Magic, width, height, version, then the place of the newest index.
constexpr std::uint64_t kHeaderSize = 24;
constexpr std::uint64_t kIndexPlace = 16;

// "TVRC", the kind, the payload's length and checksum.
constexpr std::uint32_t kRecordMarker = 0x43525654;
constexpr std::uint64_t kRecordHeaderSize = 17;

enum EKind : std::uint8_t { kThumbnail = 1, kUnreadable = 2, kForgotten = 3, kIndex = 4 };

// A name record's fields before the name: its length, the stamp.
constexpr std::size_t kNameFieldsSize = 2 + 8 + 8;
// An index entry's fields before the name: record place and size, stamp,
// name length.
constexpr std::size_t kIndexFieldsSize = 8 + 4 + 8 + 8 + 2;
constexpr std::size_t kMostNamePayload =
    kNameFieldsSize + CThumbnailCache::kMostNameBytes + CThumbnailCache::kMostThumbnailBytes;
constexpr std::size_t kMostIndexPayload = std::size_t{64} << 20;
// Records appended after the newest index before it is written again.
constexpr std::size_t kRecordsPerIndex = 1000;
// A file smaller than this is never copied to save room.
constexpr std::uint64_t kLeastWasteWorthCopying = std::uint64_t{4} << 20;

// FNV-1a: enough to tell a damaged record, not meant against tampering.
std::uint64_t Checksum(std::span<const std::uint8_t> bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

void Put64(std::vector<std::uint8_t>& out, std::uint64_t value)
{
    Put32(out, static_cast<std::uint32_t>(value));
    Put32(out, static_cast<std::uint32_t>(value >> 32));
}

std::uint64_t Read64(const std::uint8_t* bytes) { return ReadLe32(bytes) | std::uint64_t{ReadLe32(bytes + 4)} << 32; }

bool IsNameKind(std::uint8_t kind) { return kind == kThumbnail || kind == kUnreadable || kind == kForgotten; }

std::vector<std::uint8_t> RecordBytes(std::uint8_t kind, std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> record;
    record.reserve(kRecordHeaderSize + payload.size());
    Put32(record, kRecordMarker);
    record.push_back(kind);
    Put32(record, static_cast<std::uint32_t>(payload.size()));
    Put64(record, Checksum(payload));
    record.insert(record.end(), payload.begin(), payload.end());
    return record;
}

std::vector<std::uint8_t> HeaderBytes(std::uint16_t width, std::uint16_t height)
{
    std::vector<std::uint8_t> header(kMagic, kMagic + sizeof kMagic);
    Put16(header, width);
    Put16(header, height);
    Put32(header, kVersion);
    Put64(header, 0);
    return header;
}

} // namespace

struct CThumbnailCache::SRecord {
    std::uint8_t kind = 0;
    std::vector<std::uint8_t> payload;
    std::uint64_t Size() const { return kRecordHeaderSize + payload.size(); }
    // A name record's parts; false when its payload does not hold them.
    bool Name(std::string& name, SStamp& stamp, std::span<const std::uint8_t>& data) const
    {
        if (!IsNameKind(kind) || payload.size() < kNameFieldsSize)
            return false;
        const std::size_t length = ReadLe16(payload.data());
        if (length == 0 || length > kMostNameBytes || payload.size() < kNameFieldsSize + length)
            return false;
        stamp = {Read64(payload.data() + 2), Read64(payload.data() + 10)};
        name.assign(reinterpret_cast<const char*>(payload.data()) + kNameFieldsSize, length);
        data = std::span(payload).subspan(kNameFieldsSize + length);
        return kind == kThumbnail ? !data.empty() : data.empty();
    }
};

bool CThumbnailCache::Open(const std::string& path, int width, int height)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    m_strPath = path;
    m_width = static_cast<std::uint16_t>(width);
    m_height = static_cast<std::uint16_t>(height);
    m_entries.clear();
    m_nSinceIndex = 0;
    if (!m_file.OpenForUpdating(path, true))
        return false;
    const std::uint64_t size = m_file.Size().value_or(0);
    std::array<std::uint8_t, kHeaderSize> header{};
    if (m_file.ReadAt(0, header) != header.size() || std::memcmp(header.data(), kMagic, sizeof kMagic) != 0 ||
        ReadLe16(&header[8]) != m_width || ReadLe16(&header[10]) != m_height || ReadLe32(&header[12]) != kVersion)
        return StartAnew();
    const std::uint64_t index = Read64(&header[kIndexPlace]);
    std::uint64_t from = kHeaderSize;
    bool sound = true;
    if (index != 0) {
        const std::optional<std::uint64_t> indexSize = ReadIndex(index);
        sound = indexSize.has_value();
        if (sound)
            from = index + *indexSize;
        else
            m_entries.clear();
    }
    m_end = ReadRecords(from);
    // Whatever follows the last sound record is damage, or a record a crash
    // cut short: the file is written anew without it.
    CompactIfWasteful(!sound || m_end != size);
    return m_file.IsOpen();
}

bool CThumbnailCache::StartAnew()
{
    m_entries.clear();
    m_nSinceIndex = 0;
    m_end = kHeaderSize;
    return m_file.OpenForWriting(m_strPath) && m_file.OpenForUpdating(m_strPath, false) &&
           m_file.Append(HeaderBytes(m_width, m_height));
}

std::optional<CThumbnailCache::SRecord> CThumbnailCache::ReadRecord(std::uint64_t offset, std::uint64_t fileSize)
{
    std::array<std::uint8_t, kRecordHeaderSize> header{};
    if (offset < kHeaderSize || offset > fileSize || fileSize - offset < kRecordHeaderSize ||
        m_file.ReadAt(offset, header) != header.size() || ReadLe32(header.data()) != kRecordMarker)
        return std::nullopt;
    SRecord record;
    record.kind = header[4];
    const std::uint32_t length = ReadLe32(&header[5]);
    const std::size_t most = record.kind == kIndex ? kMostIndexPayload : kMostNamePayload;
    if ((!IsNameKind(record.kind) && record.kind != kIndex) || length > most ||
        fileSize - offset - kRecordHeaderSize < length)
        return std::nullopt;
    record.payload.resize(length);
    if (m_file.ReadAt(offset + kRecordHeaderSize, record.payload) != length ||
        Checksum(record.payload) != Read64(&header[9]))
        return std::nullopt;
    return record;
}

std::optional<std::uint64_t> CThumbnailCache::ReadIndex(std::uint64_t offset)
{
    const std::optional<SRecord> index = ReadRecord(offset, m_file.Size().value_or(0));
    if (!index || index->kind != kIndex || index->payload.size() < 4)
        return std::nullopt;
    const std::uint8_t* at = index->payload.data() + 4;
    const std::uint8_t* end = index->payload.data() + index->payload.size();
    for (std::uint32_t count = ReadLe32(index->payload.data()); count > 0; --count) {
        if (static_cast<std::size_t>(end - at) < kIndexFieldsSize)
            return std::nullopt;
        const SEntry entry{Read64(at), ReadLe32(at + 8), {Read64(at + 12), Read64(at + 20)}};
        const std::size_t length = ReadLe16(at + 28);
        at += kIndexFieldsSize;
        // Every entry names a record that lies whole before the index itself.
        if (length == 0 || length > kMostNameBytes || static_cast<std::size_t>(end - at) < length ||
            entry.recordOffset < kHeaderSize || entry.recordOffset >= offset ||
            entry.recordSize > offset - entry.recordOffset)
            return std::nullopt;
        m_entries[std::string(reinterpret_cast<const char*>(at), length)] = entry;
        at += length;
    }
    if (at != end)
        return std::nullopt;
    return index->Size();
}

std::uint64_t CThumbnailCache::ReadRecords(std::uint64_t offset)
{
    const std::uint64_t size = m_file.Size().value_or(0);
    while (const std::optional<SRecord> record = ReadRecord(offset, size)) {
        std::string name;
        SStamp stamp;
        std::span<const std::uint8_t> data;
        if (record->kind != kIndex && !record->Name(name, stamp, data))
            break;
        Apply(*record, offset);
        offset += record->Size();
    }
    return offset;
}

void CThumbnailCache::Apply(const SRecord& record, std::uint64_t offset)
{
    std::string name;
    SStamp stamp;
    std::span<const std::uint8_t> data;
    if (!record.Name(name, stamp, data))
        return;
    if (record.kind == kForgotten)
        m_entries.erase(name);
    else
        m_entries[name] = SEntry{offset, static_cast<std::uint32_t>(record.Size()), stamp};
    ++m_nSinceIndex;
}

bool CThumbnailCache::AppendRecord(std::uint8_t kind, std::span<const std::uint8_t> payload, std::uint64_t& offset)
{
    const std::vector<std::uint8_t> record = RecordBytes(kind, payload);
    offset = m_end;
    // A record that fails part-way is overwritten by the next one.
    if (!m_file.MoveTo(m_end) || !m_file.Append(record))
        return false;
    m_end += record.size();
    return true;
}

std::optional<CThumbnailCache::SThumbnail> CThumbnailCache::Find(const std::string& name, const SStamp& stamp)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    const auto entry = m_entries.find(name);
    if (entry == m_entries.end() || !(entry->second.stamp == stamp))
        return std::nullopt;
    const std::optional<SRecord> record = ReadRecord(entry->second.recordOffset, m_end);
    std::string recordName;
    SStamp recordStamp;
    std::span<const std::uint8_t> data;
    if (!record || !record->Name(recordName, recordStamp, data) || recordName != name || !(recordStamp == stamp) ||
        record->kind == kForgotten)
        return std::nullopt;
    return SThumbnail{record->kind == kThumbnail, {data.begin(), data.end()}};
}

void CThumbnailCache::Store(const std::string& name, const SStamp& stamp, const SThumbnail& thumbnail)
{
    if (name.empty() || name.size() > kMostNameBytes || thumbnail.jpeg.size() > kMostThumbnailBytes ||
        thumbnail.readable == thumbnail.jpeg.empty())
        return;
    std::vector<std::uint8_t> payload;
    Put16(payload, static_cast<std::uint16_t>(name.size()));
    Put64(payload, stamp.size);
    Put64(payload, stamp.writeTime);
    payload.insert(payload.end(), name.begin(), name.end());
    payload.insert(payload.end(), thumbnail.jpeg.begin(), thumbnail.jpeg.end());
    const std::lock_guard<std::mutex> guard(m_lock);
    std::uint64_t offset = 0;
    if (!m_file.IsOpen() || !AppendRecord(thumbnail.readable ? kThumbnail : kUnreadable, payload, offset))
        return;
    m_entries[name] = SEntry{offset, static_cast<std::uint32_t>(kRecordHeaderSize + payload.size()), stamp};
    if (++m_nSinceIndex >= kRecordsPerIndex)
        WriteIndex();
}

void CThumbnailCache::Forget(const std::string& name)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    if (m_entries.erase(name) == 0)
        return;
    std::vector<std::uint8_t> payload;
    Put16(payload, static_cast<std::uint16_t>(name.size()));
    Put64(payload, 0);
    Put64(payload, 0);
    payload.insert(payload.end(), name.begin(), name.end());
    std::uint64_t offset = 0;
    AppendRecord(kForgotten, payload, offset);
    ++m_nSinceIndex;
}

void CThumbnailCache::Rename(const std::string& oldName, const std::string& newName)
{
    std::optional<SThumbnail> thumbnail;
    SStamp stamp;
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        const auto entry = m_entries.find(oldName);
        if (entry == m_entries.end())
            return;
        stamp = entry->second.stamp;
    }
    thumbnail = Find(oldName, stamp);
    Forget(oldName);
    if (thumbnail)
        Store(newName, stamp, *thumbnail);
}

std::size_t CThumbnailCache::Count() const
{
    const std::lock_guard<std::mutex> guard(m_lock);
    return m_entries.size();
}

bool CThumbnailCache::WriteIndex()
{
    std::vector<std::uint8_t> payload;
    Put32(payload, static_cast<std::uint32_t>(m_entries.size()));
    for (const auto& [name, entry] : m_entries) {
        Put64(payload, entry.recordOffset);
        Put32(payload, entry.recordSize);
        Put64(payload, entry.stamp.size);
        Put64(payload, entry.stamp.writeTime);
        Put16(payload, static_cast<std::uint16_t>(name.size()));
        payload.insert(payload.end(), name.begin(), name.end());
    }
    std::uint64_t offset = 0;
    if (payload.size() > kMostIndexPayload || !AppendRecord(kIndex, payload, offset))
        return false;
    std::vector<std::uint8_t> place;
    Put64(place, offset);
    m_nSinceIndex = 0;
    return m_file.Overwrite(kIndexPlace, place) && m_file.FlushToDisk();
}

bool CThumbnailCache::Close()
{
    const std::lock_guard<std::mutex> guard(m_lock);
    if (!m_file.IsOpen())
        return false;
    const bool indexed = m_nSinceIndex == 0 || WriteIndex();
    return m_file.Close() && indexed;
}

void CThumbnailCache::CompactIfWasteful(bool damaged)
{
    std::uint64_t live = kHeaderSize;
    for (const auto& [name, entry] : m_entries)
        live += entry.recordSize;
    if (!damaged && (m_end < kLeastWasteWorthCopying || m_end < 2 * live))
        return;
    // The sound records, one at a time, into a new file that then takes the
    // old one's place. Should that fail, the cache starts empty.
    const std::string fresh = m_strPath + ".new";
    CBinaryFile copy;
    std::map<std::string, SEntry> copied;
    std::uint64_t end = kHeaderSize;
    bool written = copy.OpenForWriting(fresh) && copy.Append(HeaderBytes(m_width, m_height));
    for (const auto& [name, entry] : m_entries) {
        const std::optional<SRecord> record = written ? ReadRecord(entry.recordOffset, m_end) : std::nullopt;
        std::string recordName;
        SStamp stamp;
        std::span<const std::uint8_t> data;
        if (!record || !record->Name(recordName, stamp, data) || recordName != name)
            continue;
        written = copy.Append(RecordBytes(record->kind, record->payload));
        copied[name] = SEntry{end, static_cast<std::uint32_t>(record->Size()), stamp};
        end += record->Size();
    }
    written = copy.Close() && written;
    m_file.Close();
    if (!written || std::remove(m_strPath.c_str()) != 0 || std::rename(fresh.c_str(), m_strPath.c_str()) != 0 ||
        !m_file.OpenForUpdating(m_strPath, false)) {
        std::remove(fresh.c_str());
        StartAnew();
        return;
    }
    m_entries = std::move(copied);
    m_end = end;
    WriteIndex();
}
