#include "skin/engine/controls/SkinObjectToolBar.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinClass.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"

#include <vssym32.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tavrelin::skin {
namespace {

constexpr int kDefaultImageSize = 16;
constexpr int kDropDownRoom = 5;
constexpr int kArrowInset = 6;
constexpr DWORD kEmbossRop = 0xB8074A; // the brush where the source is black, else the destination
constexpr DWORD kCommonControls6 = 0x60000;

int ButtonState(const TBBUTTON& button, bool hot)
{
    if (!(button.fsState & TBSTATE_ENABLED))
        return TS_DISABLED;
    if (button.fsState & TBSTATE_PRESSED)
        return TS_PRESSED;
    if (button.fsState & TBSTATE_CHECKED)
        return TS_CHECKED;
    return hot ? TS_HOT : TS_NORMAL;
}

} // namespace

struct CSkinObjectToolBar::ButtonInfo {
    TBBUTTON button{};
    RECT rect{};
    int state = TS_NORMAL;
    bool hot = false;
    bool shifted = false; // pressed or checked: content moves by a pixel
    bool dropDown = false;
    bool split = false;
    int arrowWidth = 0;
    SIZE image{kDefaultImageSize, kDefaultImageSize};
    HIMAGELIST normal = nullptr;
    LONG_PTR style = 0;
    int vertical = 0; // the image's offset below the content top
};

LRESULT CSkinObjectToolBar::Notify(HDC dc, DWORD stage, DWORD_PTR item, const RECT& rect)
{
    HWND parent = ::GetParent(Window());
    if (!parent)
        return CDRF_DODEFAULT;
    NMTBCUSTOMDRAW draw{};
    draw.nmcd.hdr.hwndFrom = Window();
    draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(Window()));
    draw.nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.nmcd.dwDrawStage = stage;
    draw.nmcd.hdc = dc;
    draw.nmcd.rc = rect;
    draw.nmcd.dwItemSpec = item;
    return ::SendMessageA(parent, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
}

void CSkinObjectToolBar::Paint(HDC target)
{
    m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) {
        FillSolid(dc, client, Skin()->GetMetrics().Color(COLOR_BTNFACE));
        CControlFont font(Window(), dc);
        const LRESULT answer = Notify(dc, CDDS_PREPAINT, 0, client);
        // A parent that painted the toolbar itself keeps what it painted.
        if (!(answer & CDRF_SKIPDEFAULT)) {
            CSkinClass& skinClass = Skin()->GetSkinClassById(SkinClassId());
            const int count = static_cast<int>(::SendMessageA(Window(), TB_BUTTONCOUNT, 0, 0));
            for (int index = 0; index < count; ++index) {
                TBBUTTON button{};
                RECT rect{};
                if (!::SendMessageA(Window(), TB_GETBUTTON, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(&button)) ||
                    (button.fsState & TBSTATE_HIDDEN) ||
                    !::SendMessageA(Window(), TB_GETITEMRECT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(&rect)))
                    continue;
                const bool bNotify = (answer & CDRF_NOTIFYITEMDRAW) != 0;
                const LRESULT item = bNotify ? Notify(dc, CDDS_ITEMPREPAINT, button.idCommand, rect) : CDRF_DODEFAULT;
                if (item & CDRF_SKIPDEFAULT)
                    continue;
                if (button.fsStyle & BTNS_SEP)
                    DrawSkinBackground(dc, skinClass, TP_SEPARATOR, 0, rect);
                else
                    DrawButton(dc, skinClass, index, button);
                if (item & CDRF_NOTIFYPOSTPAINT)
                    Notify(dc, CDDS_ITEMPOSTPAINT, button.idCommand, rect);
            }
            if (answer & CDRF_NOTIFYPOSTPAINT)
                Notify(dc, CDDS_POSTPAINT, 0, client);
        }
    });
}

void CSkinObjectToolBar::DrawButton(HDC dc, CSkinClass& skinClass, int index, const TBBUTTON& button)
{
    ButtonInfo info;
    info.button = button;
    ::SendMessageA(Window(), TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info.rect));
    info.style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    const DWORD exStyle = static_cast<DWORD>(::SendMessageA(Window(), TB_GETEXTENDEDSTYLE, 0, 0));
    const bool bDrawArrows = (exStyle & TBSTYLE_EX_DRAWDDARROWS) != 0;
    const bool bWhole = (button.fsStyle & BTNS_WHOLEDROPDOWN) != 0;
    info.dropDown = (bDrawArrows && (button.fsStyle & BTNS_DROPDOWN)) || bWhole;
    info.split = bDrawArrows && (button.fsStyle & BTNS_DROPDOWN) && !bWhole;
    info.arrowWidth = info.split ? ::GetSystemMetrics(SM_CYMENUCHECK) : 0;
    info.hot = static_cast<int>(::SendMessageA(Window(), TB_GETHOTITEM, 0, 0)) == index;
    info.state = ButtonState(button, info.hot);
    info.shifted = (button.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
    info.normal = reinterpret_cast<HIMAGELIST>(::SendMessageA(Window(), TB_GETIMAGELIST, 0, 0));
    int width = 0, height = 0;
    if (info.normal && ::ImageList_GetIconSize(info.normal, &width, &height))
        info.image = SIZE{width, height};

    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const int e = metrics.CxEdge(), f = metrics.CyEdge();
    const RECT& r = info.rect;
    const int innerWidth = r.right - r.left - 2 * e - (info.dropDown ? kDropDownRoom : 0);
    const LRESULT padding = ::SendMessageA(Window(), TB_GETPADDING, 0, 0);
    info.vertical = std::max(0, (static_cast<int>(HIWORD(padding)) - 2 * f) / 2);
    int horizontal = 0;
    if (info.style & TBSTYLE_LIST)
        horizontal = LOWORD(padding) / 2;
    else if (info.split)
        horizontal = (2 * e + innerWidth - info.image.cx - info.arrowWidth) / 2;
    else
        horizontal = (innerWidth - info.image.cx) / 2;
    horizontal += info.shifted ? 1 : 0;

    if (info.split) {
        const RECT face{r.left, r.top, r.right - info.arrowWidth, r.bottom};
        const RECT arrow{r.right - info.arrowWidth, r.top, r.right, r.bottom};
        DrawSkinBackground(dc, skinClass, TP_SPLITBUTTON, info.state, face);
        DrawSkinBackground(dc, skinClass, TP_SPLITBUTTONDROPDOWN, info.state, arrow);
    } else {
        DrawSkinBackground(dc, skinClass, TP_BUTTON, info.state, r);
    }
    const bool bSkipImage =
        (info.style & TBSTYLE_LIST) && button.iBitmap == I_IMAGENONE && (button.fsStyle & BTNS_AUTOSIZE);
    const bool bImage = !bSkipImage && DrawImage(dc, info, r.left + e + horizontal, r.top + f + info.vertical);
    const RECT text{r.left + e, r.top + f,
                    r.left + e + (r.right - r.left - 3 * e - (info.dropDown ? kDropDownRoom : 0)),
                    r.top + f + (r.bottom - r.top - 2 * f)};
    DrawText(dc, info, text, bImage);

    if (info.dropDown && !info.split) {
        const int shift = (button.fsState & TBSTATE_PRESSED) ? 1 : 0;
        const int middle = (r.top + r.bottom) / 2 + shift;
        const int d = r.right - kArrowInset + shift;
        const POINT points[3] = {{d - 2, middle - 1}, {d + 2, middle - 1}, {d, middle + 1}};
        win::UniqueBrush brush(::CreateSolidBrush(metrics.Color(COLOR_BTNTEXT)));
        win::UniquePen pen(::CreatePen(PS_SOLID, 1, metrics.Color(COLOR_BTNTEXT)));
        win::SelectedObject selectBrush(dc, brush.get());
        win::SelectedObject selectPen(dc, pen.get());
        ::Polygon(dc, points, 3);
    }
}

bool CSkinObjectToolBar::DrawImage(HDC dc, const ButtonInfo& info, int x, int y)
{
    const int image = info.button.iBitmap;
    auto hot = reinterpret_cast<HIMAGELIST>(::SendMessageA(Window(), TB_GETHOTIMAGELIST, 0, 0));
    auto disabled = reinterpret_cast<HIMAGELIST>(::SendMessageA(Window(), TB_GETDISABLEDIMAGELIST, 0, 0));
    const bool bEnabled = (info.button.fsState & TBSTATE_ENABLED) != 0;
    HIMAGELIST list = info.normal;
    if (info.hot || (info.button.fsState & TBSTATE_CHECKED))
        list = hot ? hot : info.normal;
    else if (!bEnabled)
        list = disabled ? disabled : info.normal;
    if (!list || image < 0)
        return false;
    const COLORREF face = Skin()->GetMetrics().Color(COLOR_BTNFACE);
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = list;
    params.i = image;
    params.hdcDst = dc;
    params.x = x;
    params.y = y;
    params.rgbBk = face;
    params.rgbFg = CLR_NONE;
    params.fStyle = ILD_TRANSPARENT;
    if (!bEnabled && !disabled) {
        IMAGEINFO imageInfo{};
        BITMAP bitmap{};
        const bool bAlpha = ::ImageList_GetImageInfo(list, image, &imageInfo) &&
                            ::GetObjectA(imageInfo.hbmImage, sizeof bitmap, &bitmap) && bitmap.bmBitsPixel == 32;
        if (Skin()->CommonControlsVersion() >= kCommonControls6 && bAlpha && ::ImageList_GetBkColor(list) == CLR_NONE) {
            params.fState = ILS_SATURATE;
            return ::ImageList_DrawIndirect(&params) != FALSE;
        }
        DrawEmbossed(dc, list, image, x, y);
        return true;
    }
    return ::ImageList_DrawIndirect(&params) != FALSE;
}

// The image's shape (its opaque pixels that are not white) laid on twice:
// in the highlight colour one pixel right and down, then in the shadow
// colour in place.
void CSkinObjectToolBar::DrawEmbossed(HDC dc, HIMAGELIST list, int image, int x, int y)
{
    int width = 0, height = 0;
    if (!::ImageList_GetIconSize(list, &width, &height) || width <= 0 || height <= 0)
        return;
    void* maskBits = nullptr;
    void* colourBits = nullptr;
    win::UniqueBitmap mask = CreateSkinDib32(width, height, maskBits);
    win::UniqueBitmap colour = CreateSkinDib32(width, height, colourBits);
    win::UniqueMemoryDC memory(::CreateCompatibleDC(dc));
    if (!mask || !colour || !memory)
        return;
    const RECT all{0, 0, width, height};
    {
        win::SelectedObject select(memory.get(), mask.get());
        FillSolid(memory.get(), all, RGB(255, 255, 255));
        ::ImageList_Draw(list, image, memory.get(), 0, 0, ILD_MASK);
    }
    {
        win::SelectedObject select(memory.get(), colour.get());
        FillSolid(memory.get(), all, RGB(255, 255, 255));
        ::ImageList_Draw(list, image, memory.get(), 0, 0, ILD_TRANSPARENT);
    }
    ::GdiFlush();
    // A 1-bit bitmap one pixel larger than the image: 0 for the shape.
    const int stride = ((width + 1 + 15) / 16) * 2;
    std::vector<std::uint8_t> rows(static_cast<size_t>(stride) * (height + 1), 0xFF);
    const auto* maskWords = static_cast<const std::uint32_t*>(maskBits);
    const auto* colourWords = static_cast<const std::uint32_t*>(colourBits);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const size_t at = static_cast<size_t>(row) * width + column;
            const bool bOpaque = (maskWords[at] & 0xFFFFFF) == 0;
            const bool bWhite = (colourWords[at] & 0xFFFFFF) == 0xFFFFFF;
            if (bOpaque && !bWhite)
                rows[static_cast<size_t>(row) * stride + column / 8] &=
                    static_cast<std::uint8_t>(~(0x80 >> (column % 8)));
        }
    }
    win::UniqueBitmap shape(::CreateBitmap(width + 1, height + 1, 1, 1, rows.data()));
    if (!shape)
        return;
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    win::SelectedObject selectShape(memory.get(), shape.get());
    const COLORREF previousText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF previousBack = ::SetBkColor(dc, RGB(255, 255, 255));
    for (const auto& [index, offset] : {std::pair{COLOR_BTNHIGHLIGHT, 1}, std::pair{COLOR_BTNSHADOW, 0}}) {
        win::UniqueBrush brush(::CreateSolidBrush(metrics.Color(index)));
        win::SelectedObject selectBrush(dc, brush.get());
        ::BitBlt(dc, x + offset, y + offset, width + 1, height + 1, memory.get(), 0, 0, kEmbossRop);
    }
    ::SetBkColor(dc, previousBack);
    ::SetTextColor(dc, previousText);
}

// The text's length is asked first: the message has no size argument.
std::string CSkinObjectToolBar::ButtonText(int command) const
{
    const LRESULT length = ::SendMessageA(Window(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(command), 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(Window(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(command),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

void CSkinObjectToolBar::DrawText(HDC dc, const ButtonInfo& info, RECT rect, bool imageDrawn)
{
    const std::string text = ButtonText(info.button.idCommand);
    if (text.empty())
        return;
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const int e = metrics.CxEdge();
    const bool bList = (info.style & TBSTYLE_LIST) != 0;
    if (info.shifted)
        ::OffsetRect(&rect, 1, bList ? 1 : 0);
    if (bList)
        rect.left += imageDrawn ? 2 * e + info.image.cx : e;
    else
        rect.top += info.vertical + info.image.cy;
    ::OffsetRect(&rect, 1, 1);
    const bool bOneRow = ::SendMessageA(Window(), TB_GETTEXTROWS, 0, 0) < 2;
    UINT format = 0;
    if (bList)
        format = bOneRow ? DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS
                         : DT_VCENTER | DT_WORDBREAK | DT_SINGLELINE | DT_EDITCONTROL | DT_END_ELLIPSIS;
    else
        format = bOneRow ? DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS
                         : DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;
    const bool bEnabled = (info.button.fsState & TBSTATE_ENABLED) != 0;
    const COLORREF previousColor = ::SetTextColor(dc, metrics.Color(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    ::SetBkMode(dc, previousMode);
    ::SetTextColor(dc, previousColor);
}

bool CSkinObjectToolBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_PAINT)
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    win::PaintDC paint(Window());
    Paint(paint.get());
    result = 0;
    return true;
}

} // namespace tavrelin::skin
