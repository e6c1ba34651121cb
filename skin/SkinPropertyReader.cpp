#include "skin/SkinPropertyReader.h"

#include "skin/SkinPropertyKey.h"
#include "skin/SkinSchemaTables.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace tavrelin::skin {
namespace {

bool IsLineSpace(char letter) { return letter == ' ' || (letter >= '\t' && letter <= '\r'); }

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && IsLineSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && IsLineSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

void ToUpperAscii(std::string& text)
{
    for (char& letter : text) {
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<char>(letter - 'a' + 'A');
    }
}

std::string WithoutBlanks(std::string_view text)
{
    std::string result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result),
                 [](char letter) { return letter != ' ' && letter != '\t'; });
    return result;
}

// The text between "(" and the last character, which is taken as ")".
std::string_view StateNameAfter(std::string_view name, size_t nOpen)
{
    const size_t nFirst = nOpen + 1;
    const size_t nLast = name.size() - 1;
    return nLast > nFirst ? name.substr(nFirst, nLast - nFirst) : std::string_view{};
}

} // namespace

SkinSectionKey ParseSkinSectionName(std::string_view sectionName)
{
    if (sectionName.find(':') != std::string_view::npos)
        return {0, ESkinSectionResult::HasColon};
    const std::string compact = WithoutBlanks(sectionName);
    std::string_view classAndPart = compact;
    std::string_view stateName;
    if (const size_t nOpen = classAndPart.find('('); nOpen != std::string_view::npos) {
        stateName = StateNameAfter(classAndPart, nOpen);
        classAndPart = classAndPart.substr(0, nOpen);
    }
    std::string_view className = classAndPart;
    std::string_view partName;
    if (const size_t nDot = classAndPart.find('.'); nDot != std::string_view::npos) {
        className = classAndPart.substr(0, nDot);
        partName = classAndPart.substr(nDot + 1);
    }

    const int classId = FindSkinClassId(className);
    if (classId == 0)
        return {0, ESkinSectionResult::UnknownClass};
    const int partId = partName.empty() ? 0 : FindSkinPartId(classId, partName);
    if (!partName.empty() && partId == 0)
        return {0, ESkinSectionResult::UnknownPart};
    const int stateId = stateName.empty() ? 0 : FindSkinStateId(partName.empty() ? className : partName, stateName);
    if (!stateName.empty() && stateId == 0)
        return {0, ESkinSectionResult::UnknownState};
    return {MakeSkinPropertyKey(classId, partId, stateId, 0), ESkinSectionResult::Accepted};
}

std::string_view SkinLineKindName(ESkinLineKind kind)
{
    switch (kind) {
    case ESkinLineKind::Empty:
        return "empty";
    case ESkinLineKind::Comment:
        return "comment";
    case ESkinLineKind::SectionAccepted:
        return "section";
    case ESkinLineKind::SectionIgnored:
        return "ignored-section";
    case ESkinLineKind::BeforeFirstSection:
        return "before-first-section";
    case ESkinLineKind::InIgnoredSection:
        return "in-ignored-section";
    case ESkinLineKind::NoEquals:
        return "no-equals";
    case ESkinLineKind::UnknownProperty:
        return "unknown-property";
    case ESkinLineKind::IntegerList:
        return "integer-list";
    case ESkinLineKind::PropertyStored:
        return "property";
    }
    return "?";
}

std::string_view SkinSectionResultName(ESkinSectionResult result)
{
    switch (result) {
    case ESkinSectionResult::Accepted:
        return "accepted";
    case ESkinSectionResult::HasColon:
        return "colon";
    case ESkinSectionResult::UnknownClass:
        return "unknown-class";
    case ESkinSectionResult::UnknownPart:
        return "unknown-part";
    case ESkinSectionResult::UnknownState:
        return "unknown-state";
    }
    return "?";
}

CSkinPropertyReader::CSkinPropertyReader(CSkinPropertyStore& store, const ISkinScreenInfo& screen,
                                         ISkinReadObserver* observer)
    : m_store(store), m_screen(screen), m_pObserver(observer)
{}

void CSkinPropertyReader::ReadAll(ISkinLineSource& lines)
{
    std::string line;
    for (int nLine = 1; lines.ReadLine(line); ++nLine) {
        ESkinSectionResult section = ESkinSectionResult::Accepted;
        const ESkinLineKind kind = ProcessLine(line, section);
        if (m_pObserver)
            m_pObserver->OnLine(nLine, line, kind, section);
    }
}

ESkinLineKind CSkinPropertyReader::ProcessLine(std::string line, ESkinSectionResult& section)
{
    // Lines are C strings to the format: a NUL character ends one.
    line.resize(std::min(line.size(), line.find('\0')));
    std::string text(TrimLeft(line));
    if (!text.empty() && text.front() == ';')
        return ESkinLineKind::Comment;
    text.resize(std::min(text.size(), text.find(';')));
    if (text.empty())
        return ESkinLineKind::Empty;
    ToUpperAscii(text);

    if (text.front() == '[') {
        // The last character is taken as the closing bracket, whatever it is.
        const std::string_view name = text.size() >= 2 ? std::string_view(text).substr(1, text.size() - 2) : "";
        const SkinSectionKey parsed = ParseSkinSectionName(name);
        m_bInSection = true;
        m_nSectionKey = parsed.key;
        section = parsed.result;
        return parsed.key != 0 ? ESkinLineKind::SectionAccepted : ESkinLineKind::SectionIgnored;
    }
    if (!m_bInSection)
        return ESkinLineKind::BeforeFirstSection;
    if (m_nSectionKey == 0)
        return ESkinLineKind::InIgnoredSection;
    return ProcessPropertyLine(text);
}

ESkinLineKind CSkinPropertyReader::ProcessPropertyLine(std::string_view line)
{
    const size_t nEquals = line.find('=');
    if (nEquals == std::string_view::npos || nEquals == 0)
        return ESkinLineKind::NoEquals;
    const SkinPropertyInfo* property = FindSkinProperty(TrimRight(line.substr(0, nEquals)));
    if (!property)
        return ESkinLineKind::UnknownProperty;
    const std::string_view valueText = TrimRight(TrimLeft(line.substr(nEquals + 1)));
    std::optional<CSkinPropertyValue> value = CSkinPropertyValue::Parse(*property, valueText, m_screen);
    if (!value)
        return ESkinLineKind::IntegerList;
    m_store.Set(m_nSectionKey + static_cast<std::uint32_t>(property->id), std::move(*value));
    return ESkinLineKind::PropertyStored;
}

} // namespace tavrelin::skin
