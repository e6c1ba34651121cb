#include "skin/SkinPropertyStore.h"

#include <algorithm>
#include <utility>

namespace tavrelin::skin {

void CSkinPropertyStore::Set(std::uint32_t key, CSkinPropertyValue value)
{
    std::vector<Entry>& bucket = m_buckets[BucketOf(key)];
    for (Entry& entry : bucket) {
        if (entry.key == key) {
            entry.value = std::move(value);
            return;
        }
    }
    bucket.push_back(Entry{key, std::move(value)});
    ++m_nSize;
}

const CSkinPropertyValue* CSkinPropertyStore::Find(std::uint32_t key) const
{
    for (const Entry& entry : m_buckets[BucketOf(key)]) {
        if (entry.key == key)
            return &entry.value;
    }
    return nullptr;
}

void CSkinPropertyStore::Clear()
{
    for (std::vector<Entry>& bucket : m_buckets)
        bucket.clear();
    m_nSize = 0;
}

void CSkinPropertyStore::ForEachSorted(
    const std::function<void(std::uint32_t key, const CSkinPropertyValue&)>& visit) const
{
    std::vector<const Entry*> entries;
    entries.reserve(m_nSize);
    for (const std::vector<Entry>& bucket : m_buckets) {
        for (const Entry& entry : bucket)
            entries.push_back(&entry);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry* a, const Entry* b) { return a->key < b->key; });
    for (const Entry* entry : entries)
        visit(entry->key, entry->value);
}

} // namespace tavrelin::skin
