// Scroll bar controls in the gallery under the probe skin: arrows, tracks
// and thumb from the SCROLLBAR class as a window's own bars have them, the
// hot thumb, a press that scrolls by a page and ends its scroll, a position
// set with a redraw shown by the skin, and the size grip.
#include "SkinControlGallery.h"

namespace tavrelin::skin::test {
namespace {

constexpr int kWidth = 200, kHeight = 18;

class SkinScrollBars : public SkinControls {
protected:
    HWND AddBar()
    {
        HWND bar = Add("ScrollBar", "", SBS_HORZ, 20, 20, kWidth, kHeight);
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 20, 0};
        ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
        PumpMessages();
        return bar;
    }
    // The thumb's first column, found by its colour.
    int ThumbLeft(HWND bar, const std::string& look) const
    {
        const CClientPixels pixels(bar);
        for (int x = 0; x < pixels.Width(); ++x) {
            if (m_table.Name(pixels.At(x, kHeight / 2)) == look)
                return x;
        }
        return -1;
    }
};

TEST_F(SkinScrollBars, PartsAreTheSkinsAndTheThumbFollowsTheMouseAndThePosition)
{
    HWND bar = AddBar();
    EXPECT_EQ(Look(bar, 2, kHeight / 2), "SCROLLBAR ARROWBTN 9 fill") << "left arrow";
    EXPECT_EQ(Look(bar, kWidth - 3, kHeight / 2), "SCROLLBAR ARROWBTN 13 fill") << "right arrow";
    EXPECT_EQ(Look(bar, kHeight + 2, kHeight / 2), "SCROLLBAR LOWERTRACKHORZ 1 fill");
    EXPECT_EQ(Look(bar, kWidth - kHeight - 3, kHeight / 2), "SCROLLBAR UPPERTRACKHORZ 1 fill");
    const int thumb = ThumbLeft(bar, "SCROLLBAR THUMBBTNHORZ 1 border");
    ASSERT_GT(thumb, kHeight);
    Hover(bar, POINT{thumb + 3, kHeight / 2});
    EXPECT_EQ(Look(bar, thumb + 2, kHeight / 2), "SCROLLBAR THUMBBTNHORZ 2 fill");
    ::SendMessageA(bar, WM_MOUSELEAVE, 0, 0);

    // A position set with a redraw is shown by the skin, never by the system.
    ::SetScrollPos(bar, SB_CTL, 80, TRUE);
    PumpMessages();
    EXPECT_GT(ThumbLeft(bar, "SCROLLBAR THUMBBTNHORZ 1 border"), thumb + 50);
}

TEST_F(SkinScrollBars, APressOnTheTrackScrollsByAPageAndEndsTheScroll)
{
    HWND bar = AddBar();
    const POINT track{kWidth - kHeight - 5, kHeight / 2};
    // The release is waiting when the press begins: the press loop ends at once.
    ::PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(track.x, track.y));
    ::SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(track.x, track.y));
    EXPECT_EQ(Behaviour().horizontalScrolls, (std::vector<WORD>{SB_PAGEDOWN, SB_ENDSCROLL}));
    EXPECT_NE(::GetCapture(), bar);
}

TEST_F(SkinScrollBars, ASizeGripShowsTheSizeBox)
{
    HWND grip = Add("ScrollBar", "", SBS_SIZEGRIP, 20, 60, 18, 18);
    PumpMessages();
    EXPECT_GT(CClientPixels(grip).Count(m_table.Colour("SCROLLBAR SIZEBOX 1 fill")), 0u);
}

} // namespace
} // namespace tavrelin::skin::test
