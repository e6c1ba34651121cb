#include "skin/engine/draw/SkinClass.h"

#include "skin/SkinSchemaTables.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <algorithm>
#include <cctype>

namespace tavrelin::skin {
namespace {

// Part and state ids come from callers of the theme functions too, so the
// cache key keeps them apart for every value they can take.
std::uint64_t CacheKey(int part, int state, int property)
{
    return static_cast<std::uint32_t>(property) | (static_cast<std::uint64_t>(static_cast<std::uint16_t>(part)) << 32) |
           (static_cast<std::uint64_t>(static_cast<std::uint16_t>(state)) << 48);
}

} // namespace

CSkinClass::CSkinClass(ISkinSource& source, std::string className)
    : m_source(source), m_strName(SkinUpperCase(std::move(className))), m_nClassId(FindSkinClassId(m_strName))
{}

const CSkinPropertyValue* CSkinClass::Find(int part, int state, int property, ESkinPropertyType type)
{
    const std::uint64_t key = CacheKey(part, state, property);
    const CSkinPropertyValue* value = nullptr;
    if (const auto cached = m_properties.find(key); cached != m_properties.end()) {
        value = cached->second;
    } else {
        const CSkinSchema* schema = m_source.GetSchema();
        if (!schema)
            return nullptr;
        ++m_nSchemaLookups;
        value = schema->GetValue(m_nClassId, part, state, property);
        // A value of another type is not the caller's, and is not kept.
        if (value && value->Type() != type)
            return nullptr;
        m_properties.emplace(key, value);
    }
    return value && value->Type() == type ? value : nullptr;
}

std::string CSkinClass::GetString(int part, int state, int property, const std::string& fallback)
{
    const CSkinPropertyValue* value = Find(part, state, property, ESkinPropertyType::String);
    return value ? value->Text() : fallback;
}

SkinMargins CSkinClass::GetRect(int part, int state, int property, const SkinMargins& fallback)
{
    const CSkinPropertyValue* value = Find(part, state, property, ESkinPropertyType::Rectangle);
    return value ? value->Margins() : fallback;
}

int CSkinClass::GetInt(int part, int state, int property, int fallback)
{
    const CSkinPropertyValue* value = Find(part, state, property, ESkinPropertyType::Integer);
    return value ? value->Number() : fallback;
}

bool CSkinClass::GetBool(int part, int state, int property, bool fallback)
{
    const CSkinPropertyValue* value = Find(part, state, property, ESkinPropertyType::Boolean);
    return value ? value->Number() != 0 : fallback;
}

COLORREF CSkinClass::GetColor(int part, int state, int property, COLORREF fallback)
{
    const CSkinPropertyValue* value = Find(part, state, property, ESkinPropertyType::Color);
    return value ? value->Color() : fallback;
}

int CSkinClass::GetEnum(int part, int state, int property, int fallback)
{
    const CSkinPropertyValue* value = Find(part, state, property, ESkinPropertyType::Enumeration);
    return value ? value->Number() : fallback;
}

SkinPoint CSkinClass::GetPoint(int part, int state, int property, const SkinPoint& fallback)
{
    const CSkinPropertyValue* value = Find(part, state, property, ESkinPropertyType::Point);
    return value ? value->Point() : fallback;
}

CSkinImage* CSkinClass::GetImage(const std::string& fileName)
{
    const std::string name = SkinUpperCase(fileName);
    if (const auto cached = m_images.find(name); cached != m_images.end())
        return cached->second.get();
    const CSkinSchema* schema = m_source.GetSchema();
    std::unique_ptr<CSkinImage> image;
    if (schema)
        image = m_source.LoadSkinImage(name, schema->Premultiply());
    return m_images.emplace(name, std::move(image)).first->second.get();
}

std::string CSkinClass::BackgroundImageName(int part, int state)
{
    std::string name;
    if (GetEnum(part, state, kPropImageSelectType, kImageSelectNone) != kImageSelectNone &&
        GetEnum(part, state, kPropGlyphType, kGlyphTypeNone) == kGlyphTypeNone)
        name = GetString(part, state, kPropImageFile1, "");
    if (name.empty())
        name = GetString(part, state, kPropImageFile, "");
    return name;
}

bool CSkinClass::GetPartSize(int part, int state, const RECT* rect, int kind, SIZE& size)
{
    if (kind != kSkinPartSizeTrue && kind != kSkinPartSizeDraw)
        return false;
    if (GetEnum(part, state, kPropBgType, kBgTypeImageFile) != kBgTypeImageFile)
        return false;
    const std::string name = BackgroundImageName(part, state);
    CSkinImage* image = name.empty() ? nullptr : GetImage(name);
    if (!image)
        return false;
    const bool bVertical = GetEnum(part, state, kPropImageLayout, kImageLayoutHorizontal) == kImageLayoutVertical;
    const std::optional<SkinRect> frame =
        SelectSkinFrame(image->Width(), image->Height(), GetInt(part, state, kPropImageCount, 1), bVertical, 1);
    if (!frame)
        return false;
    size = SIZE{frame->Width(), frame->Height()};
    if (kind == kSkinPartSizeTrue ||
        GetEnum(part, state, kPropSizingType, kSizingStretch) == static_cast<int>(ESkinSizing::TrueSize))
        return true;
    size = rect ? SIZE{rect->right - rect->left, rect->bottom - rect->top} : SIZE{0, 0};
    if (GetBool(part, state, kPropUniformSizing, false))
        size.cx = SkinMulDiv(size.cy, frame->Width(), frame->Height());
    return true;
}

void CSkinClass::DrawSkinText(HDC dc, int part, int state, const char* text, int length, UINT format, RECT rect)
{
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const SkinMargins margins = GetRect(part, state, kPropCaptionMargins, {});
    rect.left += margins.cxLeftWidth;
    rect.right -= margins.cxRightWidth;
    if (GetEnum(part, state, kPropContentAlignment, kAlignLeft) == kAlignCenter)
        format |= DT_CENTER;
    const COLORREF color = GetColor(part, state, kPropTextColor, ::GetTextColor(dc));
    const SkinPoint offset = GetPoint(part, state, kPropTextShadowOffset, {});
    if (GetEnum(part, state, kPropTextShadowType, kShadowNone) == kShadowSingle && (offset.x != 0 || offset.y != 0)) {
        RECT shadow = rect;
        ::OffsetRect(&shadow, offset.x, offset.y);
        ::SetTextColor(dc, GetColor(part, state, kPropTextShadowColor, RGB(0, 0, 0)));
        ::DrawTextA(dc, text, length, &shadow, format);
    }
    const COLORREF previousColor = ::SetTextColor(dc, color);
    ::DrawTextA(dc, text, length, &rect, format);
    ::SetTextColor(dc, previousColor);
    ::SetBkMode(dc, previousMode);
}

} // namespace tavrelin::skin
