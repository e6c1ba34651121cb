#pragma once
// Parsing of property value text into the payload of each value type. The
// number readers follow the C library conversions the property format names
// (atoi, %i, %ld) but saturate instead of overflowing.

#include "skin/SkinScreenInfo.h"
#include "skin/SkinTypes.h"

#include <cstdint>
#include <string_view>

namespace tavrelin::skin {

std::int32_t ParseSkinInteger(std::string_view text);
bool ParseSkinBoolean(std::string_view text);
SkinColorRef ParseSkinColor(std::string_view text);
SkinMargins ParseSkinMargins(std::string_view text);
SkinPoint ParseSkinPoint(std::string_view text);
SkinLogFont ParseSkinFont(std::string_view text, const ISkinScreenInfo& screen);
// -1 when the name is not one of the property's enumeration values.
std::int32_t ParseSkinEnumeration(int propertyId, std::string_view text);

} // namespace tavrelin::skin
