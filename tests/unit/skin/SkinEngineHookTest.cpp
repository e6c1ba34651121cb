// Import patching under Wine, in this process: which slots are installed for
// which options, the import table given back byte for byte, the colour,
// brush and module answers, and modules loaded before and after a skin.
//
// Patched functions are called from separate non-inlined functions: within
// one function GCC may keep an import's address in a register.
#include "SkinEngineTestSupport.h"

#include "skin/engine/hook/SkinApiHook.h"
#include "skin/engine/hook/SkinThemeApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <cstring>
#include <string>
#include <vector>

namespace tavrelin::skin {
namespace {

using test::CCanvas;
using test::CRecordingSkinManager;
using test::ModuleSkinPath;
using test::TestSkinPath;

#define NOINLINE __attribute__((noinline))

NOINLINE DWORD CallGetSysColor(int index) { return ::GetSysColor(index); }
NOINLINE HBRUSH CallGetSysColorBrush(int index) { return ::GetSysColorBrush(index); }
NOINLINE BOOL CallDeleteObject(HGDIOBJ object) { return ::DeleteObject(object); }
NOINLINE int CallFillRect(HDC dc, const RECT& rect, HBRUSH brush) { return ::FillRect(dc, &rect, brush); }
NOINLINE HMODULE CallGetModuleHandleA(const char* name) { return ::GetModuleHandleA(name); }
NOINLINE FARPROC CallGetProcAddress(HMODULE module, const char* name) { return ::GetProcAddress(module, name); }
NOINLINE HMODULE CallLoadLibraryA(const char* name) { return ::LoadLibraryA(name); }
NOINLINE BOOL CallSystemParametersInfoA(UINT action, UINT uiParam, void* data)
{
    return ::SystemParametersInfoA(action, uiParam, data, 0);
}
NOINLINE RECT CallAdjustWindowRectEx(DWORD style, DWORD exStyle)
{
    RECT rect{0, 100, 200, 300};
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}
NOINLINE RECT CallDrawEdge(HDC dc, RECT rect, UINT edge, UINT flags)
{
    ::DrawEdge(dc, &rect, edge, flags);
    return rect;
}
NOINLINE RECT CallDrawFrameControl(HDC dc, RECT rect, UINT type, UINT state)
{
    ::DrawFrameControl(dc, &rect, type, state);
    return rect;
}
NOINLINE ATOM CallRegisterClassA(const WNDCLASSA& windowClass) { return ::RegisterClassA(&windowClass); }
NOINLINE HMODULE CallLoadLibraryExA(const char* name, DWORD flags) { return ::LoadLibraryExA(name, nullptr, flags); }

// Every entry of this program's import address tables, as raw words.
std::vector<ULONG_PTR> OwnImportAddressTables()
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* headers =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<ULONG_PTR> entries;
    for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         descriptor->Name; ++descriptor) {
        for (auto* entry = reinterpret_cast<ULONG_PTR*>(base + descriptor->FirstThunk); *entry; ++entry)
            entries.push_back(*entry);
    }
    return entries;
}

// The slot table as the engine's description gives it: option bits each
// slot needs (0: always), and the slots this build leaves empty.
struct ExpectedSlot {
    int slot;
    unsigned options;
};
constexpr unsigned C = SKIN_APPLY_COLORS, F = SKIN_APPLY_FRAME, M = SKIN_APPLY_METRICS;
const ExpectedSlot kExpectedSlots[] = {
    {0, 0},  {1, 0},  {2, 0},  {3, 0},  {4, 0},  {5, 0},  {6, 0},  {7, 0},  {8, C},  {9, C},  {10, C},
    {11, C}, {12, F}, {13, F}, {14, F}, {15, F}, {16, C}, {17, C}, {18, C}, {19, C}, {20, C}, {21, C},
    {22, C}, {23, C}, {24, C}, {25, C}, {26, M}, {27, 0}, {28, 0}, {29, 0}, {30, 0}, {31, 0}, {32, 0},
    {33, 0}, {34, 0}, {35, 0}, {36, 0}, {37, 0}, {38, C}, {39, C}, {40, M},
};
// A slot counts as installed once some module's import was patched; no
// module of this test process imports the MDI, frame and dialog procedures.
bool IsBuiltAndImported(int slot)
{
    static const int absent[] = {29, 30, 31, 32, 33, 34};
    return std::find(std::begin(absent), std::end(absent), slot) == std::end(absent);
}

TEST(SkinApiHook, EachSlotIsInstalledOnlyWithItsOptionBits)
{
    const CSkinApiHook& hook = CSkinApiHook::Instance();
    ASSERT_EQ(std::size(kExpectedSlots), static_cast<size_t>(kSkinHookSlotCount));
    for (const unsigned options : {0u, C, F, M, C | F | M}) {
        CRecordingSkinManager manager;
        manager.SetApplyOptions(options);
        ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
        for (const ExpectedSlot& expected : kExpectedSlots) {
            const bool installed =
                IsBuiltAndImported(expected.slot) && (options & expected.options) == expected.options;
            EXPECT_EQ(hook.IsInstalled(expected.slot), installed) << "slot " << expected.slot << " options " << options;
            EXPECT_EQ(hook.GetOriginal(expected.slot) != nullptr,
                      installed && !(expected.slot >= 16 && expected.slot <= 25))
                << "slot " << expected.slot;
        }
        manager.LoadSkin(nullptr, nullptr);
        for (int slot = 0; slot < kSkinHookSlotCount; ++slot)
            EXPECT_FALSE(hook.IsInstalled(slot)) << slot;
    }
    // Changing the options while loaded installs what they now call for.
    CRecordingSkinManager manager;
    manager.SetApplyOptions(M);
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    EXPECT_FALSE(hook.IsInstalled(kSlotGetSysColor));
    manager.SetApplyOptions(C);
    EXPECT_TRUE(hook.IsInstalled(kSlotGetSysColor));
    EXPECT_EQ(CallGetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
}

TEST(SkinApiHook, RemoveGivesTheImportTablesBackByteForByte)
{
    const std::vector<ULONG_PTR> before = OwnImportAddressTables();
    const auto system = reinterpret_cast<ULONG_PTR>(CSkinApiHook::Instance().SystemFunction(kSlotGetSysColor));
    ASSERT_NE(std::count(before.begin(), before.end(), system), 0);
    {
        CRecordingSkinManager manager;
        ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
        const std::vector<ULONG_PTR> patched = OwnImportAddressTables();
        EXPECT_EQ(std::count(patched.begin(), patched.end(), system), 0);
        EXPECT_NE(patched, before);
        // Loading again (and installing twice) changes nothing more.
        ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
        EXPECT_EQ(OwnImportAddressTables(), patched);
        manager.LoadSkin("", nullptr);
        EXPECT_EQ(OwnImportAddressTables(), before);
        ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    }
    // The manager's end takes the hooks off.
    EXPECT_EQ(OwnImportAddressTables(), before);
    EXPECT_EQ(CSkinContext::Active(), nullptr);
}

TEST(SkinApiHook, ColoursAndBrushesComeFromTheSkinWhileItIsLoaded)
{
    const DWORD systemFace = CallGetSysColor(COLOR_BTNFACE);
    ASSERT_NE(systemFace, RGB(1, 2, 3));
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    EXPECT_EQ(CallGetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
    EXPECT_EQ(CallGetSysColor(COLOR_WINDOW), RGB(250, 240, 230));

    CCanvas canvas(8, 8, RGB(0, 0, 0));
    CallFillRect(canvas.Dc(), RECT{0, 0, 4, 8}, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(canvas.At(1, 1), 0xFAF0E6u);
    // A brush of the engine's survives the program's DeleteObject.
    HBRUSH face = CallGetSysColorBrush(COLOR_BTNFACE);
    EXPECT_FALSE(CallDeleteObject(face));
    CallFillRect(canvas.Dc(), RECT{4, 0, 8, 8}, face);
    EXPECT_EQ(canvas.At(5, 1), 0x010203u);

    // The engine frees the brushes a skin change replaces.
    HBRUSH window = CallGetSysColorBrush(COLOR_WINDOW);
    ASSERT_TRUE(manager.LoadSkin(TestSkinPath("alpha255").c_str(), "skin.ini"));
    EXPECT_EQ(::GetObjectType(window), 0u);
    EXPECT_EQ(CallGetSysColor(COLOR_WINDOW), DefaultSkinMetricsColor(COLOR_WINDOW));

    // Without the colours bit, and after unloading, the system answers.
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    manager.SetApplyOptions(SKIN_APPLY_METRICS | SKIN_APPLY_FRAME);
    EXPECT_EQ(CallGetSysColor(COLOR_BTNFACE), systemFace);
    manager.SetApplyOptions(SKIN_APPLY_COLORS);
    EXPECT_EQ(CallGetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
    manager.LoadSkin(nullptr, nullptr);
    EXPECT_EQ(CallGetSysColor(COLOR_BTNFACE), systemFace);
    HBRUSH systemBrush = CallGetSysColorBrush(COLOR_BTNFACE);
    EXPECT_NE(systemBrush, face);
}

TEST(SkinApiHook, SubstituteUxThemeAndReplacementsThroughGetProcAddress)
{
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    for (const char* name : {"UxTheme.dll", "UXTHEME.DLL", "uxtheme.dll"})
        EXPECT_EQ(CallGetModuleHandleA(name), kSubstituteUxTheme) << name;
    EXPECT_EQ(reinterpret_cast<void*>(CallGetProcAddress(kSubstituteUxTheme, "OpenThemeData")),
              reinterpret_cast<void*>(&ThemeOpenThemeData));
    EXPECT_EQ(CallGetProcAddress(kSubstituteUxTheme, "NoSuchFunction"), nullptr);

    HMODULE user32 = CallGetModuleHandleA("USER32.DLL");
    const auto getSysColor =
        reinterpret_cast<DWORD(WINAPI*)(int)>(reinterpret_cast<void*>(CallGetProcAddress(user32, "GetSysColor")));
    ASSERT_NE(getSysColor, nullptr);
    EXPECT_EQ(getSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
    // Ordinals go to the system, 0xFFFF included (read as a name, it would crash).
    EXPECT_EQ(CallGetProcAddress(user32, reinterpret_cast<const char*>(0xFFFF)), nullptr);

    manager.SetApplyOptions(SKIN_APPLY_METRICS);
    EXPECT_NE(CallGetModuleHandleA("UxTheme.dll"), kSubstituteUxTheme);
    EXPECT_EQ(CallGetProcAddress(kSubstituteUxTheme, "OpenThemeData"), nullptr);
}

TEST(SkinApiHook, ModulesLoadedBeforeAndAfterTheSkinArePatchedDataFilesAreNot)
{
    const std::string path = test::WinePath(SKIN_HOOK_TEST_MODULE);
    using SysColorFunction = DWORD (*)(int);
    const auto moduleColor = [](HMODULE module) {
        auto function =
            reinterpret_cast<SysColorFunction>(reinterpret_cast<void*>(::GetProcAddress(module, "HookTestSysColor")));
        return function ? function(COLOR_BTNFACE) : CLR_INVALID;
    };
    const DWORD systemFace = CallGetSysColor(COLOR_BTNFACE);
    CRecordingSkinManager manager;

    HMODULE before = CallLoadLibraryA(path.c_str());
    ASSERT_NE(before, nullptr);
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    EXPECT_EQ(moduleColor(before), RGB(1, 2, 3));
    manager.LoadSkin(nullptr, nullptr);
    EXPECT_EQ(moduleColor(before), systemFace);
    ::FreeLibrary(before);
    ASSERT_EQ(::GetModuleHandleA("skin_hook_test_module.dll"), nullptr);

    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    for (const DWORD mapping : {LOAD_LIBRARY_AS_DATAFILE, LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE,
                                LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE}) {
        HMODULE data = CallLoadLibraryExA(path.c_str(), mapping);
        EXPECT_NE(data, nullptr) << mapping;
        if (data)
            ::FreeLibrary(data);
    }
    HMODULE after = CallLoadLibraryExA(path.c_str(), 0);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(moduleColor(after), RGB(1, 2, 3));
    manager.LoadSkin(nullptr, nullptr);
    EXPECT_EQ(moduleColor(after), systemFace);
    ::FreeLibrary(after);
}

TEST(SkinApiHook, MetricsAnswersTakeTheSkinsFontsAndCaptionHeights)
{
    NONCLIENTMETRICSA system{};
    system.cbSize = 340;
    ASSERT_TRUE(CallSystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &system));
    ASSERT_STRNE(system.lfCaptionFont.lfFaceName, "TAHOMA");
    const RECT plain = CallAdjustWindowRectEx(WS_OVERLAPPEDWINDOW, 0);
    const RECT plainTool = CallAdjustWindowRectEx(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW);
    const RECT plainBorder = CallAdjustWindowRectEx(WS_POPUP | WS_BORDER, 0);

    CRecordingSkinManager manager;
    manager.SetApplyOptions(SKIN_APPLY_METRICS);
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    NONCLIENTMETRICSA skinned{};
    skinned.cbSize = 340;
    ASSERT_TRUE(CallSystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &skinned));
    EXPECT_STREQ(skinned.lfCaptionFont.lfFaceName, "TAHOMA");
    EXPECT_EQ(skinned.lfCaptionFont.lfWeight, 700);
    EXPECT_STREQ(skinned.lfMenuFont.lfFaceName, system.lfMenuFont.lfFaceName); // the skin gives none
    // Another size (this compiler's structure is 344 bytes) keeps the system's fonts.
    NONCLIENTMETRICSA full{};
    full.cbSize = sizeof full;
    if (CallSystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof full, &full))
        EXPECT_STREQ(full.lfCaptionFont.lfFaceName, system.lfCaptionFont.lfFaceName);
    // A failed call is passed on and writes nothing.
    EXPECT_FALSE(CallSystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, nullptr));

    // Caption heights: skin 30 + 1 and small caption clamped to 256 + 1.
    EXPECT_EQ(CallAdjustWindowRectEx(WS_OVERLAPPEDWINDOW, 0).top, plain.top - (31 - ::GetSystemMetrics(SM_CYCAPTION)));
    EXPECT_EQ(CallAdjustWindowRectEx(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW).top,
              plainTool.top - (257 - ::GetSystemMetrics(SM_CYSMCAPTION)));
    EXPECT_EQ(CallAdjustWindowRectEx(WS_POPUP | WS_BORDER, 0).top, plainBorder.top);
    manager.SetApplyOptions(SKIN_APPLY_COLORS);
    EXPECT_EQ(CallAdjustWindowRectEx(WS_OVERLAPPEDWINDOW, 0).top, plain.top);
}

// The system's DrawEdge and DrawFrameControl are the oracle of the geometry:
// every pixel they paint in a system colour is painted by the engine in the
// skin's colour of that role.
TEST(SkinApiHook, EdgesAndButtonFacesAreDrawnWhereTheSystemDrawsThemInTheSkinsColours)
{
    const int roles[] = {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_BTNFACE};
    const COLORREF background = RGB(9, 99, 199);
    std::map<std::uint32_t, std::uint32_t> systemToSkin{{0x0963C7u, 0x0963C7u}};
    const auto rgb = [](COLORREF colour) {
        return static_cast<std::uint32_t>(GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
    };
    std::vector<std::uint32_t> systemColours;
    for (const int role : roles)
        systemColours.push_back(rgb(CallGetSysColor(role)));
    CRecordingSkinManager skinColours;
    ASSERT_TRUE(skinColours.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    for (size_t index = 0; index < std::size(roles); ++index)
        systemToSkin[systemColours[index]] = rgb(skinColours.GetMetrics().Color(roles[index]));
    skinColours.LoadSkin(nullptr, nullptr);
    ASSERT_EQ(systemToSkin.size(), std::size(roles) + 1) << "system colours of two roles coincide";

    // kind 0: DrawEdge(edge, flags); DFC_BUTTON: DrawFrameControl(kind, flags).
    struct Case {
        UINT kind, edge, flags;
    } const cases[] = {
        {0, EDGE_RAISED, BF_RECT | BF_MIDDLE},
        {0, EDGE_SUNKEN, BF_RECT},
        {0, EDGE_ETCHED, BF_RECT | BF_ADJUST},
        {0, EDGE_BUMP, BF_LEFT | BF_BOTTOM},
        {0, BDR_SUNKENOUTER, BF_TOP | BF_RIGHT | BF_ADJUST},
        {0, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_MIDDLE},
        {DFC_BUTTON, 0, DFCS_BUTTONPUSH},
        {DFC_BUTTON, 0, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT},
    };
    const auto draw = [](HDC dc, const Case& which) {
        const RECT rect{1, 1, 11, 11};
        return which.kind ? CallDrawFrameControl(dc, rect, which.kind, which.flags)
                          : CallDrawEdge(dc, rect, which.edge, which.flags);
    };
    for (const Case& edgeCase : cases) {
        CCanvas system(12, 12, background), skinned(12, 12, background);
        const RECT systemRect = draw(system.Dc(), edgeCase);
        CRecordingSkinManager manager;
        ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
        const RECT skinRect = draw(skinned.Dc(), edgeCase);
        EXPECT_TRUE(EqualRect(&systemRect, &skinRect)) << edgeCase.edge << " " << edgeCase.flags;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                ASSERT_TRUE(systemToSkin.count(system.At(x, y))) << x << "," << y;
                EXPECT_EQ(skinned.At(x, y), systemToSkin[system.At(x, y)])
                    << "edge " << edgeCase.edge << " flags " << edgeCase.flags << " at " << x << "," << y;
            }
        }
    }
}

TEST(SkinApiHook, ClassesRegisteredWithTheEnginesDefaultProcedureGetTheSystemOne)
{
    CRecordingSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(
        reinterpret_cast<void*>(CallGetProcAddress(CallGetModuleHandleA("USER32.DLL"), "DefWindowProcA")));
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SkinTestRegisteredWithReplacement";
    ASSERT_EQ(reinterpret_cast<void*>(windowClass.lpfnWndProc),
              reinterpret_cast<void*>(SkinHookSlots()[kSlotDefWindowProcA].replacement));
    ASSERT_NE(CallRegisterClassA(windowClass), 0);
    WNDCLASSA registered{};
    ASSERT_TRUE(::GetClassInfoA(windowClass.hInstance, windowClass.lpszClassName, &registered));
    EXPECT_EQ(reinterpret_cast<void*>(registered.lpfnWndProc),
              CSkinApiHook::Instance().SystemFunction(kSlotDefWindowProcA));
}

TEST(SkinThemeApi, HandlesOutliveSkinLoadsAndUnknownHandlesOrNullArgumentsAreRefused)
{
    CRecordingSkinManager manager;
    EXPECT_EQ(ThemeOpenThemeData(nullptr, L"Button"), nullptr); // no skin yet
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    HTHEME theme = ThemeOpenThemeData(nullptr, L"Button");
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(ThemeOpenThemeData(nullptr, nullptr), nullptr);

    CCanvas canvas(40, 30, RGB(0, 0, 0));
    const RECT rect{0, 0, 40, 30};
    SIZE size{};
    EXPECT_EQ(ThemeGetThemePartSize(theme, nullptr, 1, 1, nullptr, TS_TRUE, &size), S_OK);
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(ThemeDrawThemeBackground(theme, canvas.Dc(), 1, 1, &rect, nullptr), S_OK);
    EXPECT_NE(canvas.At(20, 15), 0u);

    // A handle from before a load still works after it; after unloading it
    // is refused without harm.
    ASSERT_TRUE(manager.LoadSkin(TestSkinPath("folder").c_str(), "skin.ini"));
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    EXPECT_EQ(ThemeDrawThemeBackground(theme, canvas.Dc(), 1, 1, &rect, nullptr), S_OK);
    const HTHEME unknown = reinterpret_cast<HTHEME>(static_cast<ULONG_PTR>(0x7FFF0000));
    COLORREF color = 0;
    EXPECT_EQ(ThemeDrawThemeBackground(unknown, canvas.Dc(), 1, 1, &rect, nullptr), E_HANDLE);
    EXPECT_EQ(ThemeGetThemeColor(unknown, 1, 1, 3801, &color), E_HANDLE);
    EXPECT_EQ(ThemeGetThemePartSize(unknown, nullptr, 1, 1, nullptr, TS_TRUE, &size), E_HANDLE);
    EXPECT_EQ(ThemeDrawThemeBackground(theme, canvas.Dc(), 1, 1, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(ThemeDrawThemeBackground(theme, nullptr, 1, 1, &rect, nullptr), E_INVALIDARG);
    EXPECT_EQ(ThemeGetThemeColor(theme, 1, 1, 3801, nullptr), E_INVALIDARG);
    EXPECT_EQ(ThemeGetThemePartSize(theme, nullptr, 1, 1, nullptr, TS_TRUE, nullptr), E_INVALIDARG);
    EXPECT_EQ(ThemeGetThemeSysColor(nullptr, 1616), RGB(1, 2, 3));

    // Every buffer given gets a string; one too short gets an empty one.
    wchar_t file[MAX_PATH], colour[MAX_PATH], tiny[3], sizeName[8];
    for (wchar_t* buffer : {file, colour, tiny, sizeName})
        buffer[0] = L'x';
    EXPECT_EQ(ThemeGetCurrentThemeName(file, MAX_PATH, colour, MAX_PATH, sizeName, 8), S_OK);
    EXPECT_NE(std::wstring(file).find(L"test_skin_module.dll"), std::wstring::npos);
    EXPECT_EQ(std::wstring(sizeName), L"");
    EXPECT_FALSE(std::wstring(colour).empty());
    EXPECT_EQ(ThemeGetCurrentThemeName(tiny, 3, nullptr, 0, nullptr, 0), S_OK);
    EXPECT_EQ(std::wstring(tiny), L"");
    manager.LoadSkin(nullptr, nullptr);
    file[0] = L'x';
    EXPECT_EQ(ThemeGetCurrentThemeName(file, MAX_PATH, nullptr, 0, nullptr, 0), E_FAIL);
    EXPECT_EQ(std::wstring(file), L"");
    EXPECT_EQ(ThemeDrawThemeBackground(theme, canvas.Dc(), 1, 1, &rect, nullptr), E_FAIL);
}

} // namespace
} // namespace tavrelin::skin
