#include "skin/engine/controls/SkinObjectEdit.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/controls/SkinControlBehaviour.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <vssym32.h>

namespace tavrelin::skin {

int SkinEditPartState(const SkinEditState& edit)
{
    if (!edit.enabled)
        return ETS_DISABLED;
    if (edit.readOnly)
        return ETS_READONLY;
    if (edit.focused)
        return ETS_FOCUSED;
    return edit.hot ? ETS_HOT : ETS_NORMAL;
}

// Without the skin's word, a box that takes no typing shows the face
// colours, as the system shows it.
SkinFieldColors SkinEditColors(CSkinContext& skin, int state)
{
    const CSkinMetrics& metrics = skin.GetMetrics();
    CSkinClass& edit = skin.GetSkinClassById(kSkinClassEdit);
    const bool bFace = state == ETS_DISABLED || state == ETS_READONLY;
    const COLORREF text = metrics.Color(state == ETS_DISABLED ? COLOR_GRAYTEXT
                                        : bFace               ? COLOR_BTNTEXT
                                                              : COLOR_WINDOWTEXT);
    const COLORREF back = metrics.Color(bFace ? COLOR_BTNFACE : COLOR_WINDOW);
    return {edit.GetColor(EP_EDITTEXT, state, kPropTextColor, text),
            edit.GetColor(EP_EDITTEXT, state, kPropFillColor, back)};
}

SkinEditState CSkinObjectEdit::CurrentState() const
{
    SkinEditState edit;
    edit.enabled = ::IsWindowEnabled(Window()) != FALSE;
    edit.readOnly = (::GetWindowLongPtrA(Window(), GWL_STYLE) & ES_READONLY) != 0;
    edit.focused = ::GetFocus() == Window();
    edit.hot = m_bHot;
    return edit;
}

// The mouse changes the border only: the text would otherwise change colour
// as the mouse passes.
SkinFieldColors CSkinObjectEdit::FieldColors() const
{
    SkinEditState edit = CurrentState();
    edit.hot = false;
    return SkinEditColors(*Skin(), SkinEditPartState(edit));
}

bool CSkinObjectEdit::AnswerOwnColor(UINT message, HDC dc, LRESULT& result)
{
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC)
        return false;
    const SkinFieldColors colors = FieldColors();
    result = AnswerColors(dc, colors.text, colors.back, m_brush, Skin()->GetMetrics());
    return true;
}

bool CSkinObjectEdit::PaintOwnBorder(HDC dc, const RECT& window, const RECT& client)
{
    if (::EqualRect(&window, &client))
        return true;
    const int state = SkinEditPartState(CurrentState());
    if (DrawSkinBackground(dc, Skin()->GetSkinClassById(kSkinClassEdit), EP_EDITTEXT, state, window))
        return true;
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const int line = state == ETS_FOCUSED || state == ETS_HOT ? COLOR_HIGHLIGHT
                     : state == ETS_DISABLED                  ? COLOR_GRAYTEXT
                                                              : COLOR_BTNSHADOW;
    DrawPlainFieldBorder(dc, window, metrics.Color(line), SkinEditColors(*Skin(), state).back);
    return true;
}

bool CSkinObjectEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: {
        result = Default(wParam, lParam);
        const bool bHot = message == WM_MOUSEMOVE;
        if (bHot != m_bHot) {
            m_bHot = bHot;
            if (bHot)
                RequestMouseLeave(Window());
            RepaintFrame();
        }
        return true;
    }
    case WM_ERASEBKGND: {
        // Whoever subclasses the box may erase it in colours of its own.
        RECT client{};
        ::GetClientRect(Window(), &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, m_brush.Get(FieldColors().back, Skin()->GetMetrics()));
        result = 1;
        return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case EM_SETREADONLY:
        result = Default(wParam, lParam);
        RepaintFrame();
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

} // namespace tavrelin::skin
