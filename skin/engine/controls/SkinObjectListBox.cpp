#include "skin/engine/controls/SkinObjectListBox.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinPropertyIds.h"

namespace tavrelin::skin {

bool CSkinObjectListBox::AnswerOwnColor(UINT message, HDC dc, LRESULT& result)
{
    if (message != WM_CTLCOLORLISTBOX)
        return false;
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    CSkinClass& list = Skin()->GetSkinClassById(kSkinClassListBox);
    const bool bEnabled = ::IsWindowEnabled(Window()) != FALSE;
    const COLORREF text =
        bEnabled ? list.GetColor(0, 0, kPropTextColor, metrics.Color(COLOR_WINDOWTEXT)) : metrics.Color(COLOR_GRAYTEXT);
    const COLORREF back = list.GetColor(0, 0, kPropFillColor, metrics.Color(COLOR_WINDOW));
    result = AnswerColors(dc, text, back, m_brush, metrics);
    return true;
}

bool CSkinObjectListBox::PaintOwnBorder(HDC dc, const RECT& window, const RECT& client)
{
    if (::EqualRect(&window, &client))
        return true;
    if (DrawSkinBackground(dc, Skin()->GetSkinClassById(kSkinClassListBox), 0, 0, window))
        return true;
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    DrawPlainFieldBorder(dc, window, metrics.Color(COLOR_BTNSHADOW), metrics.Color(COLOR_WINDOW));
    return true;
}

} // namespace tavrelin::skin
