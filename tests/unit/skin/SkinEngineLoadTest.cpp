// Loading skins under Wine: both forms, every failure path, the schema
// variant, the metrics, the images of every header kind, and that a skin
// module's code never runs.
#include "SkinEngineTestSupport.h"

#include "skin/SkinSchemaTables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace tavrelin::skin {
namespace {

using test::CRecordingSkinManager;
using test::ModuleSkinPath;
using test::TestSkinPath;
using Change = std::pair<bool, bool>;

TEST(SkinEngineLoad, LoadsAndUnloadsThroughEveryPathEndingInTheNamedStates)
{
    CRecordingSkinManager manager;
    const std::string module = ModuleSkinPath();
    struct Step {
        const char* what;
        std::string path;
        const char* propertyFile;
        bool loaded;
    } const steps[] = {
        {"module, name from THEMES_INI", module, nullptr, true},
        {"module, name given in another case", module, "normal.INI", true},
        {"folder form", TestSkinPath("folder"), "skin.ini", true},
        {"module without that property file", module, "Other.ini", false},
        {"null path unloads", "", nullptr, false},
        {"module again", module, "", true},
        {"missing module", TestSkinPath("no-such.dll"), nullptr, false},
        {"folder with no such property file", TestSkinPath("folder"), "none.ini", false},
        {"a directory is no module", TestSkinPath("folder"), nullptr, false},
    };
    std::vector<Change> expected;
    bool bWasLoaded = false;
    for (const Step& step : steps) {
        const bool result = manager.LoadSkin(step.path.empty() ? nullptr : step.path.c_str(), step.propertyFile);
        EXPECT_EQ(result, step.loaded) << step.what;
        EXPECT_EQ(manager.IsLoaded(), step.loaded) << step.what;
        EXPECT_EQ(manager.GetSchema() != nullptr, step.loaded) << step.what;
        expected.emplace_back(bWasLoaded, step.loaded);
        bWasLoaded = step.loaded;
        if (!step.loaded) {
            // Without a skin the metrics are the system's own.
            for (int index = 0; index < kSkinMetricsColorCount; ++index)
                EXPECT_EQ(manager.GetMetrics().Color(index), ::GetSysColor(index)) << step.what << index;
            EXPECT_EQ(manager.GetMetrics().Brush(COLOR_BTNFACE), nullptr);
        }
    }
    EXPECT_EQ(manager.changes, expected);
    EXPECT_FALSE(manager.LoadSkin("", nullptr));
}

TEST(SkinEngineLoad, MetricsComeFromTheSkinOrTheDefaultTable)
{
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    const CSkinMetrics& metrics = manager.GetMetrics();
    EXPECT_EQ(metrics.Color(COLOR_BTNFACE), RGB(1, 2, 3));
    EXPECT_EQ(metrics.Color(COLOR_WINDOW), RGB(250, 240, 230));
    for (const int index : {COLOR_SCROLLBAR, COLOR_INFOBK, COLOR_HOTLIGHT, COLOR_MENUBAR})
        EXPECT_EQ(metrics.Color(index), DefaultSkinMetricsColor(index)) << index;
    EXPECT_EQ(DefaultSkinMetricsColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(manager.GetMetricsColor(1616), RGB(1, 2, 3));
    EXPECT_EQ(manager.GetMetricsColor(1600), CLR_INVALID);
    EXPECT_EQ(manager.GetMetricsColor(1632), CLR_INVALID);
    EXPECT_EQ(metrics.SkinCaptionHeight(), 31);
    EXPECT_EQ(metrics.SkinSmallCaptionHeight(), 257); // clamped to 256, plus 1
    EXPECT_EQ(metrics.CxVScroll(), 256);
    EXPECT_EQ(metrics.CyHScroll(), 21);
    EXPECT_STREQ(metrics.CaptionFont().lfFaceName, "TAHOMA");
    EXPECT_EQ(metrics.CaptionFont().lfWeight, 700);
    EXPECT_EQ(metrics.Shadow3D(), metrics.Color(COLOR_3DSHADOW));
    EXPECT_TRUE(metrics.IsMetricsBrush(metrics.Brush(COLOR_BTNFACE)));
    EXPECT_FALSE(metrics.IsMetricsBrush(metrics.ButtonFaceBrush()));
    EXPECT_FALSE(metrics.IsMetricsBrush(::GetStockObject(WHITE_BRUSH)));

    // Loading the same colours again keeps every brush; a changed colour
    // gets a brush of that colour.
    std::vector<HBRUSH> before;
    for (int index = 0; index < kSkinMetricsColorCount; ++index)
        before.push_back(metrics.Brush(index));
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    for (int index = 0; index < kSkinMetricsColorCount; ++index)
        EXPECT_EQ(metrics.Brush(index), before[index]) << index;
    ASSERT_TRUE(manager.LoadSkin(TestSkinPath("alpha255").c_str(), "skin.ini"));
    LOGBRUSH brush{};
    ASSERT_EQ(::GetObjectA(metrics.Brush(COLOR_WINDOW), sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, DefaultSkinMetricsColor(COLOR_WINDOW));
}

TEST(SkinEngineLoad, StyleStringAndAlphaLevelChooseTheVariant)
{
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(test::WinePath(SKIN_TEST_OFFICE_MODULE).c_str(), "office.ini"));
    EXPECT_EQ(manager.GetSchema()->Variant(), ESkinSchemaVariant::Office2007);
    EXPECT_FALSE(manager.GetSchema()->Premultiply());
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    EXPECT_EQ(manager.GetSchema()->Variant(), ESkinSchemaVariant::Default);
    EXPECT_TRUE(manager.GetSchema()->Premultiply());
    ASSERT_TRUE(manager.LoadSkin(TestSkinPath("alpha255").c_str(), "skin.ini"));
    EXPECT_EQ(manager.GetSchema()->Variant(), ESkinSchemaVariant::Default);
    EXPECT_FALSE(manager.GetSchema()->Premultiply());
    // Without premultiplying, the straight colours reach the bitmap.
    CSkinImage* image = manager.GetSkinClass("button").GetImage("Alpha.png");
    ASSERT_NE(image, nullptr);
    const test::ExpectedImage alpha = test::DrawingImage("ALPHA");
    EXPECT_TRUE(image->HasAlpha());
    EXPECT_EQ(image->PixelAt(3, 2), alpha.At(3, 2));
}

// Every reader test image inside the module loads with its size and alpha
// flag, or fails without harm; a blended image holds premultiplied pixels.
TEST(SkinEngineLoad, ModuleImagesOfEveryHeaderKind)
{
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    CSkinClass& skinClass = manager.GetSkinClass("Progress");
    std::ifstream listing(test::WinePath(std::string(SKIN_TEST_SKINS) + "/images/images.txt"));
    std::string name, kind;
    int loaded = 0;
    while (listing >> name >> kind) {
        if (kind == "bmp")
            continue;
        SCOPED_TRACE(name);
        const test::ExpectedImage expected =
            test::ReadExpectedImage(std::string(SKIN_TEST_SKINS) + "/images/" + name + ".expect");
        CSkinImage* image = skinClass.GetImage("Readers\\" + name + (kind == "png" ? ".png" : ".bmp"));
        if (expected.argb.empty()) {
            EXPECT_EQ(image, nullptr);
            continue;
        }
        ASSERT_NE(image, nullptr);
        ++loaded;
        ASSERT_EQ(image->Width(), expected.width);
        ASSERT_EQ(image->Height(), expected.height);
        bool bMixed = false;
        for (const std::uint32_t pixel : expected.argb) {
            const std::uint32_t alpha = pixel >> 24;
            bMixed |= alpha != (expected.argb[0] >> 24) || (alpha != 0 && alpha != 255);
        }
        EXPECT_EQ(image->HasAlpha(), expected.alpha && bMixed);
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x) {
                const std::uint32_t want = expected.At(x, y);
                const std::uint32_t alpha = want >> 24;
                const auto scaled = [&](int shift) {
                    const std::uint32_t channel = (want >> shift) & 0xFF;
                    return (image->HasAlpha() ? channel * alpha / 255 : channel) << shift;
                };
                const std::uint32_t rgb = scaled(16) | scaled(8) | scaled(0);
                ASSERT_EQ(image->PixelAt(x, y) & 0xFFFFFF, rgb) << x << "," << y;
            }
        }
    }
    EXPECT_GT(loaded, 20);
}

TEST(SkinEngineLoad, ClassReadersCacheFoundAndAbsentValuesButNotWrongTypes)
{
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    CSkinClass& button = manager.GetSkinClass("button");
    EXPECT_EQ(&button, &manager.GetSkinClass("BUTTON"));
    EXPECT_EQ(button.Name(), "BUTTON");
    EXPECT_EQ(button.ClassId(), FindSkinClassId("BUTTON"));

    constexpr int kPushButton = 1, kHot = 2, kImageCount = 2401, kBorderOnly = 2203, kImageFile = 3001;
    EXPECT_EQ(button.GetInt(kPushButton, kHot, kImageCount, 7), 7); // absent
    EXPECT_EQ(button.GetInt(kPushButton, kHot, kImageCount, 8), 8);
    EXPECT_EQ(button.SchemaLookups(), 1);
    EXPECT_TRUE(button.GetBool(kPushButton, kHot, kBorderOnly, false));
    EXPECT_EQ(button.SchemaLookups(), 2);
    EXPECT_EQ(button.GetInt(kPushButton, 1, kImageFile, 5), 5); // a string, asked as an integer
    EXPECT_EQ(button.GetInt(kPushButton, 1, kImageFile, 6), 6);
    EXPECT_EQ(button.SchemaLookups(), 4);
    EXPECT_EQ(button.GetString(kPushButton, kHot, kImageFile, ""), "IMAGES\\GRID.BMP"); // from the part
    EXPECT_EQ(button.GetImage("images\\grid.bmp"), button.GetImage("IMAGES\\GRID.BMP"));
    EXPECT_EQ(button.GetImage("missing.bmp"), nullptr);
}

TEST(SkinEngineLoad, PartSizeForTheTwoSizeKindsOnly)
{
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    CSkinClass& button = manager.GetSkinClass("BUTTON");
    const RECT rect{0, 0, 40, 30};
    SIZE size{-1, -1};
    EXPECT_TRUE(button.GetPartSize(5, 1, &rect, kSkinPartSizeTrue, size)); // FRAMES: 16 x 4 in 4 frames
    EXPECT_EQ(size.cx, 4);
    EXPECT_EQ(size.cy, 4);
    EXPECT_TRUE(button.GetPartSize(5, 1, &rect, kSkinPartSizeDraw, size)); // stretched: the rect
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 30);
    EXPECT_TRUE(button.GetPartSize(5, 1, nullptr, kSkinPartSizeDraw, size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_TRUE(button.GetPartSize(3, 1, &rect, kSkinPartSizeDraw, size)); // true size: the frame
    EXPECT_EQ(size.cx, 6);
    EXPECT_EQ(size.cy, 4);
    size = SIZE{-1, -1};
    EXPECT_FALSE(button.GetPartSize(5, 1, &rect, 3, size));
    EXPECT_EQ(size.cx, -1);
    CSkinClass& toolbar = manager.GetSkinClass("TOOLBAR");
    EXPECT_FALSE(toolbar.GetPartSize(1, 1, &rect, kSkinPartSizeTrue, size)); // BGTYPE NONE
    EXPECT_FALSE(toolbar.GetPartSize(3, 1, &rect, kSkinPartSizeTrue, size)); // missing image
}

// A skin module that has code of its own: loading it runs nothing. The same
// module loaded as a program module does write its marker, so the test
// would see it.
TEST(SkinEngineLoad, ModuleCodeNeverRuns)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string marker = std::string(folder) + "tavrelin-skin-marker.txt";
    ::DeleteFileA(marker.c_str());
    ::SetEnvironmentVariableA("TAVRELIN_SKIN_MARKER", marker.c_str());
    const std::string module = test::WinePath(SKIN_TEST_MARKER_MODULE);
    {
        CRecordingSkinManager manager;
        ASSERT_TRUE(manager.LoadSkin(module.c_str(), nullptr));
        EXPECT_NE(manager.GetSkinClass("BUTTON").GetImage("Images\\Grid.bmp"), nullptr);
    }
    EXPECT_EQ(::GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);

    HMODULE asCode = ::LoadLibraryA(module.c_str());
    ASSERT_NE(asCode, nullptr);
    ::FreeLibrary(asCode);
    EXPECT_NE(::GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(marker.c_str());
}

// The hidden colour window of Windows Forms hears of every skin change.
TEST(SkinEngineLoad, BroadcastWindowsOfTheProcessGetAColourChange)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WindowsForms10.Window.8.app.0.NET-BroadcastEventWindow.2.0.0.0.1";
    ASSERT_NE(::RegisterClassA(&windowClass), 0);
    HWND broadcast = ::CreateWindowA(windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     windowClass.hInstance, nullptr);
    ASSERT_NE(broadcast, nullptr);
    CSkinManager manager;
    MSG message{};
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    EXPECT_TRUE(::PeekMessageA(&message, broadcast, WM_SYSCOLORCHANGE, WM_SYSCOLORCHANGE, PM_REMOVE));
    EXPECT_FALSE(manager.LoadSkin(nullptr, nullptr));
    EXPECT_TRUE(::PeekMessageA(&message, broadcast, WM_SYSCOLORCHANGE, WM_SYSCOLORCHANGE, PM_REMOVE));
    ::DestroyWindow(broadcast);
    ::UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
}

// Run by its own CTest test inside an 8-bit Xvfb screen.
TEST(SkinEngineDepth8, LoadIsRefusedOnA256ColourScreen)
{
    if (!std::getenv("TAVRELIN_EXPECT_DEPTH8"))
        GTEST_SKIP() << "runs only on an 8-bit screen";
    win::WindowDC screen(::GetDesktopWindow());
    ASSERT_LE(::GetDeviceCaps(screen.get(), BITSPIXEL), 8);
    CRecordingSkinManager manager;
    EXPECT_FALSE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_EQ(manager.changes, (std::vector<Change>{{false, false}}));
}

} // namespace
} // namespace tavrelin::skin
