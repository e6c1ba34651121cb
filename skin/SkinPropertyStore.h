#pragma once
// Hash map from property key to property value: 199 buckets, bucket index
// (key / 16) mod 199; a value stored again under the same key replaces the old one.

#include "skin/SkinPropertyValue.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace tavrelin::skin {

class CSkinPropertyStore {
public:
    static constexpr std::uint32_t kBucketCount = 199;

    static constexpr std::uint32_t BucketOf(std::uint32_t key) { return (key / 16u) % kBucketCount; }

    void Set(std::uint32_t key, CSkinPropertyValue value);
    const CSkinPropertyValue* Find(std::uint32_t key) const;
    void Clear();
    size_t Size() const { return m_nSize; }
    size_t BucketSize(std::uint32_t bucket) const { return m_buckets.at(bucket).size(); }

    // Visits every stored value in key order, so that listings are stable.
    void ForEachSorted(const std::function<void(std::uint32_t key, const CSkinPropertyValue&)>& visit) const;

private:
    struct Entry {
        std::uint32_t key;
        CSkinPropertyValue value;
    };

    std::array<std::vector<Entry>, kBucketCount> m_buckets;
    size_t m_nSize = 0;
};

} // namespace tavrelin::skin
