#include "skin/engine/controls/SkinObjectToolTip.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <commctrl.h>
#include <vssym32.h>

#include <string>

namespace tavrelin::skin {
namespace {

// The tooltip's own room around its text, besides the margins it is given.
constexpr int kTextMargin = 2;

} // namespace

bool CSkinObjectToolTip::IsPlain() const
{
    wchar_t title[2] = {};
    TTGETTITLE ask{sizeof ask, 0, 2, title};
    ::SendMessageA(Window(), TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&ask));
    return !(::GetWindowLongPtrA(Window(), GWL_STYLE) & TTS_BALLOON) && !title[0];
}

void CSkinObjectToolTip::DrawBackground(HDC dc)
{
    RECT window{};
    ::GetWindowRect(Window(), &window);
    POINT corner{window.left, window.top};
    ::ScreenToClient(Window(), &corner);
    const RECT whole{corner.x, corner.y, corner.x + window.right - window.left, corner.y + window.bottom - window.top};
    if (DrawSkinBackground(dc, Skin()->GetSkinClassById(kSkinClassToolTip), TTP_STANDARD, TTSS_NORMAL, whole))
        return;
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    DrawPlainFieldBorder(dc, whole, metrics.Color(COLOR_INFOTEXT), metrics.Color(COLOR_INFOBK));
}

bool CSkinObjectToolTip::PaintOwnBorder(HDC dc, const RECT&, const RECT& client)
{
    if (!IsPlain())
        return false;
    POINT previous{};
    ::SetViewportOrgEx(dc, client.left, client.top, &previous);
    DrawBackground(dc);
    ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    return true;
}

void CSkinObjectToolTip::Paint(HDC target)
{
    m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) {
        DrawBackground(dc);
        std::string text(static_cast<size_t>(::GetWindowTextLengthA(Window())) + 1, '\0');
        text.resize(static_cast<size_t>(::GetWindowTextA(Window(), text.data(), static_cast<int>(text.size()))));
        RECT margins{};
        ::SendMessageA(Window(), TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
        RECT area{client.left + kTextMargin + margins.left, client.top + kTextMargin + margins.top,
                  client.right - kTextMargin - margins.right, client.bottom - kTextMargin - margins.bottom};
        UINT format = DT_EXTERNALLEADING;
        if (::SendMessageA(Window(), TTM_GETMAXTIPWIDTH, 0, 0) > -1)
            format |= DT_WORDBREAK;
        if (::GetWindowLongPtrA(Window(), GWL_STYLE) & TTS_NOPREFIX)
            format |= DT_NOPREFIX;
        const COLORREF color =
            Skin()
                ->GetSkinClassById(kSkinClassToolTip)
                .GetColor(TTP_STANDARD, TTSS_NORMAL, kPropTextColor, Skin()->GetMetrics().Color(COLOR_INFOTEXT));
        CControlFont font(Window(), dc);
        const int previousMode = ::SetBkMode(dc, TRANSPARENT);
        const COLORREF previousColor = ::SetTextColor(dc, color);
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
        ::SetTextColor(dc, previousColor);
        ::SetBkMode(dc, previousMode);
    });
}

bool CSkinObjectToolTip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (IsPlain() && AnswerPaintMessage(Window(), message, wParam, lParam, result, [this](HDC dc) { Paint(dc); }))
        return true;
    return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
}

} // namespace tavrelin::skin
