#include "skin/SkinPropertyValue.h"

#include "skin/SkinValueParser.h"

#include <optional>
#include <utility>

namespace tavrelin::skin {
namespace {

template <typename T>
const T& PayloadOr(const CSkinPropertyValue::Payload& payload)
{
    static const T empty{};
    const T* value = std::get_if<T>(&payload);
    return value ? *value : empty;
}

std::optional<CSkinPropertyValue::Payload> ParsePayload(const SkinPropertyInfo& property, std::string_view text,
                                                        const ISkinScreenInfo& screen)
{
    switch (property.type) {
    case ESkinPropertyType::String:
        return std::string(text);
    case ESkinPropertyType::Integer:
        return ParseSkinInteger(text);
    case ESkinPropertyType::Boolean:
        return std::int32_t{ParseSkinBoolean(text) ? 1 : 0};
    case ESkinPropertyType::Color:
        return static_cast<std::int32_t>(ParseSkinColor(text));
    case ESkinPropertyType::Rectangle:
        return ParseSkinMargins(text);
    case ESkinPropertyType::Font:
        return ParseSkinFont(text, screen);
    case ESkinPropertyType::Enumeration:
        return ParseSkinEnumeration(property.id, text);
    case ESkinPropertyType::Point:
        return ParseSkinPoint(text);
    case ESkinPropertyType::IntegerList:
        break;
    }
    return std::nullopt;
}

} // namespace

CSkinPropertyValue::CSkinPropertyValue(ESkinPropertyType type, int propertyId, Payload payload)
    : m_type(type), m_nPropertyId(propertyId), m_payload(std::move(payload))
{}

std::optional<CSkinPropertyValue> CSkinPropertyValue::Parse(const SkinPropertyInfo& property, std::string_view text,
                                                            const ISkinScreenInfo& screen)
{
    std::optional<Payload> payload = ParsePayload(property, text, screen);
    if (!payload)
        return std::nullopt;
    return CSkinPropertyValue(property.type, property.id, std::move(*payload));
}

std::int32_t CSkinPropertyValue::Number() const { return PayloadOr<std::int32_t>(m_payload); }

SkinPoint CSkinPropertyValue::Point() const { return PayloadOr<SkinPoint>(m_payload); }

SkinMargins CSkinPropertyValue::Margins() const { return PayloadOr<SkinMargins>(m_payload); }

const std::string& CSkinPropertyValue::Text() const { return PayloadOr<std::string>(m_payload); }

const SkinLogFont& CSkinPropertyValue::Font() const { return PayloadOr<SkinLogFont>(m_payload); }

} // namespace tavrelin::skin
