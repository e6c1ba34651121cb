// Track bars in the gallery under the probe skin: the camera page's slider
// and its states, tick marks that coincide with the ones the control draws
// itself, a disabled thumb, and the parent's custom-draw notifications.
#include "SkinControlGallery.h"

#include <set>
#include <utility>

namespace tavrelin::skin::test {
namespace {

constexpr int kWidth = 220, kHeight = 44;

class SkinTrackBars : public SkinControls {
protected:
    HWND AddBar(DWORD style, int minimum, int maximum, int width = kWidth, int height = kHeight)
    {
        HWND bar = Add(TRACKBAR_CLASSA, "", style, 10, 10, width, height);
        ::SendMessageA(bar, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
        PumpMessages();
        return bar;
    }
    static RECT ThumbRect(HWND bar)
    {
        RECT rect{};
        ::SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    static POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
    std::string ThumbLook(HWND bar)
    {
        ::InvalidateRect(bar, nullptr, FALSE);
        ::UpdateWindow(bar);
        const POINT centre = Centre(ThumbRect(bar));
        return Look(bar, centre.x, centre.y);
    }
};

TEST_F(SkinTrackBars, TheCameraSliderShowsTrackAndThumbInEveryState)
{
    HWND bar = AddBar(TBS_BOTH | TBS_NOTICKS, 0, 100);
    ::SendMessageA(bar, TBM_SETPOS, TRUE, 50);
    ::UpdateWindow(bar);
    RECT channel{};
    ::SendMessageA(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    EXPECT_EQ(Look(bar, channel.left, channel.top), "TRACKBAR TRACK 0 border");
    EXPECT_EQ(Look(bar, (channel.left + channel.right) / 2 + 30, channel.top + 1), "TRACKBAR TRACK 0 fill");
    EXPECT_EQ(ThumbLook(bar), "TRACKBAR THUMB 1 fill");
    EXPECT_EQ(CClientPixels(bar).Count(m_table.Colour("TRACKBAR TICS 1 color")), 0u);

    POINT thumb = Centre(ThumbRect(bar));
    POINT screen = thumb;
    ::ClientToScreen(bar, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(thumb.x, thumb.y));
    EXPECT_EQ(ThumbLook(bar), "TRACKBAR THUMB 2 fill") << "hovered";

    const LRESULT before = ::SendMessageA(bar, TBM_GETPOS, 0, 0);
    ::SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.x, thumb.y));
    ::SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(thumb.x + 40, thumb.y));
    EXPECT_EQ(ThumbLook(bar), "TRACKBAR THUMB 3 fill") << "dragged";
    ::SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(thumb.x + 40, thumb.y));
    EXPECT_GT(::SendMessageA(bar, TBM_GETPOS, 0, 0), before) << "the control still moves its thumb";
    SaveShot("trackbar-slider");
}

TEST_F(SkinTrackBars, ADisabledThumbStaysDisabledWhateverTheMouseDoes)
{
    HWND bar = AddBar(TBS_BOTH | TBS_NOTICKS, 0, 100);
    ::EnableWindow(bar, FALSE);
    const POINT thumb = Centre(ThumbRect(bar));
    EXPECT_EQ(ThumbLook(bar), "TRACKBAR THUMB 5 fill");
    ::SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(thumb.x, thumb.y));
    EXPECT_EQ(ThumbLook(bar), "TRACKBAR THUMB 5 fill") << "hovered";
    ::SetCapture(bar);
    EXPECT_EQ(ThumbLook(bar), "TRACKBAR THUMB 5 fill") << "captured";
    ::ReleaseCapture();
}

// The pixels of the tick marks: outside the channel and the thumb's band,
// whatever differs from the background at the left edge of the same line.
std::set<std::pair<int, int>> TickPixels(HWND bar, bool vertical)
{
    const CClientPixels pixels(bar);
    RECT thumb{};
    ::SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    std::set<std::pair<int, int>> ticks;
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            const bool bBand = vertical ? x >= thumb.left && x < thumb.right : y >= thumb.top && y < thumb.bottom;
            const COLORREF background = vertical ? pixels.At(x, 0) : pixels.At(0, y);
            if (!bBand && pixels.At(x, y) != background)
                ticks.insert({x, y});
        }
    }
    return ticks;
}

// The control's own drawing, with the skin unloaded, is the reference.
TEST_F(SkinTrackBars, TickMarksCoincideWithTheControlsOwnAndFollowTheStyle)
{
    struct Case {
        const char* what;
        DWORD style;
        int minimum, maximum, frequency;
        bool vertical;
        bool marksAbove, marksBelow;
    } const cases[] = {
        {"default styles", TBS_AUTOTICKS, 0, 20, 1, false, false, true},
        {"every fifth value", TBS_AUTOTICKS, 0, 20, 5, false, false, true},
        {"both sides", TBS_AUTOTICKS | TBS_BOTH, 0, 10, 2, false, true, true},
        {"above", TBS_AUTOTICKS | TBS_TOP, 0, 10, 1, false, true, false},
        {"minimum equals maximum", TBS_AUTOTICKS, 7, 7, 1, false, false, true},
        {"vertical", TBS_AUTOTICKS | TBS_VERT, 0, 12, 3, true, false, true},
        {"vertical both sides", TBS_AUTOTICKS | TBS_VERT | TBS_BOTH, 0, 12, 4, true, true, true},
    };
    for (const Case& c : cases) {
        HWND bar =
            c.vertical ? AddBar(c.style, c.minimum, c.maximum, kHeight, kWidth) : AddBar(c.style, c.minimum, c.maximum);
        ::SendMessageA(bar, TBM_SETTICFREQ, static_cast<WPARAM>(c.frequency), 0);
        const COLORREF tick = m_table.Colour(c.vertical ? "TRACKBAR TICSVERT 1 color" : "TRACKBAR TICS 1 color");
        ::InvalidateRect(bar, nullptr, TRUE);
        PumpMessages();
        const std::set<std::pair<int, int>> skinned = TickPixels(bar, c.vertical);
        const CClientPixels pixels(bar);
        for (const auto& [x, y] : skinned)
            ASSERT_EQ(pixels.At(x, y), tick) << c.what << " at " << x << "," << y;
        const RECT thumb = ThumbRect(bar);
        const int edge = c.vertical ? thumb.left : thumb.top;
        bool bAbove = false, bBelow = false;
        for (const auto& [x, y] : skinned)
            ((c.vertical ? x : y) < edge ? bAbove : bBelow) = true;
        EXPECT_EQ(bAbove, c.marksAbove) << c.what;
        EXPECT_EQ(bBelow, c.marksBelow) << c.what;
        if (c.minimum == c.maximum) {
            std::set<int> columns;
            for (const auto& point : skinned)
                columns.insert(point.first);
            EXPECT_EQ(columns.size(), 1u) << c.what << ": every mark at the left end";
        }

        m_manager->LoadSkin(nullptr, nullptr);
        ::InvalidateRect(bar, nullptr, TRUE);
        PumpMessages();
        EXPECT_EQ(TickPixels(bar, c.vertical), skinned) << c.what;
        ASSERT_TRUE(m_manager->LoadSkin(ProbeSkinFolder().c_str(), "Normal.ini"));
        ::DestroyWindow(bar);
    }
}

TEST_F(SkinTrackBars, TheParentsCustomDrawIsServedAndHonoured)
{
    Behaviour().prepaintAnswer = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    Behaviour().skippedItem = TBCD_THUMB;
    Behaviour().postPaintMarker = RGB(7, 77, 177);
    HWND bar = AddBar(TBS_BOTH, 0, 100);
    const CClientPixels pixels(bar);
    EXPECT_EQ(pixels.At(2, 2), RGB(7, 77, 177)) << "what the parent draws at post-paint reaches the screen";
    const POINT thumb = Centre(ThumbRect(bar));
    EXPECT_NE(Look(bar, thumb.x, thumb.y).rfind("TRACKBAR THUMB", 0), 0u) << "the parent skipped the thumb";
    std::vector<std::pair<DWORD, DWORD_PTR>> stages;
    for (const CustomDrawRecord& record : Behaviour().customDraw) {
        EXPECT_TRUE(record.memoryDc);
        stages.emplace_back(record.stage, record.item);
    }
    const std::vector<std::pair<DWORD, DWORD_PTR>> expected{{CDDS_PREPAINT, 0},
                                                            {CDDS_ITEMPREPAINT, TBCD_TICS},
                                                            {CDDS_ITEMPOSTPAINT, TBCD_TICS},
                                                            {CDDS_ITEMPREPAINT, TBCD_CHANNEL},
                                                            {CDDS_ITEMPOSTPAINT, TBCD_CHANNEL},
                                                            {CDDS_ITEMPREPAINT, TBCD_THUMB},
                                                            {CDDS_POSTPAINT, 0}};
    ASSERT_GE(stages.size(), expected.size());
    EXPECT_EQ(std::vector(stages.end() - static_cast<long>(expected.size()), stages.end()), expected);

    Behaviour() = GalleryBehaviour{};
    Behaviour().prepaintAnswer = CDRF_SKIPDEFAULT;
    Behaviour().prepaintFill = RGB(7, 77, 177);
    ::InvalidateRect(bar, nullptr, FALSE);
    ::UpdateWindow(bar);
    const CClientPixels parentPainted(bar);
    EXPECT_EQ(parentPainted.Count(RGB(7, 77, 177)), static_cast<size_t>(kWidth * kHeight)) << "the parent's own";
}

} // namespace
} // namespace tavrelin::skin::test
