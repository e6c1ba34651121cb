#include "skin/SkinNineGrid.h"

#include <gtest/gtest.h>

namespace tavrelin::skin {
namespace {

SkinMargins Margins(int left, int right, int top, int bottom) { return SkinMargins{left, right, top, bottom}; }

TEST(SkinNineGrid, SqueezedDestinationSharesItsHeightWithTheParityRule)
{
    // Source frame 20 x 20, margins left 3, right 4, top 5, bottom 6 (the
    // property order left, right, top, bottom of "3, 4, 5, 6").
    struct Case {
        int destHeight;
        int top;
        int bottom;
    } const cases[] = {
        {5, 2, 4},  // MulDiv(5, 5, 11) = 2; 3 has another parity than 6: 4
        {11, 5, 6}, // exactly the margins
        {10, 5, 6}, // MulDiv(10, 5, 11) = 5; 5 is odd, 6 even: 6
        {22, 5, 6}, // room enough: margins kept
        {1, 0, 1},  // the bottom margin alone, clipped to the destination
    };
    for (const Case& test : cases) {
        const auto pieces = LayoutSkinNineGrid({0, 0, 40, test.destHeight}, {0, 0, 20, 20}, Margins(3, 4, 5, 6),
                                               ESkinSizing::Stretch, false);
        ASSERT_FALSE(pieces.empty()) << test.destHeight;
        if (test.top > 0)
            EXPECT_EQ(pieces.front().dest.Height(), test.top) << test.destHeight;
        else
            EXPECT_EQ(pieces.front().dest.top, 0);
        EXPECT_EQ(pieces.back().dest.Height(), test.bottom) << test.destHeight;
        EXPECT_EQ(pieces.back().dest.bottom, test.destHeight);
        for (const SkinPiece& piece : pieces)
            EXPECT_GE(piece.dest.top, 0);
    }
}

TEST(SkinNineGrid, NothingIsDrawnForImpossibleGeometry)
{
    const SkinRect source{0, 0, 10, 10};
    EXPECT_TRUE(LayoutSkinNineGrid({0, 0, 0, 5}, source, {}, ESkinSizing::Stretch, false).empty());
    EXPECT_TRUE(LayoutSkinNineGrid({0, 0, 5, 5}, source, Margins(0, 0, 6, 5), ESkinSizing::Stretch, false).empty());
    EXPECT_TRUE(LayoutSkinNineGrid({0, 0, 5, 5}, source, Margins(6, 5, 0, 0), ESkinSizing::Stretch, false).empty());
    // Hostile margins are clamped to the frame; negative ones count as 0.
    const auto pieces = LayoutSkinNineGrid({0, 0, 30, 30}, source, Margins(-7, 1000, -1, 0), ESkinSizing::Tile, false);
    ASSERT_EQ(pieces.size(), 1u);
    for (const SkinPiece& piece : pieces) {
        EXPECT_FALSE(piece.source.IsEmpty());
        EXPECT_FALSE(piece.dest.IsEmpty());
    }
}

TEST(SkinNineGrid, PiecesInDrawingOrderWithTilingOnlyInTheMiddle)
{
    const auto pieces =
        LayoutSkinNineGrid({10, 20, 110, 70}, {30, 0, 60, 30}, Margins(4, 5, 6, 7), ESkinSizing::Tile, false);
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_EQ(pieces[0].source, (SkinRect{30, 0, 34, 6}));
    EXPECT_EQ(pieces[0].dest, (SkinRect{10, 20, 14, 26}));
    EXPECT_EQ(pieces[4].source, (SkinRect{34, 6, 55, 23}));
    EXPECT_EQ(pieces[4].dest, (SkinRect{14, 26, 105, 63}));
    EXPECT_TRUE(pieces[4].tileX && pieces[4].tileY);
    EXPECT_TRUE(pieces[1].tileX && !pieces[1].tileY);
    EXPECT_TRUE(!pieces[3].tileX && pieces[3].tileY);
    EXPECT_FALSE(pieces[8].tileX || pieces[8].tileY);
    EXPECT_EQ(pieces[8].dest, (SkinRect{105, 63, 110, 70}));

    const auto border =
        LayoutSkinNineGrid({10, 20, 110, 70}, {30, 0, 60, 30}, Margins(4, 5, 6, 7), ESkinSizing::Tile, true);
    ASSERT_EQ(border.size(), 8u);
    EXPECT_EQ(border[4].source, pieces[5].source);
}

TEST(SkinNineGrid, TilesCoverTheDestinationOnceAndClipTheLastRowAndColumn)
{
    SkinPiece piece;
    piece.source = {2, 3, 5, 5}; // 3 x 2
    piece.dest = {0, 0, 7, 5};
    piece.tileX = piece.tileY = true;
    int covered[5][7] = {};
    ForEachSkinTile(piece, [&](const SkinRect& source, const SkinRect& dest) {
        EXPECT_EQ(source.Width(), dest.Width());
        EXPECT_EQ(source.Height(), dest.Height());
        EXPECT_EQ(source.left, 2);
        EXPECT_EQ(source.top, 3);
        for (int y = dest.top; y < dest.bottom; ++y)
            for (int x = dest.left; x < dest.right; ++x)
                ++covered[y][x];
    });
    for (const auto& row : covered)
        for (const int count : row)
            EXPECT_EQ(count, 1);
}

TEST(SkinNineGrid, TilesOutsideTheVisibleAreaAreLeftOut)
{
    SkinPiece piece;
    piece.source = {0, 0, 4, 3};
    piece.dest = {-1000000, 10, 1000000, 20};
    piece.tileX = true; // stretched vertically
    const SkinPiece visible = RestrictSkinTiles(piece, {0, 0, 640, 480});
    EXPECT_EQ(visible.dest, (SkinRect{0, 10, 640, 20}));
    const SkinPiece offGrid = RestrictSkinTiles(piece, {6, 0, 7, 480});
    EXPECT_EQ(offGrid.dest, (SkinRect{4, 10, 7, 20})) << "tiles keep their grid";
    EXPECT_TRUE(RestrictSkinTiles(piece, {2000000, 0, 2000001, 1}).dest.IsEmpty());
    int tiles = 0;
    ForEachSkinTile(visible, [&](const SkinRect&, const SkinRect&) { ++tiles; });
    EXPECT_EQ(tiles, 160);
}

TEST(SkinNineGrid, StatesSelectFramesAndBadCountsAreRefused)
{
    EXPECT_EQ(SelectSkinFrame(40, 10, 4, false, 2), (SkinRect{10, 0, 20, 10}));
    EXPECT_EQ(SelectSkinFrame(40, 10, 4, false, 9), (SkinRect{0, 0, 10, 10}));
    EXPECT_EQ(SelectSkinFrame(40, 10, 4, false, 0), (SkinRect{0, 0, 10, 10}));
    EXPECT_EQ(SelectSkinFrame(10, 30, 3, true, 3), (SkinRect{0, 20, 10, 30}));
    EXPECT_EQ(SelectSkinFrame(10, 30, -5, true, 3), (SkinRect{0, 0, 10, 30}));
    EXPECT_FALSE(SelectSkinFrame(10, 30, 11, false, 1).has_value());
}

TEST(SkinNineGrid, TrueSizeIsCentredButNeverLeftOrAboveTheRect)
{
    const SkinRect rect{10, 10, 30, 20};
    EXPECT_EQ(PlaceSkinTrueSize(rect, 6, 4, false, false), (SkinRect{17, 13, 23, 17}));
    EXPECT_EQ(PlaceSkinTrueSize(rect, 40, 30, false, false), (SkinRect{10, 10, 50, 40}));
    EXPECT_EQ(PlaceSkinTrueSize(rect, 40, 30, true, false), (SkinRect{10, 10, 30, 20}));
    EXPECT_EQ(PlaceSkinTrueSize(rect, 6, 4, false, true), (SkinRect{17, 16, 23, 20}));
}

} // namespace
} // namespace tavrelin::skin
