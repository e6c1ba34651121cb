#pragma once
// What the control skin objects draw with: the parent's background brush,
// the keyboard-cue state, colours, arrows and marks, and the control's font.

#include "skin/engine/draw/SkinMetrics.h"
#include "win/UniqueHandle.h"

#include <windows.h>

namespace tavrelin::skin {

// Fills the rectangle as the parent wants the control's background: the
// brush it answers to the colour message, a system colour index + 1 for
// answers up to 30 (taken from the metrics), else the metrics button face.
void FillParentBackground(HWND control, UINT colorMessage, HDC dc, const RECT& rect, const CSkinMetrics& metrics);

// WM_QUERYUISTATE flags of the control.
bool HidesFocusCues(HWND control);
bool HidesAccelerators(HWND control);

// A solid brush of the last colour asked for: the metrics' own brush when
// the colour is one of theirs, else one of its own, made again only when the
// colour changes.
class CColorBrush {
public:
    HBRUSH Get(COLORREF color, const CSkinMetrics& metrics);

private:
    win::UniqueBrush m_brush;
    COLORREF m_color = CLR_INVALID;
};

// Answers a control's colour message: text and background colours set on
// the DC, the background's brush as the result.
LRESULT AnswerColors(HDC dc, COLORREF text, COLORREF back, CColorBrush& brush, const CSkinMetrics& metrics);

// The border of a field drawn without a skin image: a line of the given
// colour along the window's edge, the rest up to the client area filled
// (CLR_NONE: left as it is).
void DrawPlainFieldBorder(HDC dc, const RECT& window, COLORREF line, COLORREF fill);

// A colour between two: weight 0 gives from, 255 gives to.
COLORREF BlendColor(COLORREF from, COLORREF to, int weight);

enum class ESkinArrow { Up, Down, Left, Right };

// A filled triangle pointing that way, centred in the area, as large as
// size pixels from base to tip; drawn in rows, with no pen or brush made.
void DrawSkinArrow(HDC dc, const RECT& area, ESkinArrow direction, int size, COLORREF color);

// A check mark (two strokes) or a round bullet, centred in the area.
void DrawSkinCheckMark(HDC dc, const RECT& area, bool bullet, COLORREF color);

// The control's font selected into a DC while it lives.
class CControlFont {
public:
    CControlFont(HWND control, HDC dc);
    CControlFont(const CControlFont&) = delete;
    CControlFont& operator=(const CControlFont&) = delete;
    ~CControlFont();

private:
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

} // namespace tavrelin::skin
