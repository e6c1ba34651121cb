#include "skin/engine/draw/SkinMetrics.h"

#include "skin/engine/draw/SkinPropertyIds.h"

#include <vssym32.h>

#include <algorithm>
#include <cstring>

namespace tavrelin::skin {
namespace {

constexpr COLORREF kDefaultColors[kSkinMetricsColorCount] = {
    RGB(192, 192, 192), RGB(58, 110, 165),  RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(180, 180, 180), RGB(0, 0, 255),     RGB(16, 132, 208),  RGB(181, 181, 181), RGB(0, 0, 128),
    RGB(192, 192, 192),
};

// Sizes a skin gives are kept within what a window frame can show.
constexpr int kMaxSkinMetricSize = 256;

std::int32_t SysMetricsInt(const CSkinSchema& schema, int propertyId, std::int32_t fallback)
{
    std::int32_t value = fallback;
    return schema.GetIntValue(kSkinClassSysMetrics, 0, 0, propertyId, value) == S_OK ? value : fallback;
}

void CopyFont(const SkinLogFont& from, LOGFONTA& to)
{
    static_assert(sizeof(SkinLogFont) == sizeof(LOGFONTA));
    std::memcpy(&to, &from, sizeof to);
}

} // namespace

COLORREF DefaultSkinMetricsColor(int index) { return kDefaultColors[index]; }

CSkinMetrics::CSkinMetrics() { Refresh(nullptr, false); }

void CSkinMetrics::SetColor(int index, COLORREF color)
{
    if (m_brushes[index] && m_colors[index] == color)
        return;
    m_colors[index] = color;
    m_brushes[index].reset(::CreateSolidBrush(color));
}

void CSkinMetrics::Refresh(const CSkinSchema* schema, bool applyMetrics)
{
    if (!schema) {
        for (int index = 0; index < kSkinMetricsColorCount; ++index) {
            m_colors[index] = ::GetSysColor(index);
            m_brushes[index].reset();
        }
        return;
    }
    RefreshFonts(*schema, applyMetrics);
    RefreshSizes(*schema, applyMetrics);
    RefreshColors(*schema);
}

void CSkinMetrics::RefreshFonts(const CSkinSchema& schema, bool applyMetrics)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        m_captionFont = metrics.lfCaptionFont;
        m_smallCaptionFont = metrics.lfSmCaptionFont;
        m_menuFont = metrics.lfMenuFont;
    }
    SkinLogFont font;
    if (applyMetrics && schema.GetFontValue(kSkinClassSysMetrics, 0, 0, kPropCaptionFont, font) == S_OK)
        CopyFont(font, m_captionFont);
    if (applyMetrics && schema.GetFontValue(kSkinClassSysMetrics, 0, 0, kPropSmallCaptionFont, font) == S_OK)
        CopyFont(font, m_smallCaptionFont);
}

void CSkinMetrics::RefreshSizes(const CSkinSchema& schema, bool applyMetrics)
{
    int border = 1;
    if (::SystemParametersInfoA(SPI_GETBORDER, 0, &border, 0))
        m_nBorderMultiplier = border;
    m_nCxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_nCyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_nCxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_nCyEdge = ::GetSystemMetrics(SM_CYEDGE);
    m_nCxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_nCyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_nCxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_nCyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_nSystemCaptionHeight = ::GetSystemMetrics(SM_CYCAPTION);
    m_nSystemSmallCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
    m_nSkinCaptionHeight = m_nSystemCaptionHeight;
    m_nSkinSmallCaptionHeight = m_nSystemSmallCaptionHeight;
    if (!applyMetrics)
        return;
    const int width = std::min(SysMetricsInt(schema, TMT_SCROLLBARWIDTH, 0), kMaxSkinMetricSize);
    if (width > 0)
        m_nCxHScroll = m_nCxVScroll = width;
    const int height = std::min(SysMetricsInt(schema, TMT_SCROLLBARHEIGHT, 0), kMaxSkinMetricSize);
    if (height > 0)
        m_nCyHScroll = m_nCyVScroll = height;
    const auto captionHeight = [&schema](int propertyId, int system) {
        return std::clamp(SysMetricsInt(schema, propertyId, system), 0, kMaxSkinMetricSize) + 1;
    };
    m_nSkinCaptionHeight = captionHeight(TMT_CAPTIONBARHEIGHT, m_nSystemCaptionHeight);
    m_nSkinSmallCaptionHeight = captionHeight(TMT_SMCAPTIONBARHEIGHT, m_nSystemSmallCaptionHeight);
}

void CSkinMetrics::RefreshColors(const CSkinSchema& schema)
{
    for (int index = 0; index < kSkinMetricsColorCount; ++index) {
        SkinColorRef color = kDefaultColors[index];
        schema.GetColorValue(kSkinClassSysMetrics, 0, 0, TMT_FIRSTCOLOR + index, color);
        SetColor(index, color);
    }
    m_light3D = m_colors[COLOR_3DLIGHT];
    m_highlight3D = m_colors[COLOR_3DHIGHLIGHT];
    m_shadow3D = m_colors[COLOR_3DSHADOW];
    m_darkShadow3D = m_colors[COLOR_3DDKSHADOW];
    m_buttonFaceBrush.reset(::CreateSolidBrush(m_colors[COLOR_BTNFACE]));
}

bool CSkinMetrics::IsMetricsBrush(HGDIOBJ object) const
{
    if (!object || ::GetObjectType(object) != OBJ_BRUSH)
        return false;
    return std::any_of(m_brushes.begin(), m_brushes.end(),
                       [object](const win::UniqueBrush& brush) { return brush.get() == object; });
}

} // namespace tavrelin::skin
