// Labels, progress bars and tooltips in the gallery under the probe skin:
// a label over its parent's skin, the bar and its chunks up to the
// position, a tooltip's part, border and text, and the system colours when
// the skin has no PROGRESS or TOOLTIP class.
#include "SkinControlGallery.h"
#include "skin/engine/controls/SkinObjectProgress.h"

namespace tavrelin::skin::test {
namespace {

constexpr int kBarWidth = 202, kBarHeight = 14;

struct ChunkCase {
    const char* name;
    bool vertical;
    int filled, chunk, space;
    std::vector<RECT> chunks;
};

TEST(SkinProgressChunks, ChunksRunFromTheStartUpToThePositionWholeOnly)
{
    const RECT content{1, 1, 101, 11};
    const ChunkCase cases[] = {
        {"half, 8 + 2",
         false,
         50,
         8,
         2,
         {{1, 1, 9, 11}, {11, 1, 19, 11}, {21, 1, 29, 11}, {31, 1, 39, 11}, {41, 1, 49, 11}}},
        {"a part of a chunk shows nothing", false, 7, 8, 2, {}},
        {"smooth: one chunk", false, 33, 0, 2, {{1, 1, 34, 11}}},
        {"beyond the end", false, 500, 0, 0, {{1, 1, 101, 11}}},
        {"nothing", false, 0, 8, 2, {}},
        {"vertical, from the bottom", true, 7, 3, 1, {{1, 8, 101, 11}, {1, 4, 101, 7}}},
    };
    for (const ChunkCase& row : cases) {
        SCOPED_TRACE(row.name);
        const std::vector<RECT> chunks =
            LayoutSkinProgressChunks(content, row.vertical, row.filled, row.chunk, row.space);
        ASSERT_EQ(chunks.size(), row.chunks.size());
        for (size_t index = 0; index < chunks.size(); ++index)
            EXPECT_TRUE(::EqualRect(&chunks[index], &row.chunks[index])) << index;
    }
}

class SkinSmallControls : public SkinControls {
protected:
    HWND AddBar(DWORD style, int position, int width = kBarWidth, int height = kBarHeight)
    {
        HWND bar = Add(PROGRESS_CLASSA, "", style, 20, 20, width, height);
        ::SendMessageA(bar, PBM_SETRANGE32, 0, 100);
        ::SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        PumpMessages();
        return bar;
    }
    HWND ShowTip(const char* text)
    {
        HWND tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0, 0,
                                     m_gallery, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = m_gallery;
        tool.lpszText = const_cast<char*>(text);
        ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        ::SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 300));
        ::SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
        PumpMessages();
        return tip;
    }
};

TEST_F(SkinSmallControls, ALabelShowsItsParentsSkinBehindItsText)
{
    HWND tabs = Add(WC_TABCONTROLA, "", 0, 10, 10, 300, 200);
    HWND label = ::CreateWindowExA(0, "Static", "rapidness", WS_CHILD | WS_VISIBLE | SS_LEFT, 40, 100, 120, 20, tabs,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    EXPECT_EQ(Look(label, 118, 18), "TAB PANE 0 fill");
    EXPECT_GT(CClientPixels(label).Count(m_table.Colour("SYSMETRICS BTNTEXT 0 color")), 10u);
}

TEST_F(SkinSmallControls, ABarShowsChunksUpToItsPosition)
{
    HWND bar = AddBar(0, 50);
    EXPECT_EQ(FrameLook(bar, 0, 0), "PROGRESS BAR 0 border");
    EXPECT_EQ(Look(bar, 1, kBarHeight / 2), "PROGRESS CHUNK 0 border");
    EXPECT_EQ(Look(bar, 3, kBarHeight / 2), "PROGRESS CHUNK 0 fill");
    EXPECT_EQ(Look(bar, kBarWidth - 20, kBarHeight / 2), "PROGRESS BAR 0 fill");
    const CClientPixels pixels(bar);
    size_t chunksRight = 0;
    for (int x = kBarWidth / 2 + 2; x < kBarWidth; ++x)
        chunksRight += m_table.Name(pixels.At(x, kBarHeight / 2)).rfind("PROGRESS CHUNK", 0) == 0 ? 1 : 0;
    EXPECT_EQ(chunksRight, 0u) << "no chunk beyond the position";

    HWND upright = AddBar(PBS_VERTICAL, 100, kBarHeight, kBarWidth);
    EXPECT_GT(CClientPixels(upright).Count(m_table.Colour("PROGRESS CHUNKVERT 0 fill")), 0u);
}

TEST_F(SkinSmallControls, ATooltipShowsItsPartAndText)
{
    HWND tip = ShowTip("take pictures");
    ASSERT_TRUE(::IsWindowVisible(tip));
    EXPECT_EQ(FrameLook(tip, 0, 0), "TOOLTIP STANDARD 1 border");
    EXPECT_EQ(Look(tip, 1, 1), "TOOLTIP STANDARD 1 fill");
    EXPECT_GT(CClientPixels(tip).Count(m_table.Colour("TOOLTIP STANDARD 1 text")), 10u);
    ::DestroyWindow(tip);
}

class SkinSmallControlsWithoutTheirClasses : public SkinSmallControls {
protected:
    SkinSmallControlsWithoutTheirClasses() { m_strPropertyFile = "Bare.ini"; }
};

TEST_F(SkinSmallControlsWithoutTheirClasses, TheLookComesFromTheSystemColours)
{
    HWND bar = AddBar(0, 50);
    EXPECT_EQ(Look(bar, 0, 0), "SYSMETRICS BTNSHADOW 0 color");
    EXPECT_EQ(Look(bar, 3, kBarHeight / 2), "SYSMETRICS HIGHLIGHT 0 color");
    EXPECT_EQ(Look(bar, kBarWidth - 20, kBarHeight / 2), "SYSMETRICS BTNFACE 0 color");
    HWND tip = ShowTip("take pictures");
    EXPECT_EQ(FrameLook(tip, 0, 0), "SYSMETRICS INFOTEXT 0 color");
    EXPECT_EQ(Look(tip, 1, 1), "SYSMETRICS INFOBK 0 color");
    EXPECT_GT(CClientPixels(tip).Count(m_table.Colour("SYSMETRICS INFOTEXT 0 color")), 10u);
    ::DestroyWindow(tip);
}

} // namespace
} // namespace tavrelin::skin::test
