#pragma once
// The text inside skin modules: UTF-16LE resources read in place, with no
// terminator assumed, and the names under which a module stores its files.

#include "skin/SkinLineSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrelin::skin {

// A file name as a module stores it: "." and "\\" become "_".
std::string SkinResourceName(std::string_view fileName);

// Narrows UTF-16 text to 8 bits; the Windows engine passes the ANSI code page
// conversion, the portable default keeps codes up to U+00FF and makes the
// rest "?".
using SkinTextNarrower = std::string (*)(std::u16string_view text);
std::string NarrowSkinTextLatin1(std::u16string_view text);

// The property file named by a module's THEMES_INI text: what stands between
// the first "[File." (any letter case) and the next "]", followed by "_ini".
// Empty when the text has no such header.
std::string FindSkinThemesIniPropertyName(const std::uint8_t* data, size_t size,
                                          SkinTextNarrower narrow = NarrowSkinTextLatin1);

// Reads UTF-16LE property text in place: a leading byte-order mark is skipped,
// an odd last byte ignored; a line ends at a carriage return (a line feed
// right after it is skipped) and text after the last one is not read.
class CSkinUtf16LineSource final : public ISkinLineSource {
public:
    CSkinUtf16LineSource(const std::uint8_t* data, size_t size, SkinTextNarrower narrow = NarrowSkinTextLatin1);

    bool ReadLine(std::string& line) override;

private:
    char16_t UnitAt(size_t index) const;

    const std::uint8_t* m_pData;
    size_t m_nUnits;
    size_t m_nCursor = 0;
    SkinTextNarrower m_narrow;
};

} // namespace tavrelin::skin
