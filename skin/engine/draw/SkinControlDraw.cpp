#include "skin/engine/draw/SkinControlDraw.h"

#include "skin/engine/draw/SkinGdi.h"

namespace tavrelin::skin {
namespace {

constexpr LRESULT kLastColorIndexAnswer = 30;

} // namespace

void FillParentBackground(HWND control, UINT colorMessage, HDC dc, const RECT& rect, const CSkinMetrics& metrics)
{
    HWND parent = ::GetParent(control);
    const LRESULT answer =
        parent ? ::SendMessageA(parent, colorMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control))
               : 0;
    if (answer > kLastColorIndexAnswer) {
        ::FillRect(dc, &rect, reinterpret_cast<HBRUSH>(answer));
        return;
    }
    const int index = answer > 0 ? static_cast<int>(answer) - 1 : COLOR_BTNFACE;
    FillSolid(dc, rect, metrics.Color(index));
}

bool HidesFocusCues(HWND control) { return (::SendMessageA(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0; }

bool HidesAccelerators(HWND control) { return (::SendMessageA(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0; }

HBRUSH CColorBrush::Get(COLORREF color, const CSkinMetrics& metrics)
{
    for (int index = 0; index < kSkinMetricsColorCount; ++index) {
        if (metrics.Color(index) == color && metrics.Brush(index))
            return metrics.Brush(index);
    }
    if (color != m_color || !m_brush) {
        m_brush.reset(::CreateSolidBrush(color));
        m_color = color;
    }
    return m_brush.get();
}

LRESULT AnswerColors(HDC dc, COLORREF text, COLORREF back, CColorBrush& brush, const CSkinMetrics& metrics)
{
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(brush.Get(back, metrics));
}

void DrawPlainFieldBorder(HDC dc, const RECT& window, COLORREF line, COLORREF fill)
{
    if (fill != CLR_NONE)
        FillSolid(dc, window, fill);
    FillSolid(dc, RECT{window.left, window.top, window.right, window.top + 1}, line);
    FillSolid(dc, RECT{window.left, window.bottom - 1, window.right, window.bottom}, line);
    FillSolid(dc, RECT{window.left, window.top, window.left + 1, window.bottom}, line);
    FillSolid(dc, RECT{window.right - 1, window.top, window.right, window.bottom}, line);
}

COLORREF BlendColor(COLORREF from, COLORREF to, int weight)
{
    const auto mix = [weight](int a, int b) { return (a * (255 - weight) + b * weight + 127) / 255; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

void DrawSkinArrow(HDC dc, const RECT& area, ESkinArrow direction, int size, COLORREF color)
{
    const int centreX = (area.left + area.right) / 2;
    const int centreY = (area.top + area.bottom) / 2;
    const bool bVertical = direction == ESkinArrow::Up || direction == ESkinArrow::Down;
    const bool bTowardsEnd = direction == ESkinArrow::Down || direction == ESkinArrow::Right;
    for (int row = 0; row < size; ++row) {
        // Row 0 is the base, size - 1 the tip.
        const int half = size - 1 - row;
        const int along = (bTowardsEnd ? row : size - 1 - row) - size / 2;
        const RECT line = bVertical ? RECT{centreX - half, centreY + along, centreX + half + 1, centreY + along + 1}
                                    : RECT{centreX + along, centreY - half, centreX + along + 1, centreY + half + 1};
        FillSolid(dc, line, color);
    }
}

void DrawSkinCheckMark(HDC dc, const RECT& area, bool bullet, COLORREF color)
{
    const int centreX = (area.left + area.right) / 2;
    const int centreY = (area.top + area.bottom) / 2;
    if (bullet) {
        static const int kHalfWidths[] = {1, 2, 3, 3, 3, 2, 1};
        for (int row = 0; row < 7; ++row)
            FillSolid(
                dc,
                RECT{centreX - kHalfWidths[row], centreY - 3 + row, centreX + kHalfWidths[row] + 1, centreY - 2 + row},
                color);
        return;
    }
    // A short stroke down to the right, then a long one up to the right,
    // each three pixels thick.
    for (int step = 0; step < 7; ++step) {
        const int x = centreX - 3 + step;
        const int y = step < 3 ? centreY - 1 + step : centreY + 1 - (step - 2);
        FillSolid(dc, RECT{x, y, x + 1, y + 3}, color);
    }
}

CControlFont::CControlFont(HWND control, HDC dc) : m_dc(dc)
{
    auto font = reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0));
    if (font)
        m_previous = ::SelectObject(dc, font);
}

CControlFont::~CControlFont()
{
    if (m_previous)
        ::SelectObject(m_dc, m_previous);
}

} // namespace tavrelin::skin
