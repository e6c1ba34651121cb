// The running program in every look: the album's list and its menu, the
// rename dialog, the design library and its menu, the Open dialog of the
// sound file and the Video Format dialog show readable text, and under the
// dark skin dark backgrounds; switching looks re-colours the list and the
// edit box on the screen, and "System" gives their platform's look back
// pixel for pixel; a census of GDI objects stays flat over many repaints of
// the album page and many menu openings. The pictures of each screen in each
// look are kept in every-window/ of the build tree.
#include "AlbumPage.h"
#include "E2eSupport.h"
#include "GdiCensus.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kTakePictures = 32771, kVideoFormat = 32776, kDesignManagement = 32779, kWindowStyle = 32774;
constexpr int kMp3Radio = 1006, kMp3Path = 1008, kDesignList = 1010;
constexpr int kBlackRadio = 1003, kSystemRadio = 1005;
constexpr double kReadable = 4.5;
constexpr double kDark = 0.05; // the lightness below which a background is the dark skin's

// The program in a folder of its own, with pictures in its album and the
// designs it ships, under the skin named (none: the system look).
class Program : public album_e2e::AlbumPage {
public:
    explicit Program(const char* skin)
    {
        if (skin)
            ::WritePrivateProfileStringA("CONFIG", "SKIN", skin, m_folder.File("Config.ini").c_str());
        m_program.emplace(e2e::LaunchOptions{m_folder.File("Tavrelin.exe"), "/Embedding", {}, m_folder.Path()});
    }
    DWORD Pid() const override { return m_program->Pid(); }
    HWND MainWindow() override
    {
        if (!m_main)
            m_main = e2e::WaitForProgramMainWindow(Pid());
        return m_main;
    }
    HANDLE Process() const { return m_program->Process(); }
    bool Command(int id)
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(MainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL, 10000,
                                     &result) != 0;
    }
    // Pictures taken with the test camera.
    bool FillAlbum(int pictures)
    {
        for (int picture = 0; picture < pictures; ++picture) {
            if (!Command(kTakePictures))
                return false;
        }
        return e2e::WaitUntil([&] { return Items().size() == static_cast<size_t>(pictures); });
    }
    size_t DesignCount() const
    {
        size_t count = 0;
        for (const std::string& name : e2e::FolderEntryNames(m_folder.File("Design")))
            count += name.size() > 4 && name.substr(name.size() - 4) == ".gif" ? 1 : 0;
        return count;
    }
    HWND OpenDialog(int command, const char* title)
    {
        ::PostMessageA(MainWindow(), WM_COMMAND, static_cast<WPARAM>(command), 0);
        return e2e::WaitForTopLevel(Pid(), "#32770", title);
    }

private:
    e2e::ProgramCopy m_folder;
    std::optional<e2e::RunningProgram> m_program;
    HWND m_main = nullptr;
};

std::string LooksFolder()
{
    const std::string folder = e2e::ToWindowsPath(LOOKS_FOLDER);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

// A screen rectangle once it has settled.
std::optional<e2e::ScreenImage> Steady(const RECT& rect)
{
    return e2e::WaitForSteadyImage([&] { return e2e::ScreenImage::Capture(rect); });
}

// The client rectangle of a window on the screen, once settled.
std::optional<e2e::ScreenImage> SteadyClient(HWND window)
{
    e2e::WaitForPaintsDone(window);
    return Steady(e2e::ClientRectOnScreen(window));
}

double BackgroundLightness(HWND window)
{
    const auto image = SteadyClient(window);
    return image ? e2e::Luminance(e2e::ColoursOf(*image).background) : 1.0;
}

RECT OnScreen(HWND window, RECT rect)
{
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

double ContrastOf(const RECT& screenRect)
{
    const auto image = Steady(screenRect);
    return image ? e2e::Contrast(e2e::ColoursOf(*image)) : 0.0;
}

// The text of a list item, read through the list's own rectangle of it.
// Asked until the list answers with a label of some size: a list still busy
// laying out (or too busy to answer in time) would give an empty rectangle,
// and a picture of nothing has no contrast.
RECT ListLabel(HWND list, int item)
{
    e2e::RemoteBuffer buffer = e2e::RemoteBuffer::ForWindow(list, sizeof(RECT));
    RECT rect{};
    e2e::WaitUntil([&] {
        rect = RECT{LVIR_LABEL, 0, 0, 0};
        buffer.WriteValue(rect);
        const bool answered =
            e2e::SendWithTimeout(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), buffer.AsLParam()).value_or(0);
        return answered && buffer.ReadValue(rect) && rect.right > rect.left && rect.bottom > rect.top;
    });
    return OnScreen(list, rect);
}

// The system carries this message's rectangle between processes itself.
RECT ListBoxRow(HWND list, int row)
{
    RECT rect{};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect), SMTO_NORMAL,
                          e2e::kSendTimeoutMs, &result);
    return OnScreen(list, rect);
}

HWND RightClickItem(DWORD pid, HWND list, int item)
{
    const std::optional<RECT> bounds = e2e::ListViewItemRect(list, item);
    if (!bounds)
        return nullptr;
    const POINT centre{(bounds->left + bounds->right) / 2, (bounds->top + bounds->bottom) / 2};
    POINT onScreen = centre;
    ::ClientToScreen(list, &onScreen);
    e2e::MoveCursor(onScreen.x, onScreen.y);
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    ::PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(centre.x, centre.y));
    ::PostMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    return e2e::WaitForTopLevel(pid, "#32768");
}

// What a visit checks: with a skin readable text everywhere, and with the
// dark skin dark backgrounds too (the system look is the platform's own);
// where it keeps the pictures.
struct Visit {
    std::string shots;
    bool skinned;
    bool dark;
};

void ExpectReadable(const Visit& visit, const RECT& screenRect, const std::string& what = "")
{
    if (visit.skinned) {
        EXPECT_GE(ContrastOf(screenRect), kReadable) << what;
    }
}

// A list item's text reads once the list has painted it where it says it
// is: the rectangle is asked again on each try, as a list still laying out
// (a column widened for a longer name, a busy machine) may move or repaint it.
bool LabelReads(HWND list, int item)
{
    return e2e::WaitUntil([&] { return ContrastOf(ListLabel(list, item)) >= kReadable; });
}

void ExpectLabelReadable(const Visit& visit, HWND list, int item, const std::string& what = "")
{
    if (visit.skinned) {
        EXPECT_TRUE(LabelReads(list, item)) << what << ": contrast " << ContrastOf(ListLabel(list, item));
    }
}

void ExpectBackground(const Visit& visit, HWND window, const char* what)
{
    if (visit.dark) {
        EXPECT_LT(BackgroundLightness(window), kDark) << what;
    }
}

void Keep(const Visit& visit, HWND window, const char* name)
{
    if (const auto picture = Steady(e2e::WindowRect(window)))
        picture->SaveBmp(visit.shots + name + ".bmp");
}

// Every row of an open menu reads, the hot one too.
void ExpectReadableMenu(const Visit& visit, HWND menu, int rows, const char* shot)
{
    ASSERT_NE(menu, nullptr);
    const RECT client = e2e::ClientRectOnScreen(menu);
    const int height = (client.bottom - client.top) / rows;
    const auto row = [&](int index) {
        return RECT{client.left + 2, client.top + 2 + index * height, client.right - 2,
                    client.top + (index + 1) * height};
    };
    ExpectBackground(visit, menu, "the menu");
    for (int index = 0; index < rows; ++index)
        ExpectReadable(visit, row(index), "row " + std::to_string(index));
    ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ExpectReadable(visit, row(0), "the hot row");
    Keep(visit, menu, shot);
}

void CloseMenu(HWND menu)
{
    ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    e2e::WaitUntil([&] { return !e2e::IsVisible(menu); });
}

void VisitSoundFileDialog(Program& program, const Visit& visit)
{
    HWND tab = e2e::ChildById(program.MainWindow(), 1000);
    const std::optional<RECT> cameraTab = e2e::TabItemRect(tab, 0);
    ASSERT_TRUE(cameraTab.has_value());
    e2e::ClickClient(tab, (cameraTab->left + cameraTab->right) / 2, (cameraTab->top + cameraTab->bottom) / 2);
    HWND radio = e2e::ChildById(e2e::FindProgramPage(program.MainWindow(), kMp3Radio), kMp3Radio);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(radio); }));
    const RECT bounds = e2e::WindowRect(radio);
    e2e::ClickClient(radio, 4, (bounds.bottom - bounds.top) / 2);
    HWND open = e2e::WaitForTopLevel(program.Pid(), "#32770", "Open");
    ASSERT_NE(open, nullptr);
    HWND files = e2e::FindChild(open, WC_LISTVIEWA);
    ExpectBackground(visit, files, "the file list");
    ExpectBackground(visit, e2e::FindChild(open, "Edit"), "the file name");
    ExpectLabelReadable(visit, files, 0);
    Keep(visit, open, "mp3-open");
    e2e::PressButton(open, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(open); }));
}

void VisitVideoFormat(Program& program, const Visit& visit)
{
    HWND format = program.OpenDialog(kVideoFormat, "Video Format");
    ASSERT_NE(format, nullptr);
    HWND sizes = e2e::FindChild(format, "ListBox");
    ExpectBackground(visit, sizes, "the sizes");
    const int chosen = static_cast<int>(e2e::SendWithTimeout(sizes, LB_GETCURSEL, 0, 0).value_or(0));
    ExpectReadable(visit, ListBoxRow(sizes, chosen), "the chosen size");
    ExpectReadable(visit, ListBoxRow(sizes, chosen == 0 ? 1 : 0));
    Keep(visit, format, "video-format");
    e2e::PressButton(format, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(format); }));
}

void VisitDesignLibrary(Program& program, const Visit& visit)
{
    HWND library = program.OpenDialog(kDesignManagement, "design management");
    ASSERT_NE(library, nullptr);
    HWND designs = ::GetDlgItem(library, kDesignList);
    const size_t shipped = program.DesignCount();
    ASSERT_GT(shipped, 0u);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListViewItemCount(designs) == static_cast<int>(shipped); }));
    ExpectBackground(visit, designs, "the designs");
    ExpectLabelReadable(visit, designs, 0);
    HWND menu = RightClickItem(program.Pid(), designs, 0);
    Keep(visit, library, "design-library");
    ExpectReadableMenu(visit, menu, 2, "design-menu");
    CloseMenu(menu);
    ::PostMessageA(library, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(library); }));
}

void VisitAlbum(Program& program, const Visit& visit)
{
    ASSERT_TRUE(program.ShowAlbumPage());
    HWND list = program.List();
    ExpectBackground(visit, list, "the album");
    ASSERT_TRUE(program.Click(0));
    ExpectLabelReadable(visit, list, 0, "the selected item");
    ExpectLabelReadable(visit, list, 1);
    const RECT second = ListLabel(list, 1);
    e2e::MoveCursor((second.left + second.right) / 2, (second.top + second.bottom) / 2);
    ExpectReadable(visit, second, "the hot item");
    Keep(visit, program.MainWindow(), "album");
    HWND menu = RightClickItem(program.Pid(), list, 0);
    ExpectReadableMenu(visit, menu, 3, "album-menu");
    // The menu is closed and its command given directly: a mouse move that
    // reaches the menu after its keys (the menu appeared under the cursor)
    // would take the highlight off the item a Return would choose.
    CloseMenu(menu);
    ::PostMessageA(::GetParent(list), WM_COMMAND, static_cast<WPARAM>(album_e2e::EMenuItem::Rename), 0);
    HWND rename = e2e::WaitForTopLevel(program.Pid(), "#32770", "Rename");
    ASSERT_NE(rename, nullptr);
    HWND edit = ::GetDlgItem(rename, album_e2e::kRenameEdit);
    e2e::SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("holiday"));
    ExpectBackground(visit, edit, "the new name");
    ExpectReadable(visit, e2e::ClientRectOnScreen(edit));
    Keep(visit, rename, "rename");
    e2e::PressButton(rename, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(rename); }));
    e2e::MoveCursor(1200, 1000);
}

// The window style dialog switches the look while the window's controls show.
void ChooseLook(Program& program, int radio)
{
    HWND dialog = program.OpenDialog(kWindowStyle, "Window Style Config");
    ASSERT_NE(dialog, nullptr);
    e2e::SendWithTimeout(::GetDlgItem(dialog, radio), BM_CLICK, 0, 0);
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }));
    e2e::WaitForPaintsDone(program.MainWindow());
}

struct Look {
    int radio;
    const char* name;
};
const Look kLooks[] = {
    {kSystemRadio, "system"}, {1004, "red"}, {1001, "Office"}, {1002, "apple"}, {kBlackRadio, "black"}};

TEST(SkinnedWindows, EveryWindowReadsInEveryLookAndShowsTheDarkSkin)
{
    Program program(nullptr);
    ASSERT_NE(program.MainWindow(), nullptr);
    ASSERT_TRUE(program.FillAlbum(3));
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        ChooseLook(program, look.radio);
        const Visit visit{LooksFolder() + look.name + "-", look.radio != kSystemRadio, look.radio == kBlackRadio};
        VisitSoundFileDialog(program, visit);
        VisitVideoFormat(program, visit);
        VisitDesignLibrary(program, visit);
        VisitAlbum(program, visit);
    }
}

TEST(SkinnedWindows, SwitchingLooksRecoloursWhatShowsAndSystemGivesThePlatformsLookBack)
{
    Program program(nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(program.FillAlbum(2));
    e2e::MoveCursor(1200, 1000);

    HWND path = e2e::ChildById(e2e::FindProgramPage(main, kMp3Path), kMp3Path);
    const auto pathBefore = SteadyClient(path);
    ASSERT_TRUE(pathBefore.has_value());
    ChooseLook(program, kBlackRadio);
    EXPECT_LT(BackgroundLightness(path), kDark) << "the edit box on the screen";
    ChooseLook(program, kSystemRadio);
    const auto pathAfter = SteadyClient(path);
    ASSERT_TRUE(pathAfter.has_value());
    EXPECT_TRUE(pathAfter->SamePixels(*pathBefore));

    ASSERT_TRUE(program.ShowAlbumPage());
    HWND list = program.List();
    const auto listBefore = SteadyClient(list);
    ASSERT_TRUE(listBefore.has_value());
    ChooseLook(program, kBlackRadio);
    EXPECT_LT(BackgroundLightness(list), kDark) << "the list on the screen";
    EXPECT_TRUE(LabelReads(list, 0));
    ChooseLook(program, kSystemRadio);
    const auto listAfter = SteadyClient(list);
    ASSERT_TRUE(listAfter.has_value());
    if (!listAfter->SamePixels(*listBefore)) {
        listBefore->SaveBmp(LooksFolder() + "system-list-before.bmp");
        listAfter->SaveBmp(LooksFolder() + "system-list-after.bmp");
    }
    EXPECT_TRUE(listAfter->SamePixels(*listBefore)) << "see system-list-*.bmp";
}

TEST(SkinnedWindows, GdiObjectsStayFlatOverRepaintsAndMenuOpenings)
{
    Program program("black.skin");
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(program.FillAlbum(3));
    ASSERT_TRUE(program.ShowAlbumPage());
    const DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
    const auto openAndClose = [&] {
        HWND menu = RightClickItem(program.Pid(), program.List(), 0);
        ASSERT_NE(menu, nullptr);
        ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        CloseMenu(menu);
    };
    const auto repaint = [&] {
        ::RedrawWindow(program.Page(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    for (int warmUp = 0; warmUp < 5; ++warmUp) {
        repaint();
        openAndClose();
    }
    ASSERT_TRUE(e2e::WaitForPaintsDone(main));
    const int before = e2e::CountGdiObjects(program.Process(), thread);
    ASSERT_GT(before, 0);
    for (int round = 0; round < 1000; ++round)
        repaint();
    for (int round = 0; round < 200; ++round)
        openAndClose();
    ASSERT_TRUE(e2e::WaitForPaintsDone(main));
    const int after = e2e::CountGdiObjects(program.Process(), thread);
    std::printf("GDI objects: %d before, %d after\n", before, after);
    EXPECT_LE(std::abs(after - before), 8);
}

} // namespace
