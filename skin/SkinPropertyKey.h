#pragma once
// The 32-bit key under which a property value is stored.

#include <cstdint>

namespace tavrelin::skin {

constexpr std::uint32_t kSkinPropertyIdSpan = 16384;

constexpr std::uint32_t MakeSkinPropertyKey(int classId, int partId, int stateId, int propertyId)
{
    const std::uint32_t section = (static_cast<std::uint32_t>(classId) & 0xFFFFFFu) +
                                  (static_cast<std::uint32_t>(partId) & 0xFFFFu) * 64u +
                                  (static_cast<std::uint32_t>(stateId) & 0xFFu) * 4096u;
    return section * kSkinPropertyIdSpan + static_cast<std::uint32_t>(propertyId);
}

// The parts of a key made from schema ids (class and part below 64).
struct SkinKeyParts {
    int classId;
    int partId;
    int stateId;
    int propertyId;
};

constexpr SkinKeyParts SplitSkinPropertyKey(std::uint32_t key)
{
    const std::uint32_t section = key / kSkinPropertyIdSpan;
    return SkinKeyParts{static_cast<int>(section % 64u), static_cast<int>((section / 64u) % 64u),
                        static_cast<int>(section / 4096u), static_cast<int>(key % kSkinPropertyIdSpan)};
}

} // namespace tavrelin::skin
