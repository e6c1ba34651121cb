// Feeds arbitrary property text to the schema reader. Every stored value must
// be found again by the lookup under its own key and must print; a font face
// must always end within its field.
#include "skin/SkinLineSource.h"
#include "skin/SkinPropertyDump.h"
#include "skin/SkinPropertyKey.h"
#include "skin/SkinSchema.h"
#include "skin/SkinScreenInfo.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace tavrelin::skin;

namespace {

void CheckStoredValue(const CSkinSchema& schema, std::uint32_t key, const CSkinPropertyValue& value)
{
    const SkinKeyParts parts = SplitSkinPropertyKey(key);
    if (MakeSkinPropertyKey(parts.classId, parts.partId, parts.stateId, parts.propertyId) != key)
        __builtin_trap();
    if (parts.propertyId != value.PropertyId())
        __builtin_trap();
    if (schema.GetValue(parts.classId, parts.partId, parts.stateId, parts.propertyId) != &value)
        __builtin_trap();
    if (value.Type() == ESkinPropertyType::Font && ::memchr(value.Font().lfFaceName, '\0', kSkinFaceSize) == nullptr)
        __builtin_trap();
    if (FormatSkinProperty(key, value).find('\n') != std::string::npos)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const CFixedSkinScreenInfo screen(96, 0);
    CSkinTextLineSource lines(std::string(reinterpret_cast<const char*>(data), size));
    CSkinSchema schema;
    schema.ReadProperties(lines, screen);
    schema.Properties().ForEachSorted(
        [&schema](std::uint32_t key, const CSkinPropertyValue& value) { CheckStoredValue(schema, key, value); });
    ParseSkinSectionName(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
