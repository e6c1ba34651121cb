#pragma once
// The album's thumbnails remembered between starts, in one file of records:
// each names a picture, with its file's size and time of last change, and
// holds its thumbnail as a small JPEG file image (or says the picture can't
// be read, or that the name is forgotten). Records are only ever appended;
// a later one for a name replaces the earlier. Now and then an index record
// lists every name with the place of its record, and the file's header
// points to the newest index, so that a start reads the index and the few
// records after it rather than the whole file.
//
// Nothing in the file is trusted: every record is checked (bounds and a
// checksum) before it is used; reading stops at the first record that is not
// whole and sound, and the file is then written anew from what was. A
// thumbnail is checked again, whole, each time it is read. Portable; safe to
// use from several threads.
#include "riff/BinaryFile.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CThumbnailCache {
public:
    // What a picture's file was when its thumbnail was made.
    struct SStamp {
        std::uint64_t size = 0;
        std::uint64_t writeTime = 0;
        bool operator==(const SStamp&) const = default;
    };
    // A thumbnail, or the word that the picture could not be read.
    struct SThumbnail {
        bool readable = false;
        std::vector<std::uint8_t> jpeg;
    };

    // Names and thumbnails larger than these are not kept.
    static constexpr std::size_t kMostNameBytes = 1024;
    static constexpr std::size_t kMostThumbnailBytes = 64 * 1024;

    // The file at path for thumbnails of width x height; made when missing,
    // made anew when damaged or made for another size. False when it can't
    // be made at all: the cache then keeps nothing.
    bool Open(const std::string& path, int width, int height);
    // Writes the index, so that the next start reads little; false when the
    // file could not be written.
    bool Close();

    // What the cache holds for the picture, if it was made from its file as
    // it is now.
    std::optional<SThumbnail> Find(const std::string& name, const SStamp& stamp);
    void Store(const std::string& name, const SStamp& stamp, const SThumbnail& thumbnail);
    void Forget(const std::string& name);
    // The picture's file was renamed: its thumbnail goes with it.
    void Rename(const std::string& oldName, const std::string& newName);

    std::size_t Count() const;

private:
    struct SEntry {
        std::uint64_t recordOffset;
        std::uint32_t recordSize;
        SStamp stamp;
    };
    struct SRecord;

    bool StartAnew();
    // The entries of the index record at offset; its size, or none when the
    // index is not sound.
    std::optional<std::uint64_t> ReadIndex(std::uint64_t offset);
    // Applies records from offset on; the offset after the last sound one.
    std::uint64_t ReadRecords(std::uint64_t offset);
    std::optional<SRecord> ReadRecord(std::uint64_t offset, std::uint64_t fileSize);
    bool AppendRecord(std::uint8_t kind, std::span<const std::uint8_t> payload, std::uint64_t& offset);
    void Apply(const SRecord& record, std::uint64_t offset);
    bool WriteIndex();
    // Copies the sound records into a new file when the file is damaged, or
    // when more than half of it is records nothing points to any more.
    void CompactIfWasteful(bool damaged);

    mutable std::mutex m_lock;
    std::string m_strPath;
    CBinaryFile m_file;
    std::uint64_t m_end = 0;
    std::uint16_t m_width = 0;
    std::uint16_t m_height = 0;
    std::map<std::string, SEntry> m_entries;
    // Records appended since the newest index; the index is written again
    // once there are many.
    std::size_t m_nSinceIndex = 0;
};
