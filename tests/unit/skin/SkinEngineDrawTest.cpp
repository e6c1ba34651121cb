// Part backgrounds drawn into memory DCs, compared with pixels computed
// here from the skin's own images (as the generator script wrote them) by
// a plain nine-grid mapping and the premultiplied over-operator.
#include "SkinEngineTestSupport.h"

#include "skin/engine/draw/SkinBackground.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace tavrelin::skin {
namespace {

constexpr COLORREF kBackground = RGB(12, 34, 56);
constexpr std::uint32_t kBackgroundRgb = 0x0C2238; // 0xRRGGBB
constexpr int kPushButton = 1, kRadioButton = 2, kCheckBox = 3, kGroupBox = 4, kUserButton = 5;

class SkinEngineDraw : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_manager.LoadSkin(test::ModuleSkinPath().c_str(), nullptr)); }
    CSkinClass& Class(const char* name) { return m_manager.GetSkinClass(name); }

    test::CRecordingSkinManager m_manager;
};

// Which source column (row) a destination column (row) shows: margins copied,
// the middle tiled or stretched.
int SourceIndex(int d, int destSize, int frameSize, int nearMargin, int farMargin, bool tile)
{
    if (d < nearMargin)
        return d;
    if (d >= destSize - farMargin)
        return frameSize - (destSize - d);
    const int middle = frameSize - nearMargin - farMargin;
    const int offset = d - nearMargin;
    return nearMargin + (tile ? offset % middle : offset * middle / (destSize - nearMargin - farMargin));
}

using PixelRule = std::function<std::uint32_t(int x, int y)>; // 0xRRGGBB inside rect, coordinates from its corner

void ExpectCanvas(const test::CCanvas& canvas, const RECT& rect, const PixelRule& inside)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool bInside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            const std::uint32_t want = bInside ? inside(x - rect.left, y - rect.top) : kBackgroundRgb;
            ASSERT_EQ(canvas.At(x, y), want) << "at " << x << "," << y;
        }
    }
}

PixelRule NineGrid(const test::ExpectedImage& image, const RECT& rect, int margin, bool tile, bool borderOnly)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    return [=](int x, int y) -> std::uint32_t {
        const bool bCentre = x >= margin && x < width - margin && y >= margin && y < height - margin;
        if (borderOnly && bCentre)
            return kBackgroundRgb;
        return image.At(SourceIndex(x, width, image.width, margin, margin, tile),
                        SourceIndex(y, height, image.height, margin, margin, tile)) &
               0xFFFFFF;
    };
}

TEST_F(SkinEngineDraw, NineGridStretchTileAndBorderOnly)
{
    const test::ExpectedImage grid = test::DrawingImage("GRID");
    const test::ExpectedImage tile = test::DrawingImage("TILE");
    struct Case {
        const char* what;
        const char* className;
        int part, state;
        const test::ExpectedImage& image;
        int margin;
        bool tile, borderOnly;
    } const cases[] = {
        {"stretched", "BUTTON", kPushButton, 1, grid, 3, false, false},
        {"border only", "BUTTON", kPushButton, 2, grid, 3, false, true},
        {"BorderOnly = 7 is not TRUE", "BUTTON", kPushButton, 3, grid, 3, false, false},
        {"frame part keeps its centre", "WINDOW", 7, 1, grid, 3, false, false},
        {"tiled", "BUTTON", kRadioButton, 1, tile, 2, true, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        test::CCanvas canvas(31, 23, kBackground);
        const RECT rect{4, 3, 27, 20};
        ASSERT_TRUE(DrawSkinBackground(canvas.Dc(), Class(test.className), test.part, test.state, rect));
        ExpectCanvas(canvas, rect, NineGrid(test.image, rect, test.margin, test.tile, test.borderOnly));
    }
}

std::uint32_t Over(std::uint32_t straight, std::uint32_t background)
{
    const std::uint32_t alpha = straight >> 24;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t source = ((straight >> shift) & 0xFF) * alpha / 255;
        const std::uint32_t below = (background >> shift) & 0xFF;
        out |= (source + (below * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

TEST_F(SkinEngineDraw, TrueSizeAlphaBlendsCentredOverTheBackground)
{
    const test::ExpectedImage alpha = test::DrawingImage("ALPHA");
    test::CCanvas canvas(30, 20, kBackground);
    const RECT rect{2, 3, 22, 13};
    ASSERT_TRUE(DrawSkinBackground(canvas.Dc(), Class("BUTTON"), kCheckBox, 1, rect));
    const int left = 2 + (20 - 6) / 2, top = 3 + (10 - 4) / 2;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool bImage = x >= left && x < left + 6 && y >= top && y < top + 4;
            const std::uint32_t want = bImage ? Over(alpha.At(x - left, y - top), kBackgroundRgb) : kBackgroundRgb;
            const std::uint32_t got = canvas.At(x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                const int difference =
                    static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
                ASSERT_LE(std::abs(difference), 1) << x << "," << y << " got " << std::hex << got << " want " << want;
            }
        }
    }
}

TEST_F(SkinEngineDraw, ColourKeyFramesAndOpaque32BitImages)
{
    const test::ExpectedImage keyed = test::DrawingImage("KEYED");
    const test::ExpectedImage opaque = test::DrawingImage("OPAQUE32");
    const test::ExpectedImage zero = test::DrawingImage("ZERO32");
    const RECT exact{3, 2, 7, 6}; // KEYED is 4 x 4, drawn true size
    const auto image = [](const test::ExpectedImage& source, std::uint32_t key) -> PixelRule {
        return [&source, key](int x, int y) {
            const std::uint32_t rgb = source.At(x, y) & 0xFFFFFF;
            return rgb == key ? kBackgroundRgb : rgb;
        };
    };
    {
        test::CCanvas canvas(12, 10, kBackground);
        ASSERT_TRUE(DrawSkinBackground(canvas.Dc(), Class("BUTTON"), kGroupBox, 1, exact));
        ExpectCanvas(canvas, exact, image(keyed, 0xFF00FF));
    }
    // 32-bit images whose alpha is all 255 or all 0 are copied as they are.
    for (const auto& [part, source] : {std::pair{1, &opaque}, std::pair{2, &zero}}) {
        test::CCanvas canvas(12, 10, kBackground);
        const RECT rect{1, 1, 6, 4};
        ASSERT_TRUE(DrawSkinBackground(canvas.Dc(), Class("STATUS"), part, 1, rect));
        ExpectCanvas(canvas, rect, image(*source, 0x1000000));
        EXPECT_FALSE(Class("STATUS").GetImage(part == 1 ? "Images\\Opaque32.bmp" : "Images\\Zero32.bmp")->HasAlpha());
    }
    const std::uint32_t frameColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x090909};
    for (const auto& [state, frame] :
         {std::pair{0, 0}, std::pair{1, 0}, std::pair{2, 1}, std::pair{4, 3}, std::pair{9, 0}}) {
        SCOPED_TRACE(state);
        test::CCanvas canvas(12, 10, kBackground);
        const RECT rect{2, 2, 11, 7};
        ASSERT_TRUE(DrawSkinBackground(canvas.Dc(), Class("BUTTON"), kUserButton, state, rect));
        ExpectCanvas(canvas, rect, [&](int, int) { return frameColours[frame]; });
    }
}

// A right-to-left context mirrors the part's place and, unless MirrorImage
// is false, its image. (Wine puts a blit that keeps the bitmap's orientation
// one pixel further left than a mirrored one, so the block is found first.)
TEST_F(SkinEngineDraw, RightToLeftContextsMirrorImagesUnlessThePartSaysNo)
{
    const test::ExpectedImage keyed = test::DrawingImage("KEYED");
    constexpr int kUpHorz = 3, kDownHorz = 4, kWidth = 12;
    for (const auto& [part, mirrored] : {std::pair{kUpHorz, false}, std::pair{kDownHorz, true}}) {
        SCOPED_TRACE(mirrored);
        test::CCanvas canvas(kWidth, 10, kBackground);
        ASSERT_NE(::SetLayout(canvas.Dc(), LAYOUT_RTL), GDI_ERROR);
        ASSERT_TRUE(DrawSkinBackground(canvas.Dc(), Class("SPIN"), part, 1, RECT{2, 2, 6, 6}));
        ::SetLayout(canvas.Dc(), 0);
        int left = 0;
        while (left < kWidth && canvas.At(left, 2) == kBackgroundRgb)
            ++left;
        ASSERT_GE(left, kWidth - 7);
        ASSERT_LE(left, kWidth - 6);
        const RECT device{left, 2, left + 4, 6};
        ExpectCanvas(canvas, device,
                     [&, mirrored = mirrored](int x, int y) { return keyed.At(mirrored ? 3 - x : x, y) & 0xFFFFFF; });
    }
}

// The glyph takes the part's frame count: KEYED in four frames of 1 x 4,
// centred in the rect less its content margins, magenta left out.
TEST_F(SkinEngineDraw, ImageGlyphIsDrawnOverTheBackground)
{
    const test::ExpectedImage keyed = test::DrawingImage("KEYED");
    test::CCanvas canvas(12, 10, kBackground);
    const RECT rect{0, 0, 10, 8};
    ASSERT_TRUE(DrawSkinBackground(canvas.Dc(), Class("HEADER"), 1, 1, rect));
    ExpectCanvas(canvas, rect, [&](int x, int y) -> std::uint32_t {
        const int glyphLeft = 2 + (8 - 1) / 2, glyphTop = (8 - 4) / 2;
        if (x == glyphLeft && y >= glyphTop && y < glyphTop + 4) {
            const std::uint32_t pixel = keyed.At(0, y - glyphTop) & 0xFFFFFF;
            if (pixel != 0xFF00FF)
                return pixel;
        }
        return 0xFF0000; // frame 1 of FRAMES
    });
}

TEST_F(SkinEngineDraw, NoneBorderFillAndMissingImages)
{
    const RECT rect{1, 1, 9, 8};
    {
        test::CCanvas canvas(10, 9, kBackground);
        EXPECT_TRUE(DrawSkinBackground(canvas.Dc(), Class("TOOLBAR"), 1, 1, rect)); // BgType None
        ExpectCanvas(canvas, rect, [](int, int) { return kBackgroundRgb; });
    }
    {
        test::CCanvas canvas(10, 9, kBackground);
        EXPECT_FALSE(DrawSkinBackground(canvas.Dc(), Class("TOOLBAR"), 3, 1, rect)); // missing image
        ExpectCanvas(canvas, rect, [](int, int) { return kBackgroundRgb; });
    }
    test::CCanvas canvas(10, 9, kBackground);
    EXPECT_TRUE(DrawSkinBackground(canvas.Dc(), Class("TOOLBAR"), 2, 1, rect));
    ExpectCanvas(canvas, rect, [](int x, int y) -> std::uint32_t {
        const bool bBorder = x < 2 || y < 2 || x >= 6 || y >= 5;
        return bBorder ? 0x0A141E : 0xC86432;
    });
}

TEST_F(SkinEngineDraw, SkinTextDrawsTheShadowThenTheText)
{
    test::CCanvas canvas(80, 30, kBackground);
    RECT rect{0, 0, 80, 30};
    ::SelectObject(canvas.Dc(), ::GetStockObject(SYSTEM_FONT));
    Class("STATUS").DrawSkinText(canvas.Dc(), 3, 1, "HHHH", 4, DT_SINGLELINE | DT_VCENTER, rect);
    int text = 0, shadow = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            const std::uint32_t pixel = canvas.At(x, y);
            text += pixel == 0x0000FF;
            shadow += pixel == 0xFF0000;
        }
    }
    EXPECT_GT(text, 20);
    EXPECT_GT(shadow, 5);
    EXPECT_EQ(canvas.At(0, 0), kBackgroundRgb) << "the background stays transparent";
}

} // namespace
} // namespace tavrelin::skin
