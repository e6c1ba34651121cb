#pragma once
// A window's own scroll bars drawn from the skin: their layout (arrows,
// tracks, thumb), which part a point hits, and the drawing of the Default
// and Office2007 looks.
//
// Layout: the arrows are squares of the bar's thickness, shortened to half
// the bar each when the bar is shorter than two of them; the track lies
// between them; the thumb is as long as the page is of the range, at least
// half the thickness (the thickness when there is no page), and is left out
// when it does not fit or the whole range is visible.

#include <windows.h>

namespace tavrelin::skin {

class CSkinContext;

enum ESkinScrollPart : int {
    kScrollNone = 0,
    kScrollArrowBack = 1, // up or left
    kScrollTrackBack = 2, // between that arrow and the thumb
    kScrollThumb = 3,
    kScrollTrackForward = 4, // between the thumb and the other arrow
    kScrollArrowForward = 5, // down or right
};

struct SkinScrollLayout {
    RECT parts[6]{}; // by ESkinScrollPart; parts[0] is the whole bar
    bool hasThumb = false;
};

struct SkinScrollBarState {
    bool vertical = true;
    bool control = false; // a scroll bar control (SB_CTL), not a window's own bar
    RECT rect{};          // window coordinates
    int hot = kScrollNone;
    int pressed = kScrollNone;
    bool tracking = false;
    int trackPosition = 0;
};

// position is the thumb's scroll position (the tracking one while dragged).
SkinScrollLayout LayoutSkinScrollBar(const RECT& rect, bool vertical, const SCROLLINFO& info, int position);

ESkinScrollPart HitSkinScrollBar(const SkinScrollLayout& layout, POINT point);

// The scroll position a thumb dragged to offset (pixels along the track from
// its start) stands for.
int SkinScrollPositionAt(const SkinScrollLayout& layout, bool vertical, const SCROLLINFO& info, int offset);

// The colour behind the bars and of their corner.
COLORREF SkinScrollColor(CSkinContext& skin, bool highlighted);

// Draws the bar of the window (SB_VERT or SB_HORZ, or the window itself when
// it is a scroll bar control) into dc, in the coordinates of state.rect.
void DrawSkinScrollBar(HDC dc, CSkinContext& skin, HWND window, const SkinScrollBarState& state);

} // namespace tavrelin::skin
