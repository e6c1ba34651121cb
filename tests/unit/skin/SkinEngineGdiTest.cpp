// No GDI object leaks: the process's GDI object count stays flat over many
// draws of every part kind and over load/unload cycles.
#include "SkinEngineTestSupport.h"

#include "GdiCensus.h"
#include "skin/engine/draw/SkinBackground.h"

#include <gtest/gtest.h>

namespace tavrelin::skin {
namespace {

TEST(SkinEngineGdi, CensusSeesObjectsComeAndGo)
{
    const int before = e2e::CountGdiObjects();
    ASSERT_GT(before, 0);
    std::vector<win::UniqueBrush> brushes;
    for (int index = 0; index < 50; ++index)
        brushes.emplace_back(::CreateSolidBrush(RGB(index, 0, 0)));
    EXPECT_EQ(e2e::CountGdiObjects(), before + 50);
    brushes.clear();
    EXPECT_EQ(e2e::CountGdiObjects(), before);
}

struct PartDraw {
    const char* className;
    int part;
    int state;
};

// One of each kind: stretch, border only, tile, alpha, colour key, frames,
// none, border fill, missing image, opaque 32-bit.
constexpr PartDraw kEveryKind[] = {
    {"BUTTON", 1, 1}, {"BUTTON", 1, 2},  {"BUTTON", 2, 1},  {"BUTTON", 3, 1},  {"BUTTON", 4, 1},
    {"BUTTON", 5, 3}, {"TOOLBAR", 1, 1}, {"TOOLBAR", 2, 1}, {"TOOLBAR", 3, 1}, {"STATUS", 1, 1},
};

void DrawEveryKind(CSkinManager& manager, HDC dc)
{
    const RECT rect{1, 2, 40, 27};
    for (const PartDraw& draw : kEveryKind)
        DrawSkinBackground(dc, manager.GetSkinClass(draw.className), draw.part, draw.state, rect);
    manager.GetSkinClass("STATUS").DrawSkinText(dc, 3, 1, "Text", 4, DT_SINGLELINE, rect);
}

TEST(SkinEngineGdi, ThousandDrawsOfEveryPartKindLeaveTheCountFlat)
{
    test::CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(test::ModuleSkinPath().c_str(), nullptr));
    test::CCanvas canvas(48, 32, RGB(0, 0, 0));
    DrawEveryKind(manager, canvas.Dc()); // loads the images once
    const int before = e2e::CountGdiObjects();
    for (int round = 0; round < 1000; ++round)
        DrawEveryKind(manager, canvas.Dc());
    EXPECT_EQ(e2e::CountGdiObjects(), before);
}

TEST(SkinEngineGdi, HundredLoadAndUnloadCyclesLeaveTheCountFlat)
{
    test::CRecordingSkinManager manager;
    test::CCanvas canvas(48, 32, RGB(0, 0, 0));
    const auto cycle = [&] {
        ASSERT_TRUE(manager.LoadSkin(test::ModuleSkinPath().c_str(), nullptr));
        DrawEveryKind(manager, canvas.Dc());
        ASSERT_FALSE(manager.LoadSkin(nullptr, nullptr));
    };
    cycle();
    const int before = e2e::CountGdiObjects();
    for (int round = 0; round < 100; ++round)
        cycle();
    EXPECT_EQ(e2e::CountGdiObjects(), before);
}

} // namespace
} // namespace tavrelin::skin
