#include "skin/engine/controls/SkinObjectComboBox.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/controls/SkinObjectEdit.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinGdi.h"

#include <vssym32.h>

#include <cstring>

namespace tavrelin::skin {
namespace {

constexpr int kArrowSize = 4;

// The button without the skin's image: a face with a shadow line and an arrow.
void DrawPlainButton(HDC dc, const CSkinMetrics& metrics, int state, const RECT& rect)
{
    const COLORREF face = metrics.Color(COLOR_BTNFACE);
    FillSolid(dc, rect, state == CBXS_PRESSED ? BlendColor(face, metrics.Color(COLOR_BTNSHADOW), 128) : face);
    FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, metrics.Color(COLOR_BTNSHADOW));
    DrawSkinArrow(dc, rect, ESkinArrow::Down, kArrowSize,
                  metrics.Color(state == CBXS_DISABLED ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
}

} // namespace

int SkinComboButtonState(bool enabled, bool pressed, bool hot)
{
    if (!enabled)
        return CBXS_DISABLED;
    if (pressed)
        return CBXS_PRESSED;
    return hot ? CBXS_HOT : CBXS_NORMAL;
}

bool CSkinObjectComboBox::IsPainted()
{
    if (m_nExtended < 0) {
        char name[32] = {};
        ::GetClassNameA(Window(), name, sizeof name);
        m_nExtended = std::strcmp(name, "ComboBoxEx32") == 0 ? 1 : 0;
    }
    return !m_nExtended && (::GetWindowLongPtrA(Window(), GWL_STYLE) & CBS_DROPDOWNLIST) != CBS_SIMPLE;
}

bool CSkinObjectComboBox::HasFocus() const
{
    HWND focus = ::GetFocus();
    return focus && (focus == Window() || ::IsChild(Window(), focus));
}

bool CSkinObjectComboBox::AnswerOwnColor(UINT message, HDC dc, LRESULT& result)
{
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORLISTBOX)
        return false;
    const bool bEnabled = ::IsWindowEnabled(Window()) != FALSE;
    const SkinFieldColors colors = SkinEditColors(*Skin(), bEnabled ? ETS_NORMAL : ETS_DISABLED);
    result = AnswerColors(dc, colors.text, colors.back, m_brush, Skin()->GetMetrics());
    return true;
}

// The edit box of a combo box tells it of the focus only by its commands.
bool CSkinObjectComboBox::IsExcludedMessage(UINT message)
{
    return message != WM_COMMAND && CSkinObjectFrame::IsExcludedMessage(message);
}

void CSkinObjectComboBox::TrackHot(POINT point)
{
    RECT client{};
    ::GetClientRect(Window(), &client);
    TrackHotArea(Window(), client, point, m_bHot);
}

bool CSkinObjectComboBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!IsPainted())
        return message != WM_COMMAND && CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    if (POINT point; HotTrackingPoint(message, lParam, point)) {
        result = Default(wParam, lParam);
        TrackHot(point);
        return true;
    }
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        win::PaintDC dc(Window());
        Paint(dc.get());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_COMMAND:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        result = Default(wParam, lParam);
        ::InvalidateRect(Window(), nullptr, FALSE);
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

void CSkinObjectComboBox::Paint(HDC target)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!::GetComboBoxInfo(Window(), &info))
        return;
    m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) {
        // The combo box draws its text, or its owner's item, in the field's colours.
        CallPrevious(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        DrawFrame(dc, client, info);
        DrawButton(dc, info);
    });
}

void CSkinObjectComboBox::DrawFrame(HDC dc, const RECT& client, const COMBOBOXINFO& info)
{
    // The combo box fills its text area one pixel inside the item's rectangle.
    RECT text = info.rcItem;
    ::InflateRect(&text, -1, -1);
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, text.left, text.top, text.right, text.bottom);
    ::ExcludeClipRect(dc, info.rcButton.left, info.rcButton.top, info.rcButton.right, info.rcButton.bottom);
    const bool bEnabled = ::IsWindowEnabled(Window()) != FALSE;
    SkinEditState edit;
    edit.enabled = bEnabled;
    edit.focused = HasFocus();
    edit.hot = m_bHot;
    const int state = SkinEditPartState(edit);
    const int comboState = SkinComboButtonState(bEnabled, false, m_bHot);
    if (!DrawSkinBackground(dc, Skin()->GetSkinClassById(kSkinClassComboBox), 0, comboState, client) &&
        !DrawSkinBackground(dc, Skin()->GetSkinClassById(kSkinClassEdit), EP_EDITTEXT, state, client)) {
        const CSkinMetrics& metrics = Skin()->GetMetrics();
        const int line = state == ETS_FOCUSED || state == ETS_HOT ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW;
        DrawPlainFieldBorder(dc, client, metrics.Color(line), SkinEditColors(*Skin(), state).back);
    }
    ::RestoreDC(dc, saved);
}

void CSkinObjectComboBox::DrawButton(HDC dc, const COMBOBOXINFO& info)
{
    if (!IsDrawable(info.rcButton) || (info.stateButton & STATE_SYSTEM_INVISIBLE))
        return;
    const int state = SkinComboButtonState(::IsWindowEnabled(Window()) != FALSE,
                                           (info.stateButton & STATE_SYSTEM_PRESSED) != 0, m_bHot);
    if (!DrawSkinBackground(dc, Skin()->GetSkinClassById(kSkinClassComboBox), CP_DROPDOWNBUTTON, state, info.rcButton))
        DrawPlainButton(dc, Skin()->GetMetrics(), state, info.rcButton);
}

} // namespace tavrelin::skin
