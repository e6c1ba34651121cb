#include "skin/engine/controls/SkinObjectHeader.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinClass.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <vssym32.h>

#include <algorithm>
#include <cstring>

namespace tavrelin::skin {
namespace {

constexpr int kTextLength = 256;
constexpr int kArrowSize = 4; // rows of the drawn arrow without an image
constexpr int kArrowGap = 4;
const SkinMargins kContentFallback{4, 4, 2, 2};

bool ItemRect(HWND header, int index, RECT& rect)
{
    return ::SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) != 0;
}

// The look of a header item without the skin's image: the face, with a
// line of shadow along its right and bottom edges.
void DrawPlainItem(HDC dc, const CSkinMetrics& metrics, int state, const RECT& rect)
{
    const COLORREF face = metrics.Color(COLOR_BTNFACE);
    FillSolid(dc, rect,
              state == HIS_PRESSED ? BlendColor(face, metrics.Color(COLOR_BTNSHADOW), 128)
              : state == HIS_HOT   ? BlendColor(face, metrics.Color(COLOR_BTNHIGHLIGHT), 96)
                                   : face);
    FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, metrics.Color(COLOR_BTNSHADOW));
    FillSolid(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, metrics.Color(COLOR_BTNSHADOW));
}

} // namespace

int SkinHeaderItemState(bool pressed, bool hot)
{
    if (pressed)
        return HIS_PRESSED;
    return hot ? HIS_HOT : HIS_NORMAL;
}

int CSkinObjectHeader::ItemAt(POINT point, bool& onDivider) const
{
    HDHITTESTINFO hit{};
    hit.pt = point;
    const int item = static_cast<int>(::SendMessageA(Window(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    onDivider = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0;
    return item >= 0 && (hit.flags & HHT_ONHEADER) ? item : -1;
}

void CSkinObjectHeader::SetItemState(int& member, int item)
{
    if (member == item)
        return;
    RECT rect{};
    if (member >= 0 && ItemRect(Window(), member, rect))
        ::InvalidateRect(Window(), &rect, FALSE);
    member = item;
    if (item >= 0 && ItemRect(Window(), item, rect))
        ::InvalidateRect(Window(), &rect, FALSE);
}

bool CSkinObjectHeader::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (AnswerPaintMessage(Window(), message, wParam, lParam, result, [this](HDC dc) { Paint(dc); }))
        return true;
    bool bDivider = false;
    switch (message) {
    case WM_MOUSEMOVE:
        result = Default(wParam, lParam);
        if (m_nPressedItem < 0) {
            const int item = ItemAt(MousePoint(lParam), bDivider);
            SetItemState(m_nHotItem, bDivider ? -1 : item);
            if (m_nHotItem >= 0)
                RequestMouseLeave(Window());
        }
        return true;
    case WM_MOUSELEAVE:
        result = Default(wParam, lParam);
        SetItemState(m_nHotItem, -1);
        return true;
    case WM_LBUTTONDOWN: {
        result = Default(wParam, lParam);
        const int item = ItemAt(MousePoint(lParam), bDivider);
        const bool bButtons = (::GetWindowLongPtrA(Window(), GWL_STYLE) & HDS_BUTTONS) != 0;
        if (bButtons && !bDivider && ::GetCapture() == Window())
            SetItemState(m_nPressedItem, item);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        result = Default(wParam, lParam);
        SetItemState(m_nPressedItem, -1);
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

void CSkinObjectHeader::Paint(HDC target)
{
    m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) {
        CSkinClass& skinClass = Skin()->GetSkinClassById(kSkinClassHeader);
        CControlFont font(Window(), dc);
        const int previousMode = ::SetBkMode(dc, TRANSPARENT);
        const int count = static_cast<int>(::SendMessageA(Window(), HDM_GETITEMCOUNT, 0, 0));
        int right = client.left;
        for (int order = 0; order < count; ++order) {
            const int index =
                static_cast<int>(::SendMessageA(Window(), HDM_ORDERTOINDEX, static_cast<WPARAM>(order), 0));
            RECT rect{};
            if (!ItemRect(Window(), index, rect))
                continue;
            DrawItem(dc, skinClass, index, rect);
            right = std::max<int>(right, rect.right);
        }
        // Beyond the last column the header shows an empty item.
        const RECT rest{right, client.top, client.right, client.bottom};
        if (IsDrawable(rest) && !DrawSkinBackground(dc, skinClass, HP_HEADERITEM, HIS_NORMAL, rest))
            DrawPlainItem(dc, Skin()->GetMetrics(), HIS_NORMAL, rest);
        ::SetBkMode(dc, previousMode);
    });
}

void CSkinObjectHeader::DrawItem(HDC dc, CSkinClass& skinClass, int index, const RECT& rect)
{
    const int state = SkinHeaderItemState(index == m_nPressedItem, index == m_nHotItem);
    if (!DrawSkinBackground(dc, skinClass, HP_HEADERITEM, state, rect))
        DrawPlainItem(dc, Skin()->GetMetrics(), state, rect);
    char text[kTextLength] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = kTextLength - 1;
    if (!::SendMessageA(Window(), HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return;
    const SkinMargins margins = skinClass.GetRect(HP_HEADERITEM, state, kPropContentMargins, kContentFallback);
    RECT content{rect.left + margins.cxLeftWidth, rect.top + margins.cyTopHeight, rect.right - margins.cxRightWidth,
                 rect.bottom - margins.cyBottomHeight};
    if (state == HIS_PRESSED)
        ::OffsetRect(&content, 1, 1);
    content = DrawSortArrow(dc, skinClass, state, item.fmt, content);
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(Window(), HDM_GETIMAGELIST, 0, 0));
    if ((item.fmt & HDF_IMAGE) && images && item.iImage >= 0) {
        int width = 0, height = 0;
        ::ImageList_GetIconSize(images, &width, &height);
        ::ImageList_Draw(images, item.iImage, dc, content.left, (content.top + content.bottom - height) / 2,
                         ILD_TRANSPARENT);
        content.left += width + kArrowGap;
    }
    if (!(item.fmt & HDF_STRING) || !item.pszText || !item.pszText[0])
        return;
    const COLORREF color =
        skinClass.GetColor(HP_HEADERITEM, state, kPropTextColor, Skin()->GetMetrics().Color(COLOR_BTNTEXT));
    const COLORREF previous = ::SetTextColor(dc, color);
    const int align = item.fmt & HDF_JUSTIFYMASK;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    format |= align == HDF_RIGHT ? DT_RIGHT : align == HDF_CENTER ? DT_CENTER : DT_LEFT;
    ::DrawTextA(dc, item.pszText, static_cast<int>(strnlen(item.pszText, kTextLength - 1)), &content, format);
    ::SetTextColor(dc, previous);
}

RECT CSkinObjectHeader::DrawSortArrow(HDC dc, CSkinClass& skinClass, int state, int format, RECT content)
{
    if (!(format & (HDF_SORTUP | HDF_SORTDOWN)))
        return content;
    const int arrowState = (format & HDF_SORTUP) ? HSAS_SORTEDUP : HSAS_SORTEDDOWN;
    SIZE size{2 * kArrowSize - 1, kArrowSize};
    skinClass.GetPartSize(HP_HEADERSORTARROW, arrowState, nullptr, kSkinPartSizeTrue, size);
    const int middle = (content.top + content.bottom) / 2;
    const RECT arrow{content.right - size.cx, middle - size.cy / 2, content.right, middle - size.cy / 2 + size.cy};
    if (!DrawSkinBackground(dc, skinClass, HP_HEADERSORTARROW, arrowState, arrow)) {
        const COLORREF color =
            skinClass.GetColor(HP_HEADERITEM, state, kPropTextColor, Skin()->GetMetrics().Color(COLOR_BTNTEXT));
        DrawSkinArrow(dc, arrow, arrowState == HSAS_SORTEDUP ? ESkinArrow::Up : ESkinArrow::Down, kArrowSize, color);
    }
    content.right = arrow.left - kArrowGap;
    return content;
}

} // namespace tavrelin::skin
