#pragma once
// A stable text listing of stored properties, for skin authors and tests:
// one line per property, "CLASS<TAB>PART<TAB>STATE<TAB>NAME<TAB>TYPE<TAB>VALUE",
// "-" for an absent part or state, ordered by class, part, state and property.

#include "skin/SkinPropertyStore.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrelin::skin {

std::string_view SkinTypeName(ESkinPropertyType type);
std::string FormatSkinValue(const CSkinPropertyValue& value);
std::string FormatSkinProperty(std::uint32_t key, const CSkinPropertyValue& value);
std::string DumpSkinProperties(const CSkinPropertyStore& store);

} // namespace tavrelin::skin
