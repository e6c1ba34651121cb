#pragma once
// The property-file reader: turns lines of property text into values in a
// property store. Nothing in the text is an error; what the schema does not
// know is skipped, and an observer may learn why each line was skipped.

#include "skin/SkinLineSource.h"
#include "skin/SkinPropertyStore.h"
#include "skin/SkinScreenInfo.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrelin::skin {

enum class ESkinSectionResult {
    Accepted,
    HasColon,
    UnknownClass,
    UnknownPart,
    UnknownState,
};

struct SkinSectionKey {
    std::uint32_t key = 0; // 0: the section is ignored
    ESkinSectionResult result = ESkinSectionResult::UnknownClass;
};

SkinSectionKey ParseSkinSectionName(std::string_view sectionName);

enum class ESkinLineKind {
    Empty,
    Comment,
    SectionAccepted,
    SectionIgnored,
    BeforeFirstSection,
    InIgnoredSection,
    NoEquals,
    UnknownProperty,
    IntegerList,
    PropertyStored,
};

std::string_view SkinLineKindName(ESkinLineKind kind);
std::string_view SkinSectionResultName(ESkinSectionResult result);

class ISkinReadObserver {
public:
    virtual ~ISkinReadObserver() = default;
    // lineNumber counts from 1; text is the line as read from the source.
    virtual void OnLine(int lineNumber, std::string_view text, ESkinLineKind kind, ESkinSectionResult section) = 0;
};

class CSkinPropertyReader {
public:
    CSkinPropertyReader(CSkinPropertyStore& store, const ISkinScreenInfo& screen, ISkinReadObserver* observer);

    void ReadAll(ISkinLineSource& lines);

private:
    ESkinLineKind ProcessLine(std::string line, ESkinSectionResult& section);
    ESkinLineKind ProcessPropertyLine(std::string_view line);

    CSkinPropertyStore& m_store;
    const ISkinScreenInfo& m_screen;
    ISkinReadObserver* m_pObserver;
    bool m_bInSection = false;
    std::uint32_t m_nSectionKey = 0;
};

} // namespace tavrelin::skin
