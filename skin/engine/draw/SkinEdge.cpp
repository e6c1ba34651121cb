#include "skin/engine/draw/SkinEdge.h"

#include "skin/engine/draw/SkinGdi.h"

namespace tavrelin::skin {
namespace {

struct EdgeColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

// One ring of an edge: a line along each side asked for, the top and left
// in one colour, the bottom and right in the other, which also takes the
// two corners where they meet, as the system draws them.
void DrawRing(HDC dc, RECT& rect, UINT flags, const EdgeColors& colors)
{
    if (flags & BF_LEFT)
        FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, colors.topLeft);
    if (flags & BF_TOP)
        FillSolid(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, colors.topLeft);
    if (flags & BF_RIGHT)
        FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, colors.bottomRight);
    if (flags & BF_BOTTOM)
        FillSolid(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colors.bottomRight);
    rect.left += (flags & BF_LEFT) ? 1 : 0;
    rect.top += (flags & BF_TOP) ? 1 : 0;
    rect.right -= (flags & BF_RIGHT) ? 1 : 0;
    rect.bottom -= (flags & BF_BOTTOM) ? 1 : 0;
}

} // namespace

bool DrawSkinEdge(HDC dc, RECT& rect, UINT edge, UINT flags, const CSkinMetrics& metrics)
{
    if (!dc || (flags & (BF_DIAGONAL | BF_FLAT | BF_MONO)))
        return false;
    // Soft edges swap the top-left colours of the outer and inner rings.
    const bool soft = (flags & BF_SOFT) != 0;
    RECT inside = rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        const bool raised = (edge & BDR_RAISEDOUTER) != 0;
        DrawRing(dc, inside, flags,
                 raised ? EdgeColors{soft ? metrics.Highlight3D() : metrics.Light3D(), metrics.DarkShadow3D()}
                        : EdgeColors{soft ? metrics.DarkShadow3D() : metrics.Shadow3D(), metrics.Highlight3D()});
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        const bool raised = (edge & BDR_RAISEDINNER) != 0;
        DrawRing(dc, inside, flags,
                 raised ? EdgeColors{soft ? metrics.Light3D() : metrics.Highlight3D(), metrics.Shadow3D()}
                        : EdgeColors{soft ? metrics.Shadow3D() : metrics.DarkShadow3D(), metrics.Light3D()});
    }
    if ((flags & BF_MIDDLE) && inside.left < inside.right && inside.top < inside.bottom)
        FillSolid(dc, inside, metrics.Color(COLOR_BTNFACE));
    if (flags & BF_ADJUST)
        rect = inside;
    return true;
}

bool DrawSkinFrameControl(HDC dc, RECT& rect, UINT type, UINT state, const CSkinMetrics& metrics)
{
    constexpr UINT kButtonKind = 0x1F; // DFCS_BUTTONPUSH and the check/radio kinds below it
    constexpr UINT kOwnLook = DFCS_MONO | DFCS_FLAT | DFCS_CHECKED | DFCS_TRANSPARENT;
    if (type != DFC_BUTTON || (state & kButtonKind) != DFCS_BUTTONPUSH || (state & kOwnLook))
        return false;
    RECT face = rect;
    const UINT edge = (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED;
    if (!DrawSkinEdge(dc, face, edge, BF_RECT | BF_SOFT | BF_MIDDLE, metrics))
        return false;
    if (state & DFCS_ADJUSTRECT)
        ::InflateRect(&rect, -2, -2);
    return true;
}

} // namespace tavrelin::skin
