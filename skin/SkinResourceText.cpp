#include "skin/SkinResourceText.h"

namespace tavrelin::skin {
namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;

char16_t ReadUnit(const std::uint8_t* data, size_t index)
{
    return static_cast<char16_t>(data[index * 2] | (data[index * 2 + 1] << 8));
}

std::u16string ReadUnits(const std::uint8_t* data, size_t first, size_t end)
{
    std::u16string text;
    text.reserve(end - first);
    for (size_t index = first; index < end; ++index)
        text += ReadUnit(data, index);
    return text;
}

char16_t UpperAscii(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

} // namespace

std::string SkinResourceName(std::string_view fileName)
{
    std::string name(fileName);
    for (char& letter : name) {
        if (letter == '.' || letter == '\\')
            letter = '_';
    }
    return name;
}

std::string NarrowSkinTextLatin1(std::u16string_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t unit : text)
        narrow += unit <= 0xFF ? static_cast<char>(unit) : '?';
    return narrow;
}

std::string FindSkinThemesIniPropertyName(const std::uint8_t* data, size_t size, SkinTextNarrower narrow)
{
    static constexpr std::u16string_view kHeader = u"[FILE.";
    const size_t units = size / 2;
    for (size_t start = 0; start + kHeader.size() <= units; ++start) {
        size_t matched = 0;
        while (matched < kHeader.size() && UpperAscii(ReadUnit(data, start + matched)) == kHeader[matched])
            ++matched;
        if (matched < kHeader.size())
            continue;
        const size_t nameStart = start + kHeader.size();
        size_t nameEnd = nameStart;
        while (nameEnd < units && ReadUnit(data, nameEnd) != u']')
            ++nameEnd;
        if (nameEnd == units)
            return {};
        return narrow(ReadUnits(data, nameStart, nameEnd)) + "_ini";
    }
    return {};
}

CSkinUtf16LineSource::CSkinUtf16LineSource(const std::uint8_t* data, size_t size, SkinTextNarrower narrow)
    : m_pData(data), m_nUnits(size / 2), m_narrow(narrow)
{
    if (m_nUnits > 0 && UnitAt(0) == kByteOrderMark)
        m_nCursor = 1;
}

char16_t CSkinUtf16LineSource::UnitAt(size_t index) const { return ReadUnit(m_pData, index); }

bool CSkinUtf16LineSource::ReadLine(std::string& line)
{
    size_t end = m_nCursor;
    while (end < m_nUnits && UnitAt(end) != u'\r')
        ++end;
    if (end == m_nUnits)
        return false;
    line = m_narrow(ReadUnits(m_pData, m_nCursor, end));
    m_nCursor = end + 1;
    if (m_nCursor < m_nUnits && UnitAt(m_nCursor) == u'\n')
        ++m_nCursor;
    return true;
}

} // namespace tavrelin::skin
