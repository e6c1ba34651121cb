#pragma once
// One parsed property: its type, its id and the payload of that type.

#include "skin/SkinSchemaTables.h"
#include "skin/SkinScreenInfo.h"
#include "skin/SkinTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavrelin::skin {

class CSkinPropertyValue {
public:
    using Payload = std::variant<std::int32_t, SkinPoint, SkinMargins, std::string, SkinLogFont>;

    CSkinPropertyValue(ESkinPropertyType type, int propertyId, Payload payload);

    // Parses value text by the property's type; the integer list has no value.
    static std::optional<CSkinPropertyValue> Parse(const SkinPropertyInfo& property, std::string_view text,
                                                   const ISkinScreenInfo& screen);

    ESkinPropertyType Type() const { return m_type; }
    int PropertyId() const { return m_nPropertyId; }

    // Integer, boolean, colour and enumeration values share the 32-bit payload.
    std::int32_t Number() const;
    SkinColorRef Color() const { return static_cast<SkinColorRef>(Number()); }
    SkinPoint Point() const;
    SkinMargins Margins() const;
    const std::string& Text() const;
    const SkinLogFont& Font() const;

private:
    ESkinPropertyType m_type;
    int m_nPropertyId;
    Payload m_payload;
};

} // namespace tavrelin::skin
