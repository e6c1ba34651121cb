#pragma once
// The system colours, brushes, fonts and sizes the engine paints with: the
// system's own without a skin, the skin's where it gives them.

#include "skin/SkinSchema.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <array>

namespace tavrelin::skin {

constexpr int kSkinMetricsColorCount = 31; // COLOR_SCROLLBAR to COLOR_MENUBAR

// The colour a skin stands for when it does not give one.
COLORREF DefaultSkinMetricsColor(int index);

class CSkinMetrics {
public:
    CSkinMetrics();
    virtual ~CSkinMetrics() = default;

    // The system's values, then the skin's colours; its fonts and sizes too
    // when applyMetrics is set.
    void Refresh(const CSkinSchema* schema, bool applyMetrics);

    COLORREF Color(int index) const { return m_colors.at(index); }
    HBRUSH Brush(int index) const { return m_brushes.at(index).get(); }
    bool IsMetricsBrush(HGDIOBJ object) const;

    const LOGFONTA& CaptionFont() const { return m_captionFont; }
    const LOGFONTA& SmallCaptionFont() const { return m_smallCaptionFont; }
    const LOGFONTA& MenuFont() const { return m_menuFont; }
    int BorderMultiplier() const { return m_nBorderMultiplier; }
    int CxBorder() const { return m_nCxBorder; }
    int CyBorder() const { return m_nCyBorder; }
    int CxEdge() const { return m_nCxEdge; }
    int CyEdge() const { return m_nCyEdge; }
    int CxHScroll() const { return m_nCxHScroll; }
    int CyHScroll() const { return m_nCyHScroll; }
    int CxVScroll() const { return m_nCxVScroll; }
    int CyVScroll() const { return m_nCyVScroll; }
    int SkinCaptionHeight() const { return m_nSkinCaptionHeight; }
    int SkinSmallCaptionHeight() const { return m_nSkinSmallCaptionHeight; }
    int SystemCaptionHeight() const { return m_nSystemCaptionHeight; }
    int SystemSmallCaptionHeight() const { return m_nSystemSmallCaptionHeight; }
    COLORREF Light3D() const { return m_light3D; }
    COLORREF Highlight3D() const { return m_highlight3D; }
    COLORREF Shadow3D() const { return m_shadow3D; }
    COLORREF DarkShadow3D() const { return m_darkShadow3D; }
    HBRUSH ButtonFaceBrush() const { return m_buttonFaceBrush.get(); }

private:
    void RefreshFonts(const CSkinSchema& schema, bool applyMetrics);
    void RefreshSizes(const CSkinSchema& schema, bool applyMetrics);
    void RefreshColors(const CSkinSchema& schema);
    void SetColor(int index, COLORREF color);

    std::array<COLORREF, kSkinMetricsColorCount> m_colors{};
    std::array<win::UniqueBrush, kSkinMetricsColorCount> m_brushes;
    LOGFONTA m_captionFont{};
    LOGFONTA m_smallCaptionFont{};
    LOGFONTA m_menuFont{};
    int m_nBorderMultiplier = 1;
    int m_nCxBorder = 1, m_nCyBorder = 1, m_nCxEdge = 2, m_nCyEdge = 2;
    int m_nCxHScroll = 16, m_nCyHScroll = 16, m_nCxVScroll = 16, m_nCyVScroll = 16;
    int m_nSkinCaptionHeight = 0, m_nSkinSmallCaptionHeight = 0;
    int m_nSystemCaptionHeight = 0, m_nSystemSmallCaptionHeight = 0;
    COLORREF m_light3D = 0, m_highlight3D = 0, m_shadow3D = 0, m_darkShadow3D = 0;
    win::UniqueBrush m_buttonFaceBrush;
};

} // namespace tavrelin::skin
