#include "skin/engine/controls/SkinObjectListView.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/controls/SkinControlBehaviour.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <vssym32.h>

namespace tavrelin::skin {
namespace {

// How much of the selection colour a hot item's derived look takes.
constexpr int kHotWeight = 64;

COLORREF ListBackground(CSkinContext& skin)
{
    return skin.GetSkinClassById(kSkinClassListView)
        .GetColor(0, 0, kPropFillColor, skin.GetMetrics().Color(COLOR_WINDOW));
}

int ItemAt(HWND list, POINT point)
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int item = static_cast<int>(::SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return item >= 0 && (hit.flags & LVHT_ONITEM) ? item : -1;
}

bool ItemRect(HWND list, int item, int part, RECT& rect)
{
    rect = RECT{part, 0, 0, 0};
    return item >= 0 &&
           ::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
}

} // namespace

int SkinListItemPartState(const SkinListItemState& item)
{
    if (!item.enabled)
        return LISS_DISABLED;
    if (item.selected && item.listFocused)
        return LISS_SELECTED;
    if (item.selected && item.showSelectionAlways)
        return LISS_SELECTEDNOTFOCUS;
    return item.hot ? LISS_HOT : LISS_NORMAL;
}

COLORREF SkinListItemTextColor(CSkinContext& skin, int state)
{
    int index = COLOR_WINDOWTEXT;
    if (state == LISS_SELECTED)
        index = COLOR_HIGHLIGHTTEXT;
    else if (state == LISS_SELECTEDNOTFOCUS)
        index = COLOR_BTNTEXT;
    else if (state == LISS_DISABLED)
        index = COLOR_GRAYTEXT;
    return skin.GetSkinClassById(kSkinClassListView)
        .GetColor(LVP_LISTITEM, state, kPropTextColor, skin.GetMetrics().Color(index));
}

COLORREF SkinListItemFillColor(CSkinContext& skin, int state)
{
    const CSkinMetrics& metrics = skin.GetMetrics();
    switch (state) {
    case LISS_SELECTED:
        return metrics.Color(COLOR_HIGHLIGHT);
    case LISS_SELECTEDNOTFOCUS:
        return metrics.Color(COLOR_BTNFACE);
    case LISS_HOT:
        return BlendColor(ListBackground(skin), metrics.Color(COLOR_HIGHLIGHT), kHotWeight);
    default:
        return CLR_NONE;
    }
}

void CSkinObjectListView::ApplyBackground(bool skinned)
{
    if (m_bProgramColor)
        return;
    const COLORREF current = static_cast<COLORREF>(::SendMessageA(Window(), LVM_GETBKCOLOR, 0, 0));
    // A colour set by no one the object knows is the program's.
    if (m_appliedBack != CLR_INVALID && current != m_appliedBack)
        return;
    const COLORREF wanted = skinned ? ListBackground(*Skin()) : ::GetSysColor(COLOR_WINDOW);
    m_appliedBack = skinned ? wanted : CLR_INVALID;
    if (current == wanted)
        return;
    m_bSettingColor = true;
    ::SendMessageA(Window(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(wanted));
    m_bSettingColor = false;
    ::InvalidateRect(Window(), nullptr, TRUE);
}

void CSkinObjectListView::OnSkinChanged(bool wasLoaded, bool isLoaded)
{
    ApplyBackground(isLoaded);
    if (!isLoaded)
        m_nHotItem = -1;
    CSkinObjectFrame::OnSkinChanged(wasLoaded, isLoaded);
}

// A list made before its creation is taken over has a background already.
void CSkinObjectListView::OnHookAttached(const CREATESTRUCTA* create, bool automatic)
{
    CSkinObjectFrame::OnHookAttached(create, automatic);
    if (!create && Skin()->IsLoaded())
        ApplyBackground(true);
}

bool CSkinObjectListView::ReflectCustomDraw(NMCUSTOMDRAW& draw, const std::function<LRESULT()>& askProgram,
                                            LRESULT& answer)
{
    if (::GetWindowLongPtrA(Window(), GWL_STYLE) & LVS_OWNERDRAWFIXED)
        return false;
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        answer = askProgram();
        m_bProgramAskedItems = (answer & CDRF_NOTIFYITEMDRAW) != 0;
        if (!(answer & CDRF_SKIPDEFAULT))
            answer |= CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return false;
    auto& item = reinterpret_cast<NMLVCUSTOMDRAW&>(draw);
    const COLORREF text = item.clrText, back = item.clrTextBk;
    answer = m_bProgramAskedItems ? askProgram() : CDRF_DODEFAULT;
    // The program's own colours for an item stand.
    if (!(answer & CDRF_SKIPDEFAULT) && item.clrText == text && item.clrTextBk == back)
        DrawItem(item);
    return true;
}

// The list draws its selection over what it is told; told that the item
// is not selected, it draws the text in the colour given on the skin's part.
void CSkinObjectListView::DrawItem(NMLVCUSTOMDRAW& draw)
{
    const auto index = static_cast<int>(draw.nmcd.dwItemSpec);
    const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    SkinListItemState item;
    item.enabled = ::IsWindowEnabled(Window()) != FALSE;
    item.selected = (draw.nmcd.uItemState & CDIS_SELECTED) != 0;
    item.listFocused = ::GetFocus() == Window();
    item.showSelectionAlways = (style & LVS_SHOWSELALWAYS) != 0;
    item.hot = index == m_nHotItem;
    const int state = SkinListItemPartState(item);
    const bool bFullRow = (::SendMessageA(Window(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT) != 0;
    // A disabled list marks only its selection.
    const bool bBackground = state != LISS_NORMAL && (state != LISS_DISABLED || item.selected);
    RECT rect{};
    if (bBackground && ItemRect(Window(), index, bFullRow ? LVIR_BOUNDS : LVIR_SELECTBOUNDS, rect) &&
        !DrawSkinBackground(draw.nmcd.hdc, Skin()->GetSkinClassById(kSkinClassListView), LVP_LISTITEM, state, rect)) {
        const COLORREF fill = SkinListItemFillColor(*Skin(), state);
        if (fill != CLR_NONE)
            FillSolid(draw.nmcd.hdc, rect, fill);
    }
    draw.clrText = SkinListItemTextColor(*Skin(), state);
    draw.clrTextBk = CLR_NONE;
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_HOT);
}

void CSkinObjectListView::InvalidateItem(int item)
{
    RECT rect{};
    if (ItemRect(Window(), item, LVIR_BOUNDS, rect))
        ::InvalidateRect(Window(), &rect, TRUE);
}

void CSkinObjectListView::TrackHot(int item)
{
    if (item == m_nHotItem)
        return;
    InvalidateItem(m_nHotItem);
    m_nHotItem = item;
    InvalidateItem(item);
    if (item >= 0)
        RequestMouseLeave(Window());
}

bool CSkinObjectListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_MOUSEMOVE:
        result = Default(wParam, lParam);
        TrackHot(ItemAt(Window(), MousePoint(lParam)));
        return true;
    case WM_MOUSELEAVE:
        result = Default(wParam, lParam);
        TrackHot(-1);
        return true;
    case WM_CREATE:
        if (!CSkinObjectFrame::HandleMessage(message, wParam, lParam, result))
            result = Default(wParam, lParam);
        ApplyBackground(true);
        return true;
    case LVM_SETBKCOLOR:
        m_bProgramColor = m_bProgramColor || !m_bSettingColor;
        return false;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

} // namespace tavrelin::skin
