#include "skin/engine/controls/SkinObjectButton.h"

#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinClass.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <string>

namespace tavrelin::skin {
namespace {

constexpr int kGlyphFallbackSize = 13;
constexpr int kTextGap = 3;

enum EButtonKind { kUnskinned, kPush, kCheck, kRadio, kGroup };

// Indexed by the low four bits of the style. Owner-drawn buttons and the
// types without a look of their own keep the painting they have.
constexpr EButtonKind kKindOfType[16] = {
    kPush,      kPush,  kCheck,     kCheck,     kRadio,     kCheck,     kCheck,     kGroup,
    kUnskinned, kRadio, kUnskinned, kUnskinned, kUnskinned, kUnskinned, kUnskinned, kUnskinned,
};

EButtonKind ButtonKind(LONG_PTR style)
{
    const EButtonKind kind = kKindOfType[style & BS_TYPEMASK];
    if ((kind == kCheck || kind == kRadio) && (style & BS_PUSHLIKE))
        return kPush;
    return kind;
}

bool IsThreeState(LONG_PTR style)
{
    const LONG_PTR type = style & BS_TYPEMASK;
    return type == BS_3STATE || type == BS_AUTO3STATE;
}

// The check box and radio button states come in rows of four: unchecked,
// checked, then (check boxes only) mixed.
constexpr int kStateRow = CBS_CHECKEDNORMAL - CBS_UNCHECKEDNORMAL;

// The first row: normal, hot, pressed, disabled.
int BaseState(const SkinButtonState& button)
{
    if (!button.enabled)
        return CBS_UNCHECKEDDISABLED;
    if (button.pushed)
        return CBS_UNCHECKEDPRESSED;
    return button.hot ? CBS_UNCHECKEDHOT : CBS_UNCHECKEDNORMAL;
}

int PushState(const SkinButtonState& button)
{
    if (!button.enabled)
        return PBS_DISABLED;
    if (button.pushed)
        return PBS_PRESSED;
    if (button.hot)
        return PBS_HOT;
    if (button.check != BST_UNCHECKED)
        return PBS_PRESSED;
    return (button.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? PBS_DEFAULTED : PBS_NORMAL;
}

UINT HorizontalFormat(LONG_PTR style, UINT defaultAlign)
{
    switch (style & BS_CENTER) {
    case BS_LEFT:
        return DT_LEFT;
    case BS_RIGHT:
        return DT_RIGHT;
    case BS_CENTER:
        return DT_CENTER;
    default:
        return defaultAlign;
    }
}

// Where a block of the given height lies in the area.
int VerticalOffset(LONG_PTR style, const RECT& area, int height)
{
    switch (style & BS_VCENTER) {
    case BS_TOP:
        return 0;
    case BS_BOTTOM:
        return area.bottom - area.top - height;
    default:
        return (area.bottom - area.top - height) / 2;
    }
}

SIZE ImageSize(HANDLE image, bool icon)
{
    if (icon) {
        ICONINFO info{};
        if (!::GetIconInfo(static_cast<HICON>(image), &info))
            return {};
        BITMAP bitmap{};
        ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        const bool bMaskOnly = info.hbmColor == nullptr;
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        return SIZE{bitmap.bmWidth, bMaskOnly ? bitmap.bmHeight / 2 : bitmap.bmHeight};
    }
    BITMAP bitmap{};
    if (!::GetObjectA(image, sizeof bitmap, &bitmap))
        return {};
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

} // namespace

SkinButtonLook SkinButtonPartState(const SkinButtonState& button)
{
    const int checked = button.check != BST_UNCHECKED ? kStateRow : 0;
    switch (ButtonKind(button.style)) {
    case kPush:
        return {BP_PUSHBUTTON, PushState(button)};
    case kCheck: {
        const int mixed = button.check == BST_INDETERMINATE && IsThreeState(button.style) ? kStateRow : 0;
        return {BP_CHECKBOX, BaseState(button) + checked + mixed};
    }
    case kRadio:
        return {BP_RADIOBUTTON, BaseState(button) + checked};
    case kGroup:
        return {BP_GROUPBOX, button.enabled ? GBS_NORMAL : GBS_DISABLED};
    default:
        return {};
    }
}

bool CSkinObjectButton::IsSkinned() const { return ButtonKind(::GetWindowLongPtrA(Window(), GWL_STYLE)) != kUnskinned; }

SkinButtonState CSkinObjectButton::CurrentState() const
{
    SkinButtonState button;
    button.style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    button.enabled = ::IsWindowEnabled(Window()) != FALSE;
    button.hot = m_bHot || ::GetCapture() == Window();
    button.pushed = m_bPushed;
    button.check = ::SendMessageA(Window(), BM_GETCHECK, 0, 0);
    return button;
}

LRESULT CSkinObjectButton::DefaultHidden(WPARAM wParam, LPARAM lParam)
{
    const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    if (!(style & WS_VISIBLE))
        return Default(wParam, lParam);
    ::SetWindowLongPtrA(Window(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
    const LRESULT result = Default(wParam, lParam);
    // The default may have changed other style bits (BM_SETSTYLE).
    const LONG_PTR after = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    ::SetWindowLongPtrA(Window(), GWL_STYLE, after | WS_VISIBLE);
    return result;
}

void CSkinObjectButton::TrackHot(POINT point)
{
    if ((::GetWindowLongPtrA(Window(), GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
        return;
    RECT client{};
    ::GetClientRect(Window(), &client);
    TrackHotArea(Window(), client, point, m_bHot);
}

bool CSkinObjectButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!IsSkinned())
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    if (AnswerPaintMessage(Window(), message, wParam, lParam, result, [this](HDC dc) { Paint(dc); }))
        return true;
    if (POINT point; HotTrackingPoint(message, lParam, point)) {
        result = Default(wParam, lParam);
        TrackHot(point);
        return true;
    }
    switch (message) {
    case BM_SETSTATE:
        result = DefaultHidden(wParam, lParam);
        m_bPushed = wParam != 0;
        ::InvalidateRect(Window(), nullptr, FALSE);
        return true;
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
        result = DefaultHidden(wParam, lParam);
        ::InvalidateRect(Window(), nullptr, FALSE);
        return true;
    case WM_CAPTURECHANGED:
    case WM_CREATE:
        result = Default(wParam, lParam);
        ::InvalidateRect(Window(), nullptr, FALSE);
        return true;
    case WM_ENABLE:
        ::InvalidateRect(Window(), nullptr, FALSE);
        result = 0;
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

void CSkinObjectButton::Paint(HDC target)
{
    RECT client{};
    ::GetClientRect(Window(), &client);
    const SkinButtonLook look = SkinButtonPartState(CurrentState());
    CSkinClass& skinClass = Skin()->GetSkinClassById(SkinClassId());
    if (look.part == BP_GROUPBOX) {
        CControlFont font(Window(), target);
        DrawGroupBox(target, skinClass, look, client);
        return;
    }
    m_canvas.PaintArea(target, client, [&](HDC dc) {
        FillParentBackground(Window(), WM_CTLCOLORBTN, dc, client, Skin()->GetMetrics());
        CControlFont font(Window(), dc);
        const int previousMode = ::SetBkMode(dc, TRANSPARENT);
        if (look.part == BP_PUSHBUTTON)
            DrawPushButton(dc, skinClass, look, client);
        else
            DrawCheckOrRadio(dc, skinClass, look, client);
        ::SetBkMode(dc, previousMode);
    });
}

void CSkinObjectButton::DrawPushButton(HDC dc, CSkinClass& skinClass, const SkinButtonLook& look, const RECT& client)
{
    if (!DrawSkinBackground(dc, skinClass, look.part, look.state, client)) {
        RECT face = client;
        ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (look.state == PBS_PRESSED ? DFCS_PUSHED : 0));
    }
    ::SetTextColor(dc, skinClass.GetColor(look.part, look.state, kPropTextColor, ::GetTextColor(dc)));
    RECT area = client;
    if (!(::GetWindowLongPtrA(Window(), GWL_STYLE) & BS_MULTILINE)) {
        const CSkinMetrics& metrics = Skin()->GetMetrics();
        ::InflateRect(&area, -metrics.CxEdge(), -metrics.CyEdge());
    }
    DrawContent(dc, area, DT_CENTER);
    RECT focus = client;
    ::InflateRect(&focus, -3, -3);
    DrawFocus(dc, focus);
}

void CSkinObjectButton::DrawCheckOrRadio(HDC dc, CSkinClass& skinClass, const SkinButtonLook& look, const RECT& client)
{
    const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    SIZE glyph{kGlyphFallbackSize, kGlyphFallbackSize};
    const RECT probe{0, 0, kGlyphFallbackSize, kGlyphFallbackSize};
    if (!skinClass.GetPartSize(look.part, CBS_UNCHECKEDNORMAL, &probe, kSkinPartSizeDraw, glyph) || glyph.cx <= 0 ||
        glyph.cy <= 0)
        glyph = SIZE{kGlyphFallbackSize, kGlyphFallbackSize};

    SIZE blank{};
    ::GetTextExtentPoint32A(dc, " ", 1, &blank);
    const int offset = (blank.cy + blank.cy / 4 - glyph.cy) / 2;
    RECT box{0, 0, glyph.cx, glyph.cy};
    const int top = (style & BS_VCENTER) == BS_TOP      ? offset
                    : (style & BS_VCENTER) == BS_BOTTOM ? client.bottom - offset - glyph.cy
                                                        : (client.bottom - glyph.cy) / 2;
    const bool bLeftText = (style & BS_LEFTTEXT) != 0;
    ::OffsetRect(&box, bLeftText ? client.right - glyph.cx : 0, top);
    RECT text = client;
    if (bLeftText)
        text.right = box.left - kTextGap;
    else
        text.left = box.right + kTextGap;

    ::SetTextColor(dc, skinClass.GetColor(look.part, look.state, kPropTextColor, ::GetTextColor(dc)));
    RECT drawn{};
    if (look.part == BP_CHECKBOX)
        DrawSkinBackground(dc, skinClass, look.part, look.state, box);
    drawn = DrawContent(dc, text, DT_LEFT);
    if (look.part == BP_RADIOBUTTON)
        DrawSkinBackground(dc, skinClass, look.part, look.state, box);
    ::InflateRect(&drawn, 1, 1);
    ::IntersectRect(&drawn, &drawn, &client);
    DrawFocus(dc, drawn);
}

void CSkinObjectButton::DrawGroupBox(HDC dc, CSkinClass& skinClass, const SkinButtonLook& look, const RECT& client)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(Window())) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(Window(), text.data(), static_cast<int>(text.size()))));
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
                            &extent);
    RECT frame = client;
    frame.top += extent.cy / 2;
    DrawSkinBackground(dc, skinClass, look.part, look.state, frame);
    if (text.empty())
        return;

    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const int width = extent.cx + 2 * metrics.CxEdge();
    const int inset = 4 * metrics.CxEdge();
    const bool bRight = (::GetWindowLongPtrA(Window(), GWL_STYLE) & BS_CENTER) == BS_RIGHT;
    RECT caption{bRight ? client.right - inset - width : client.left + inset, client.top, 0, client.top + extent.cy};
    caption.right = caption.left + width;
    FillParentBackground(Window(), WM_CTLCOLORBTN, dc, caption, metrics);
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF previous =
        ::SetTextColor(dc, skinClass.GetColor(look.part, look.state, kPropTextColor, metrics.Color(COLOR_BTNTEXT)));
    UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP;
    if (HidesAccelerators(Window()))
        format |= DT_HIDEPREFIX;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &caption, format);
    ::SetTextColor(dc, previous);
    ::SetBkMode(dc, previousMode);
}

RECT CSkinObjectButton::DrawContent(HDC dc, RECT area, UINT defaultAlign)
{
    const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    const UINT align = HorizontalFormat(style, defaultAlign);
    if (style & (BS_BITMAP | BS_ICON)) {
        const bool bIcon = (style & BS_ICON) != 0;
        auto image =
            reinterpret_cast<HANDLE>(::SendMessageA(Window(), BM_GETIMAGE, bIcon ? IMAGE_ICON : IMAGE_BITMAP, 0));
        const SIZE size = image ? ImageSize(image, bIcon) : SIZE{};
        const int width = area.right - area.left;
        const int x = align == DT_LEFT    ? area.left
                      : align == DT_RIGHT ? area.right - size.cx
                                          : area.left + (width - size.cx) / 2;
        const int y = area.top + VerticalOffset(style, area, size.cy);
        const UINT flags = (bIcon ? DST_ICON : DST_BITMAP) | (::IsWindowEnabled(Window()) ? 0 : DSS_DISABLED);
        if (image)
            ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, x, y, size.cx, size.cy, flags);
        return RECT{x, y, x + size.cx, y + size.cy};
    }

    std::string text(static_cast<size_t>(::GetWindowTextLengthA(Window())) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(Window(), text.data(), static_cast<int>(text.size()))));
    UINT format = align | DT_NOCLIP | ((style & BS_MULTILINE) ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE);
    if (::GetWindowLongPtrA(Window(), GWL_EXSTYLE) & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    if (HidesAccelerators(Window()))
        format |= DT_HIDEPREFIX;
    RECT measured = area;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    const int width = measured.right - measured.left;
    RECT placed = area;
    placed.top += VerticalOffset(style, area, height);
    placed.bottom = placed.top + height;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &placed, format);
    const int left = align == DT_LEFT    ? area.left
                     : align == DT_RIGHT ? area.right - width
                                         : area.left + (area.right - area.left - width) / 2;
    return RECT{left, placed.top, left + width, placed.bottom};
}

void CSkinObjectButton::DrawFocus(HDC dc, const RECT& rect)
{
    if (::GetFocus() != Window() || HidesFocusCues(Window()))
        return;
    ::DrawFocusRect(dc, &rect);
}

} // namespace tavrelin::skin
