#include "skin/SkinPropertyDump.h"

#include "skin/SkinPropertyKey.h"
#include "skin/SkinSchemaTables.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>
#include <vector>

namespace tavrelin::skin {
namespace {

std::string Upper(std::string_view text)
{
    std::string result(text);
    for (char& letter : result) {
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<char>(letter - 'a' + 'A');
    }
    return result;
}

// Control characters, tabs and backslashes are escaped so that a value never
// breaks the one-line, tab-separated form.
std::string Escaped(std::string_view text)
{
    std::string result;
    for (const char letter : text) {
        const auto byte = static_cast<unsigned char>(letter);
        if (letter == '\\') {
            result += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            result += escape;
        } else {
            result += letter;
        }
    }
    return result;
}

std::string NameOrNumber(std::string_view name, int id)
{
    return name.empty() ? "#" + std::to_string(id) : Upper(name);
}

std::string FormatColor(SkinColorRef color)
{
    return std::to_string(color & 0xFF) + " " + std::to_string((color >> 8) & 0xFF) + " " +
           std::to_string((color >> 16) & 0xFF);
}

std::string FormatFont(const SkinLogFont& font)
{
    const size_t nFaceLength = std::find(font.lfFaceName, font.lfFaceName + kSkinFaceSize, '\0') - font.lfFaceName;
    return Escaped(std::string_view(font.lfFaceName, nFaceLength)) + ", height " + std::to_string(font.lfHeight) +
           ", weight " + std::to_string(font.lfWeight) + ", charset " + std::to_string(font.lfCharSet);
}

std::string FormatEnumeration(int propertyId, std::int32_t number)
{
    const std::string_view name = SkinNameOfId(FindSkinEnumValues(propertyId), number);
    return name.empty() ? std::to_string(number) : std::string(name) + " (" + std::to_string(number) + ")";
}

// The state table is chosen by the part name, or by the class name without a part.
std::string StateName(std::string_view className, std::string_view partName, int stateId)
{
    if (stateId == 0)
        return "-";
    return NameOrNumber(SkinNameOfId(FindSkinStateNames(partName.empty() ? className : partName), stateId), stateId);
}

} // namespace

std::string_view SkinTypeName(ESkinPropertyType type)
{
    switch (type) {
    case ESkinPropertyType::String:
        return "string";
    case ESkinPropertyType::Integer:
        return "integer";
    case ESkinPropertyType::Boolean:
        return "boolean";
    case ESkinPropertyType::Color:
        return "color";
    case ESkinPropertyType::Rectangle:
        return "rectangle";
    case ESkinPropertyType::Font:
        return "font";
    case ESkinPropertyType::IntegerList:
        return "intlist";
    case ESkinPropertyType::Enumeration:
        return "enum";
    case ESkinPropertyType::Point:
        return "point";
    }
    return "?";
}

std::string FormatSkinValue(const CSkinPropertyValue& value)
{
    switch (value.Type()) {
    case ESkinPropertyType::String:
        return Escaped(value.Text());
    case ESkinPropertyType::Integer:
        return std::to_string(value.Number());
    case ESkinPropertyType::Boolean:
        return value.Number() ? "TRUE" : "FALSE";
    case ESkinPropertyType::Color:
        return FormatColor(value.Color());
    case ESkinPropertyType::Rectangle: {
        const SkinMargins margins = value.Margins();
        return std::to_string(margins.cxLeftWidth) + ", " + std::to_string(margins.cxRightWidth) + ", " +
               std::to_string(margins.cyTopHeight) + ", " + std::to_string(margins.cyBottomHeight);
    }
    case ESkinPropertyType::Font:
        return FormatFont(value.Font());
    case ESkinPropertyType::Enumeration:
        return FormatEnumeration(value.PropertyId(), value.Number());
    case ESkinPropertyType::Point:
        return std::to_string(value.Point().x) + ", " + std::to_string(value.Point().y);
    case ESkinPropertyType::IntegerList:
        break;
    }
    return {};
}

std::string FormatSkinProperty(std::uint32_t key, const CSkinPropertyValue& value)
{
    const SkinKeyParts parts = SplitSkinPropertyKey(key);
    const std::string_view className = SkinNameOfId(SkinClassTable(), parts.classId);
    const std::string_view partName = SkinNameOfId(FindSkinPartNames(parts.classId), parts.partId);
    const SkinPropertyInfo* property = FindSkinPropertyById(value.PropertyId());
    std::string line = NameOrNumber(className, parts.classId);
    line += '\t';
    line += parts.partId == 0 ? "-" : NameOrNumber(partName, parts.partId);
    line += '\t';
    line += StateName(className, partName, parts.stateId);
    line += '\t';
    line += property ? std::string(property->name) : "#" + std::to_string(value.PropertyId());
    line += '\t';
    line += SkinTypeName(value.Type());
    line += '\t';
    line += FormatSkinValue(value);
    return line;
}

std::string DumpSkinProperties(const CSkinPropertyStore& store)
{
    std::vector<std::pair<SkinKeyParts, std::string>> lines;
    store.ForEachSorted([&lines](std::uint32_t key, const CSkinPropertyValue& value) {
        lines.emplace_back(SplitSkinPropertyKey(key), FormatSkinProperty(key, value));
    });
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
        const SkinKeyParts& x = a.first;
        const SkinKeyParts& y = b.first;
        return std::tie(x.classId, x.partId, x.stateId, x.propertyId) <
               std::tie(y.classId, y.partId, y.stateId, y.propertyId);
    });
    std::string text;
    for (const auto& line : lines) {
        text += line.second;
        text += '\n';
    }
    return text;
}

} // namespace tavrelin::skin
