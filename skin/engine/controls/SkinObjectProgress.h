#pragma once
// Progress bars painted from the skin's PROGRESS class: the BAR (or
// BARVERT) part, then CHUNK (or CHUNKVERT) parts up to the position, in the
// chunk and space sizes the class gives, one stretched chunk for a smooth
// bar. A marquee bar keeps the system's drawing: its position is the
// control's own.

#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/controls/SkinControlBehaviour.h"

#include <windows.h>

#include <vector>

namespace tavrelin::skin {

// Where the chunks of a bar lie: filled is how far the position reaches
// along the content (in pixels), chunk and space the sizes along the bar;
// a chunk size of 0 gives one chunk over the filled part. Chunks run from
// the start of the content: left to right, or bottom to top.
std::vector<RECT> LayoutSkinProgressChunks(const RECT& content, bool vertical, int filled, int chunk, int space);

class CSkinObjectProgress : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Paint(HDC target);

    CSkinControlCanvas m_canvas;
};

} // namespace tavrelin::skin
