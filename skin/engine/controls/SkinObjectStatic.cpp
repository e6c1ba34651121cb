#include "skin/engine/controls/SkinObjectStatic.h"

#include "skin/engine/context/SkinContext.h"

namespace tavrelin::skin {
namespace {

// Labels that draw text; pictures, frames and rectangles keep their own look.
bool DrawsText(LONG_PTR style)
{
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return true;
    default:
        return false;
    }
}

} // namespace

void PaintParentBackground(HWND control, HDC dc)
{
    HWND parent = ::GetParent(control);
    if (!parent)
        return;
    POINT corner{0, 0};
    ::MapWindowPoints(control, parent, &corner, 1);
    POINT previous{};
    ::OffsetViewportOrgEx(dc, -corner.x, -corner.y, &previous);
    ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

bool CSkinObjectStatic::AnswerOwnColor(UINT message, HDC dc, LRESULT& result)
{
    if (message != WM_CTLCOLORSTATIC || !DrawsText(::GetWindowLongPtrA(Window(), GWL_STYLE)))
        return false;
    const int saved = ::SaveDC(dc);
    PaintParentBackground(Window(), dc);
    ::RestoreDC(dc, saved);
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, metrics.Color(COLOR_BTNFACE));
    ::SetTextColor(dc, metrics.Color(COLOR_BTNTEXT));
    result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    return true;
}

} // namespace tavrelin::skin
