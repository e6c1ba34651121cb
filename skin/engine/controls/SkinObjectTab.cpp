#include "skin/engine/controls/SkinObjectTab.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinClass.h"
#include "skin/engine/draw/SkinControlDraw.h"

#include <commctrl.h>
#include <vssym32.h>

#include <cstring>

namespace tavrelin::skin {
namespace {

// How far a selected tab and the row reach toward the page.
constexpr int kSelectedGrowth = 2;
constexpr int kTextLength = 256;

bool TabRect(HWND tab, int index, RECT& rect)
{
    return index >= 0 &&
           ::SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
}

} // namespace

CSkinObjectTab::ESide CSkinObjectTab::Side() const
{
    const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    const bool bVertical = (style & TCS_VERTICAL) != 0;
    const bool bFar = (style & TCS_BOTTOM) != 0; // TCS_RIGHT is the same bit
    if (bVertical)
        return bFar ? ESide::Right : ESide::Left;
    return bFar ? ESide::Bottom : ESide::Top;
}

bool CSkinObjectTab::HasButtons() const { return (::GetWindowLongPtrA(Window(), GWL_STYLE) & TCS_BUTTONS) != 0; }

// Without a selection the row is measured by the first tab; without tabs
// it is empty and the page takes the whole client area.
RECT CSkinObjectTab::RowRect() const
{
    RECT client{};
    ::GetClientRect(Window(), &client);
    RECT row = client;
    RECT tab{};
    const int selected = static_cast<int>(::SendMessageA(Window(), TCM_GETCURSEL, 0, 0));
    const bool bHasTab = TabRect(Window(), selected, tab) || TabRect(Window(), 0, tab);
    switch (Side()) {
    case ESide::Top: {
        const int rows = static_cast<int>(::SendMessageA(Window(), TCM_GETROWCOUNT, 0, 0));
        row.bottom = bHasTab ? Skin()->GetMetrics().CyEdge() + rows * (tab.bottom - tab.top + client.top) : client.top;
        break;
    }
    case ESide::Bottom:
        row.top = bHasTab ? tab.top : client.bottom;
        break;
    case ESide::Left:
        row.right = bHasTab ? tab.right : client.left;
        break;
    case ESide::Right:
        row.left = bHasTab ? tab.left : client.right;
        break;
    }
    return row;
}

void CSkinObjectTab::DrawBackground(HDC dc, const RECT& rect)
{
    FillParentBackground(Window(), WM_CTLCOLORSTATIC, dc, rect, Skin()->GetMetrics());
    if (HasButtons())
        return;
    const RECT row = RowRect();
    RECT page = rect;
    switch (Side()) {
    case ESide::Top:
        page.top = row.bottom;
        break;
    case ESide::Bottom:
        page.bottom = row.top;
        break;
    case ESide::Left:
        page.left = row.right;
        break;
    case ESide::Right:
        page.right = row.left;
        break;
    }
    DrawSkinBackground(dc, Skin()->GetSkinClassById(SkinClassId()), TABP_PANE, 0, page);
}

void CSkinObjectTab::DrawRow(HDC target)
{
    RECT area = RowRect();
    switch (Side()) {
    case ESide::Top:
        area.bottom += kSelectedGrowth;
        break;
    case ESide::Bottom:
        area.top -= kSelectedGrowth;
        break;
    case ESide::Left:
        area.right += kSelectedGrowth;
        break;
    case ESide::Right:
        area.left -= kSelectedGrowth;
        break;
    }
    RECT client{};
    ::GetClientRect(Window(), &client);
    ::IntersectRect(&area, &area, &client);
    m_canvas.PaintArea(target, area, [&](HDC dc) {
        DrawBackground(dc, client);
        CControlFont font(Window(), dc);
        const int previousMode = ::SetBkMode(dc, TRANSPARENT);
        const int count = static_cast<int>(::SendMessageA(Window(), TCM_GETITEMCOUNT, 0, 0));
        const int selected = static_cast<int>(::SendMessageA(Window(), TCM_GETCURSEL, 0, 0));
        for (int index = 0; index < count; ++index)
            DrawTab(dc, index, selected);
        // The selected tab lies over its neighbours.
        if (selected >= 0 && selected < count)
            DrawTab(dc, selected, selected);
        ::SetBkMode(dc, previousMode);
    });
}

void CSkinObjectTab::DrawTab(HDC dc, int index, int selected)
{
    RECT rect{}, client{}, visible{};
    ::GetClientRect(Window(), &client);
    if (!TabRect(Window(), index, rect) || !::IntersectRect(&visible, &rect, &client))
        return;
    const bool bSelected = index == selected;
    const int count = static_cast<int>(::SendMessageA(Window(), TCM_GETITEMCOUNT, 0, 0));
    CSkinClass* skinClass = &Skin()->GetSkinClassById(SkinClassId());
    int part = TABP_TOPTABITEM;
    int state = bSelected ? TTIS_SELECTED : index == m_nHotTab ? TTIS_HOT : TTIS_NORMAL;
    if (HasButtons()) {
        skinClass = &Skin()->GetSkinClassById(kSkinClassButton);
        part = BP_PUSHBUTTON;
        state = bSelected ? PBS_PRESSED : PBS_NORMAL;
    } else {
        if (bSelected)
            ::InflateRect(&rect, kSelectedGrowth, kSelectedGrowth);
        if (index == 0)
            part = TABP_TOPTABITEMLEFTEDGE;
        else if (index == count - 1 && !bSelected)
            part = TABP_TOPTABITEMRIGHTEDGE;
    }
    DrawSkinBackground(dc, *skinClass, part, state, rect);
    RECT content = rect;
    DrawTabImage(dc, index, content);
    DrawTabText(dc, index, bSelected, *skinClass, part, state, content);

    if (bSelected && ::GetFocus() == Window() && !HidesFocusCues(Window())) {
        const CSkinMetrics& metrics = Skin()->GetMetrics();
        ::InflateRect(&rect, -metrics.CxEdge() / 2, -metrics.CyEdge() / 2);
        ::DrawFocusRect(dc, &rect);
    }
}

void CSkinObjectTab::DrawTabImage(HDC dc, int index, RECT& rect)
{
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(Window(), TCM_GETIMAGELIST, 0, 0));
    if (!images ||
        !::SendMessageA(Window(), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ||
        item.iImage < 0)
        return;
    int width = 0, height = 0;
    ::ImageList_GetIconSize(images, &width, &height);
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const int cx = metrics.CxEdge(), cy = metrics.CyEdge();
    POINT at{};
    switch (Side()) {
    case ESide::Top:
        at = {rect.left + 2 * cx, rect.top + cy};
        break;
    case ESide::Bottom:
        at = {rect.left + 2 * cx, rect.top + 1};
        break;
    case ESide::Left:
        at = {rect.left + cx, rect.top + 2 * cy};
        break;
    case ESide::Right:
        at = {rect.left + 1, rect.top + 2 * cy};
        break;
    }
    ::ImageList_Draw(images, item.iImage, dc, at.x, at.y, ILD_TRANSPARENT);
    if (Side() == ESide::Top || Side() == ESide::Bottom)
        rect.left += cx + width;
    else
        rect.top += cy + height;
}

void CSkinObjectTab::DrawTabText(HDC dc, int index, bool selected, CSkinClass& skinClass, int part, int state,
                                 RECT rect)
{
    char text[kTextLength] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = kTextLength - 1;
    if (!::SendMessageA(Window(), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ||
        !item.pszText || !item.pszText[0])
        return;
    // The control may answer with its own copy of the text.
    const char* shown = item.pszText;
    const int length = static_cast<int>(strnlen(shown, kTextLength - 1));
    ::SetTextColor(dc, Skin()->GetMetrics().Color(COLOR_BTNTEXT));
    UINT format = DT_SINGLELINE | DT_NOCLIP;
    if (Side() == ESide::Left || Side() == ESide::Right) {
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, shown, length, &extent);
        rect.left = rect.right - (rect.right - rect.left - extent.cy + 1) / 2;
        rect.top = rect.top + (rect.bottom - rect.top - extent.cx + 1) / 2;
    } else {
        format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
        if (HidesAccelerators(Window()))
            format |= DT_HIDEPREFIX;
        if (HasButtons()) {
            if (!selected)
                rect.top -= 1;
        } else {
            rect.top += selected ? -2 : 1;
            if (index == 0)
                rect.right -= 3;
        }
    }
    skinClass.DrawSkinText(dc, part, state, shown, length, format, rect);
}

void CSkinObjectTab::TrackHot(POINT point)
{
    int hot = -1;
    const int count = static_cast<int>(::SendMessageA(Window(), TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count && hot < 0; ++index) {
        RECT rect{};
        if (TabRect(Window(), index, rect) && ::PtInRect(&rect, point))
            hot = index;
    }
    if (hot == m_nHotTab)
        return;
    m_nHotTab = hot;
    const RECT row = RowRect();
    ::InvalidateRect(Window(), &row, FALSE);
    if (hot != -1)
        RequestMouseLeave(Window());
}

bool CSkinObjectTab::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The control still sees the mouse, for the tooltips of its tabs.
    if (POINT point; HotTrackingPoint(message, lParam, point)) {
        result = Default(wParam, lParam);
        TrackHot(point);
        return true;
    }
    switch (message) {
    case WM_ERASEBKGND: {
        auto target = reinterpret_cast<HDC>(wParam);
        m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) { DrawBackground(dc, client); });
        result = 1;
        return true;
    }
    case WM_PAINT: {
        win::PaintDC paint(Window());
        if (!paint.erase()) {
            RECT client{};
            ::GetClientRect(Window(), &client);
            DrawBackground(paint.get(), client);
        }
        DrawRow(paint.get());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        DrawRow(reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

} // namespace tavrelin::skin
