#pragma once
// Labels (static controls) shown over their parent's skin: when the label
// asks its parent for its colours, the parent's own background, as the
// skin paints it, is laid into the label first, and the label draws its
// text over it without a background of its own.

#include "skin/engine/frame/SkinObjectFrame.h"

#include <windows.h>

namespace tavrelin::skin {

class CSkinObjectStatic : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

    bool AnswerOwnColor(UINT message, HDC dc, LRESULT& result) override;
};

// Paints into dc what the parent shows behind the control: its background
// and its own painting, the control's corner at dc's origin.
void PaintParentBackground(HWND control, HDC dc);

} // namespace tavrelin::skin
