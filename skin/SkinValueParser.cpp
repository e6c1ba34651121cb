#include "skin/SkinValueParser.h"

#include "skin/SkinSchemaTables.h"

#include <algorithm>
#include <optional>

namespace tavrelin::skin {
namespace {

constexpr int kFontNormalWeight = 400;
constexpr int kFontBoldWeight = 700;
constexpr int kPointsPerInch = 72;

bool IsScanSpace(char letter) { return letter == ' ' || (letter >= '\t' && letter <= '\r'); }

int DigitValue(char letter)
{
    if (letter >= '0' && letter <= '9')
        return letter - '0';
    if (letter >= 'a' && letter <= 'f')
        return letter - 'a' + 10;
    if (letter >= 'A' && letter <= 'F')
        return letter - 'A' + 10;
    return 99;
}

// A cursor over value text with the few scanf directives the formats use.
class CValueScanner {
public:
    explicit CValueScanner(std::string_view text) : m_text(text) {}

    void SkipSpace()
    {
        while (m_nPos < m_text.size() && IsScanSpace(m_text[m_nPos]))
            ++m_nPos;
    }

    bool Literal(char expected)
    {
        if (m_nPos >= m_text.size() || m_text[m_nPos] != expected)
            return false;
        ++m_nPos;
        return true;
    }

    // %ld (base 10) or %i (base 0: 0x hexadecimal, leading-0 octal, decimal).
    std::optional<std::int32_t> Number(int base)
    {
        SkipSpace();
        bool bNegative = false;
        if (m_nPos < m_text.size() && (m_text[m_nPos] == '+' || m_text[m_nPos] == '-'))
            bNegative = m_text[m_nPos++] == '-';
        if (base == 0)
            base = DetectBase();
        std::int64_t magnitude = 0;
        size_t nDigits = 0;
        for (; m_nPos < m_text.size() && DigitValue(m_text[m_nPos]) < base; ++m_nPos, ++nDigits)
            magnitude = std::min<std::int64_t>(magnitude * base + DigitValue(m_text[m_nPos]), INT64_C(1) << 32);
        if (nDigits == 0)
            return std::nullopt;
        const std::int64_t value = bNegative ? -magnitude : magnitude;
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
    }

    // %[^,]: one or more characters up to the next comma.
    std::string_view UpToComma()
    {
        const size_t nStart = m_nPos;
        while (m_nPos < m_text.size() && m_text[m_nPos] != ',')
            ++m_nPos;
        return m_text.substr(nStart, m_nPos - nStart);
    }

    // %s: one or more characters that are not white space.
    std::string_view Word()
    {
        SkipSpace();
        const size_t nStart = m_nPos;
        while (m_nPos < m_text.size() && !IsScanSpace(m_text[m_nPos]))
            ++m_nPos;
        return m_text.substr(nStart, m_nPos - nStart);
    }

private:
    // A "0x" prefix counts only when a hexadecimal digit follows, as strtol has it.
    int DetectBase()
    {
        if (m_nPos >= m_text.size() || m_text[m_nPos] != '0')
            return 10;
        const bool bHexPrefix = m_nPos + 2 < m_text.size() &&
                                (m_text[m_nPos + 1] == 'x' || m_text[m_nPos + 1] == 'X') &&
                                DigitValue(m_text[m_nPos + 2]) < 16;
        if (bHexPrefix) {
            m_nPos += 2;
            return 16;
        }
        return 8;
    }

    std::string_view m_text;
    size_t m_nPos = 0;
};

} // namespace

std::int32_t ParseSkinInteger(std::string_view text) { return CValueScanner(text).Number(10).value_or(0); }

bool ParseSkinBoolean(std::string_view text) { return SkinNamesEqual(text, "TRUE"); }

SkinColorRef ParseSkinColor(std::string_view text)
{
    CValueScanner scanner(text);
    std::int32_t channels[3] = {0, 0, 0};
    for (std::int32_t& channel : channels) {
        const std::optional<std::int32_t> value = scanner.Number(0);
        if (!value)
            break;
        channel = *value;
        scanner.SkipSpace();
    }
    return MakeSkinColor(static_cast<std::uint32_t>(channels[0]), static_cast<std::uint32_t>(channels[1]),
                         static_cast<std::uint32_t>(channels[2]));
}

SkinMargins ParseSkinMargins(std::string_view text)
{
    CValueScanner scanner(text);
    std::int32_t values[4] = {0, 0, 0, 0};
    for (int nIndex = 0; nIndex < 4; ++nIndex) {
        if (nIndex > 0 && !scanner.Literal(','))
            break;
        const std::optional<std::int32_t> value = scanner.Number(10);
        if (!value)
            break;
        values[nIndex] = *value;
    }
    return SkinMargins{values[0], values[1], values[2], values[3]};
}

SkinPoint ParseSkinPoint(std::string_view text)
{
    CValueScanner scanner(text);
    SkinPoint point;
    const std::optional<std::int32_t> x = scanner.Number(0);
    if (!x)
        return point;
    point.x = *x;
    if (scanner.Literal(','))
        point.y = scanner.Number(0).value_or(0);
    return point;
}

SkinLogFont ParseSkinFont(std::string_view text, const ISkinScreenInfo& screen)
{
    CValueScanner scanner(text);
    const std::string_view face = scanner.UpToComma();
    std::int32_t nPointSize = 0;
    std::string_view style;
    if (!face.empty() && scanner.Literal(',')) {
        scanner.SkipSpace();
        if (const std::optional<std::int32_t> size = scanner.Number(10)) {
            nPointSize = *size;
            if (scanner.Literal(','))
                style = scanner.Word();
        }
    }

    SkinLogFont font;
    // The face field holds 31 characters and its terminator; longer names are cut.
    std::copy_n(face.data(), std::min<size_t>(face.size(), kSkinFaceSize - 1), font.lfFaceName);
    font.lfHeight = -SkinMulDiv(nPointSize, screen.LogicalPixelsPerInchY(), kPointsPerInch);
    font.lfWeight = SkinNamesEqual(style, "BOLD") ? kFontBoldWeight : kFontNormalWeight;
    font.lfCharSet = screen.TextCharSet();
    return font;
}

std::int32_t ParseSkinEnumeration(int propertyId, std::string_view text)
{
    for (const SkinSchemaName& value : FindSkinEnumValues(propertyId)) {
        if (SkinNamesEqual(value.name, text))
            return value.id;
    }
    return -1;
}

} // namespace tavrelin::skin
