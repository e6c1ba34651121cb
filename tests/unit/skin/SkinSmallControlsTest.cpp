// Scroll bar controls, labels, progress bars and tooltips in the gallery
// under the probe skin: the bar's parts as a window's own bars have them,
// its hot thumb, a press that scrolls by a page, a position redrawn by the
// skin and the size grip; a label over its parent's skin; a progress bar's
// chunks up to its position; a tooltip's part and text.
#include "SkinControlGallery.h"

namespace tavrelin::skin::test {
namespace {

int ThumbLeft(const CProbeTable& table, HWND bar)
{
    const CClientPixels pixels(bar);
    for (int x = 0; x < pixels.Width(); ++x) {
        if (table.Name(pixels.At(x, 9)) == "SCROLLBAR THUMBBTNHORZ 1 border")
            return x;
    }
    return -1;
}

TEST_F(SkinControls, ScrollBarControlsShowTheSkinsPartsAndScrollAsTheirOwner)
{
    HWND bar = Add("ScrollBar", "", SBS_HORZ, 20, 20, 200, 18);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 20, 0};
    ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
    PumpMessages();
    EXPECT_EQ(Look(bar, 2, 9), "SCROLLBAR ARROWBTN 9 fill") << "left arrow";
    EXPECT_EQ(Look(bar, 197, 9), "SCROLLBAR ARROWBTN 13 fill") << "right arrow";
    EXPECT_EQ(Look(bar, 20, 9), "SCROLLBAR LOWERTRACKHORZ 1 fill");
    EXPECT_EQ(Look(bar, 177, 9), "SCROLLBAR UPPERTRACKHORZ 1 fill");
    const int thumb = ThumbLeft(m_table, bar);
    ASSERT_GT(thumb, 18);
    Hover(bar, POINT{thumb + 3, 9});
    EXPECT_EQ(Look(bar, thumb + 2, 9), "SCROLLBAR THUMBBTNHORZ 2 fill");
    ::SendMessageA(bar, WM_MOUSELEAVE, 0, 0);
    // A position set with a redraw is shown by the skin, never by the system.
    ::SetScrollPos(bar, SB_CTL, 80, TRUE);
    PumpMessages();
    EXPECT_GT(ThumbLeft(m_table, bar), thumb + 50);
    // The release is waiting when the press begins: the press loop ends at once.
    ::PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(30, 9));
    ::SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 9));
    EXPECT_EQ(Behaviour().horizontalScrolls, (std::vector<WORD>{SB_PAGEUP, SB_ENDSCROLL}));

    HWND grip = Add("ScrollBar", "", SBS_SIZEGRIP, 20, 60, 18, 18);
    PumpMessages();
    EXPECT_GT(CClientPixels(grip).Count(m_table.Colour("SCROLLBAR SIZEBOX 1 fill")), 0u);
}

TEST_F(SkinControls, LabelsProgressBarsAndTooltipsShowTheSkin)
{
    HWND tabs = Add(WC_TABCONTROLA, "", 0, 10, 10, 300, 200);
    HWND label = ::CreateWindowExA(0, "Static", "rapidness", WS_CHILD | WS_VISIBLE | SS_LEFT, 40, 100, 120, 20, tabs,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    HWND bar = Add(PROGRESS_CLASSA, "", 0, 20, 220, 202, 14);
    ::SendMessageA(bar, PBM_SETPOS, 50, 0);
    HWND upright = Add(PROGRESS_CLASSA, "", PBS_VERTICAL, 240, 220, 14, 202);
    ::SendMessageA(upright, PBM_SETPOS, 100, 0);
    PumpMessages();
    EXPECT_EQ(Look(label, 118, 18), "TAB PANE 0 fill") << "the label's parent";
    EXPECT_GT(CClientPixels(label).Count(m_table.Colour("SYSMETRICS BTNTEXT 0 color")), 10u);
    EXPECT_EQ(FrameLook(bar, 0, 0), "PROGRESS BAR 0 border");
    EXPECT_EQ(Look(bar, 3, 7), "PROGRESS CHUNK 0 fill");
    EXPECT_EQ(Look(bar, 180, 7), "PROGRESS BAR 0 fill") << "beyond the position";
    EXPECT_EQ(Look(bar, 102, 7), "PROGRESS BAR 0 fill") << "a chunk only whole";
    EXPECT_GT(CClientPixels(upright).Count(m_table.Colour("PROGRESS CHUNKVERT 0 fill")), 0u);

    HWND tip = ShowTip("take pictures");
    EXPECT_EQ(FrameLook(tip, 0, 0), "TOOLTIP STANDARD 1 border");
    EXPECT_EQ(Look(tip, 1, 1), "TOOLTIP STANDARD 1 fill");
    EXPECT_GT(CClientPixels(tip).Count(m_table.Colour("TOOLTIP STANDARD 1 text")), 10u);
    ::DestroyWindow(tip);
}

} // namespace
} // namespace tavrelin::skin::test
