// The thumbnail cache file against a plain map of what was stored: what
// comes back after a restart is exactly what went in, a damaged file never
// gives a wrong thumbnail and is written anew, and the file stays small
// however often a name is stored again. And the image list's places: the
// picture shown longest ago gives up its place.
#include "album/ThumbnailCache.h"
#include "album/ThumbnailSlots.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Stamp = CThumbnailCache::SStamp;

Bytes Thumbnail(int seed, std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed * 31 + i * 7);
    return bytes;
}

class ThumbnailCacheFile : public testing::Test {
protected:
    std::string m_path = (std::filesystem::temp_directory_path() /
                          (std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".cache"))
                             .string();
    // What the cache was last given, name by name: the reference.
    std::map<std::string, std::pair<Stamp, CThumbnailCache::SThumbnail>> m_stored;

    void TearDown() override { std::filesystem::remove(m_path); }

    void Store(CThumbnailCache& cache, const std::string& name, Stamp stamp, Bytes jpeg)
    {
        const CThumbnailCache::SThumbnail thumbnail{!jpeg.empty(), jpeg};
        cache.Store(name, stamp, thumbnail);
        m_stored[name] = {stamp, thumbnail};
    }

    // Every name the cache gives back, with what it gives; a damaged cache
    // may have lost some, never changed one.
    std::size_t ExpectNothingWrong(CThumbnailCache& cache)
    {
        std::size_t found = 0;
        for (const auto& [name, stored] : m_stored)
            if (const auto thumbnail = cache.Find(name, stored.first)) {
                EXPECT_EQ(thumbnail->readable, stored.second.readable) << name;
                EXPECT_EQ(thumbnail->jpeg, stored.second.jpeg) << name;
                ++found;
            }
        return found;
    }

    Bytes FileBytes() const
    {
        std::ifstream file(m_path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    void WriteFile(const Bytes& bytes) const
    {
        std::ofstream(m_path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
};

TEST_F(ThumbnailCacheFile, WhatWasStoredComesBackAfterARestart)
{
    {
        CThumbnailCache cache;
        ASSERT_TRUE(cache.Open(m_path, 80, 60));
        Store(cache, "000001.jpg", {1000, 7}, Thumbnail(1, 2000));
        Store(cache, "Отпуск 夏.jpg", {2000, 8}, Thumbnail(2, 1500));
        Store(cache, "broken.jpg", {3, 9}, {});
        Store(cache, "gone.jpg", {4, 10}, Thumbnail(4, 100));
        Store(cache, "holiday.jpg", {5, 11}, Thumbnail(5, 300));
        cache.Forget("gone.jpg");
        cache.Rename("holiday.jpg", "winter.jpg");
        EXPECT_TRUE(cache.Close());
    }
    m_stored["winter.jpg"] = m_stored["holiday.jpg"];
    CThumbnailCache cache;
    ASSERT_TRUE(cache.Open(m_path, 80, 60));
    EXPECT_EQ(cache.Count(), 4u);
    EXPECT_FALSE(cache.Find("gone.jpg", {4, 10}));
    EXPECT_FALSE(cache.Find("holiday.jpg", {5, 11}));
    m_stored.erase("gone.jpg");
    m_stored.erase("holiday.jpg");
    EXPECT_EQ(ExpectNothingWrong(cache), 4u);
    // A picture changed since (another size or time) is made again.
    EXPECT_FALSE(cache.Find("000001.jpg", {1001, 7}));
    EXPECT_FALSE(cache.Find("000001.jpg", {1000, 8}));
    // Another thumbnail size starts an empty cache.
    cache.Close();
    ASSERT_TRUE(cache.Open(m_path, 40, 30));
    EXPECT_EQ(cache.Count(), 0u);
}

// Without Close (a crash) the records are still there; with many of them the
// index is written on the way, and a start reads it and what follows.
TEST_F(ThumbnailCacheFile, ManyRecordsAndNoCloseLoseNothing)
{
    {
        CThumbnailCache cache;
        ASSERT_TRUE(cache.Open(m_path, 80, 60));
        for (int i = 0; i < 2500; ++i)
            Store(cache, "p" + std::to_string(i) + ".jpg", {std::uint64_t(i), 1}, Thumbnail(i, 40 + i % 50));
    }
    CThumbnailCache cache;
    ASSERT_TRUE(cache.Open(m_path, 80, 60));
    EXPECT_EQ(cache.Count(), 2500u);
    EXPECT_EQ(ExpectNothingWrong(cache), 2500u);
}

// Damage anywhere: cut short, bytes changed, junk after the end. The cache
// opens, gives back nothing wrong, and the file it leaves opens cleanly with
// as much again.
TEST_F(ThumbnailCacheFile, ADamagedFileNeverGivesAWrongThumbnailAndIsWrittenAnew)
{
    {
        CThumbnailCache cache;
        ASSERT_TRUE(cache.Open(m_path, 80, 60));
        for (int i = 0; i < 200; ++i)
            Store(cache, "p" + std::to_string(i) + ".jpg", {std::uint64_t(i), 2}, Thumbnail(i, 30));
        Store(cache, "last.jpg", {1, 1}, Thumbnail(9, 64));
        ASSERT_TRUE(cache.Close());
    }
    const Bytes whole = FileBytes();
    for (std::size_t at = 0; at < whole.size(); at += whole.size() / 61 + 1)
        for (int damage = 0; damage < 3; ++damage) {
            SCOPED_TRACE(std::to_string(at) + " damage " + std::to_string(damage));
            Bytes bytes = whole;
            if (damage == 0)
                bytes.resize(at);
            else if (damage == 1)
                bytes[at] ^= 0x41;
            else
                bytes.insert(bytes.end(), whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(at % 500));
            WriteFile(bytes);
            std::size_t kept = 0;
            {
                CThumbnailCache cache;
                ASSERT_TRUE(cache.Open(m_path, 80, 60));
                kept = ExpectNothingWrong(cache);
            }
            const Bytes rewritten = FileBytes();
            CThumbnailCache again;
            ASSERT_TRUE(again.Open(m_path, 80, 60));
            EXPECT_EQ(ExpectNothingWrong(again), kept);
            EXPECT_EQ(FileBytes(), rewritten) << "a sound file is read as it is";
        }
}

TEST_F(ThumbnailCacheFile, ANameStoredOverAndOverKeepsTheFileSmall)
{
    CThumbnailCache cache;
    ASSERT_TRUE(cache.Open(m_path, 80, 60));
    for (int i = 0; i < 600; ++i) {
        Store(cache, "again.jpg", {std::uint64_t(i), 1}, Thumbnail(i, 30000));
        cache.Close();
        ASSERT_TRUE(cache.Open(m_path, 80, 60));
    }
    EXPECT_LT(std::filesystem::file_size(m_path), std::uintmax_t{9} << 20) << "written anew when mostly waste";
    EXPECT_EQ(ExpectNothingWrong(cache), 1u);
}

TEST(ThumbnailSlots, ThePictureShownLongestAgoGivesUpItsPlace)
{
    CThumbnailSlots slots(3);
    EXPECT_EQ(slots.Take(10), 0);
    EXPECT_EQ(slots.Take(11), 1);
    EXPECT_EQ(slots.Take(12), 2);
    EXPECT_EQ(slots.Find(10), 0) << "shown again: now the latest";
    EXPECT_EQ(slots.Take(13), 1) << "11 was shown longest ago";
    EXPECT_FALSE(slots.Find(11));
    EXPECT_EQ(slots.Take(12), 2) << "its own place";
    slots.Drop(10);
    EXPECT_EQ(slots.Take(14), 0) << "a dropped place is free";
    EXPECT_EQ(slots.Used(), 3u);
}

} // namespace
