// The album page in the real program under Wine with the virtual camera: the
// listing, new pictures, rename, delete, the play box and "Open folder".
// Pictures of the play box are left for check-album.sh, which compares them
// with ImageMagick's fit of the same JPEG.
#include "AlbumSession.h"

#include <algorithm>
#include <fstream>
#include <functional>

namespace {

using namespace album_e2e;

void CopyIn(const std::string& album, const std::string& made, const std::string& name)
{
    ASSERT_TRUE(::CopyFileA(MadePicture(made).c_str(), (album + name).c_str(), FALSE)) << name;
}

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Names in the order the file system gives them for the pattern.
std::vector<std::string> FileSystemOrder(const std::string& album, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((album + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
}

TEST(Album, PicturesComeFirstThenVideosEachInTheFileSystemsOrder)
{
    std::string album;
    AlbumSession session([&](const std::string& folder) {
        album = folder;
        CopyIn(folder, "gradient.jpg", "zebra.jpg");
        WriteBytes(folder + "000002.avi", "not a video, listed all the same");
        CopyIn(folder, "white-shapes.jpg", "000001.jpg");
        WriteBytes(folder + "broken.jpg", "\xff\xd8 unreadable");
        WriteBytes(folder + "aardvark.avi", "RIFF");
        WriteBytes(folder + "notes.txt", "not listed");
    });
    ASSERT_NE(session.MainWindow(), nullptr);
    std::vector<std::string> expected = FileSystemOrder(album, "*.jpg");
    for (const std::string& video : FileSystemOrder(album, "*.avi"))
        expected.push_back(video);
    ASSERT_TRUE(e2e::WaitUntil([&] { return session.Items().size() == expected.size(); }));
    EXPECT_EQ(session.Items(), expected);

    // Each picture in its own slot, whatever the unreadable one before or
    // after it; white stays white (no mask colour).
    ASSERT_TRUE(session.ShowAlbumPage());
    const auto iconPixel = [&](const char* name, int x, int y) -> COLORREF {
        std::optional<RECT> bounds = e2e::ListViewItemRect(session.List(), session.IndexOf(name));
        if (!bounds)
            return CLR_INVALID;
        POINT at{bounds->left + x, bounds->top + y};
        ::ClientToScreen(session.List(), &at);
        return e2e::PixelAt(at.x, at.y);
    };
    const auto isRed = [](COLORREF c) { return GetRValue(c) > 230 && GetGValue(c) < 40 && GetBValue(c) < 40; };
    EXPECT_TRUE(e2e::WaitUntil([&] { return isRed(iconPixel("000001.jpg", 20, 15)); }))
        << std::hex << iconPixel("000001.jpg", 20, 15);
    // White as a JPEG decoder gives it back: a few steps off near an edge,
    // depending on whether the thumbnail was made now or read from the cache.
    const auto isWhite = [](COLORREF c) {
        return c != CLR_INVALID && GetRValue(c) > 240 && GetGValue(c) > 240 && GetBValue(c) > 240;
    };
    const auto isYellow = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80; };
    // Each thumbnail is waited for: they reach the screen one after another.
    const auto shows = [&](const char* name, int x, int y, const std::function<bool(COLORREF)>& is) {
        return e2e::WaitUntil([&] { return is(iconPixel(name, x, y)); }, e2e::Timeout{5000});
    };
    EXPECT_TRUE(shows("000001.jpg", 2, 2, isWhite)) << "the white of the picture";
    EXPECT_TRUE(shows("000001.jpg", 70, 2, isWhite));
    EXPECT_TRUE(shows("zebra.jpg", 40, 2, isYellow)) << "yellow: " << std::hex << iconPixel("zebra.jpg", 40, 2);
    EXPECT_TRUE(shows("broken.jpg", 40, 30, isWhite)) << "a blank slot";
}

TEST(Album, EmptyAlbumThenNewPicturesListedOnce)
{
    AlbumSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    EXPECT_TRUE(session.Items().empty());
    ASSERT_TRUE(session.TakePicture());
    ASSERT_TRUE(session.WaitForItem("000001.jpg"));
    ASSERT_TRUE(session.TakePicture());
    ASSERT_TRUE(session.WaitForItem("000002.jpg"));
    EXPECT_EQ(session.Items(), (std::vector<std::string>{"000001.jpg", "000002.jpg"}));

    // After a delete the next picture is listed once, below the other.
    ASSERT_TRUE(session.ShowAlbumPage());
    ASSERT_TRUE(session.ChooseFromMenu(0, EMenuItem::Delete));
    ASSERT_TRUE(session.WaitForItem("000001.jpg", false));
    EXPECT_FALSE(e2e::FileExists(session.AlbumFile("000001.jpg"))) << "really gone";
    EXPECT_EQ(e2e::FindMessageBox(session.Pid()), nullptr) << "no question asked";
    ASSERT_TRUE(session.TakePicture());
    ASSERT_TRUE(session.WaitForItem("000003.jpg"));
    EXPECT_EQ(session.Items().size(), 2u) << "each picture listed once";

    // Pictures that arrive while the list is shown each get a place of their
    // own, below the others, more than the list shows at once; the last one
    // can be scrolled to, and a click there picks it.
    for (int picture = 0; picture < 6; ++picture)
        ASSERT_TRUE(session.TakePicture());
    ASSERT_TRUE(session.WaitForItem("000009.jpg"));
    std::optional<RECT> above;
    for (int item = 0; item < 8; ++item) {
        const std::optional<RECT> bounds = e2e::ListViewItemRect(session.List(), item);
        ASSERT_TRUE(bounds);
        if (above)
            EXPECT_GE(bounds->top, above->bottom) << "item " << item;
        above = bounds;
    }
    EXPECT_TRUE(session.Click(7));
}

// The album is told the real name: with Config.ini unwritable the counter
// stays behind and the picture goes to the next free number.
TEST(Album, NewPictureListedByItsRealNameWhenConfigIsUnwritable)
{
    AlbumSession session([](const std::string& folder) {
        CopyIn(folder, "white-shapes.jpg", "000001.jpg");
        const std::string ini = folder + "..\\Config.ini";
        ::DeleteFileA(ini.c_str());
        ::CreateDirectoryA(ini.c_str(), nullptr);
    });
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForItem("000001.jpg"));
    ASSERT_TRUE(session.TakePicture());
    ASSERT_TRUE(session.WaitForItem("000002.jpg"));
    ASSERT_TRUE(session.TakePicture());
    ASSERT_TRUE(session.WaitForItem("000003.jpg"));
    EXPECT_EQ(session.Items(), (std::vector<std::string>{"000001.jpg", "000002.jpg", "000003.jpg"}));
}

TEST(Album, RenameMovesTheFileFirstAndRefusesNamesOutsideTheFolder)
{
    AlbumSession session([](const std::string& folder) {
        CopyIn(folder, "white-shapes.jpg", "000003.jpg");
        CopyIn(folder, "gradient.jpg", "000004.jpg");
    });
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.ShowAlbumPage());
    ASSERT_TRUE(session.WaitForItem("000004.jpg"));
    const std::optional<std::string> bytes = e2e::ReadWholeFile(session.AlbumFile("000003.jpg"));
    struct Case {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"holiday", "holiday.jpg"},    {"holiday.jpg", "holiday.jpg"}, {"HOLIDAY.JPG", "HOLIDAY.JPG.jpg"},
        {"..\\up", "HOLIDAY.JPG.jpg"}, {"con", "HOLIDAY.JPG.jpg"},     {"a*b", "HOLIDAY.JPG.jpg"},
        {"..", "HOLIDAY.JPG.jpg"},     {"000004", "HOLIDAY.JPG.jpg"},
    };
    std::string current = "000003.jpg";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const int item = session.IndexOf(current);
        ASSERT_GE(item, 0);
        ASSERT_TRUE(session.Rename(item, c.typed));
        EXPECT_EQ(session.Items()[static_cast<size_t>(item)], c.expected);
        EXPECT_EQ(e2e::ReadWholeFile(session.AlbumFile(c.expected)), bytes) << "the file's bytes are unchanged";
        if (current != c.expected)
            EXPECT_FALSE(e2e::FileExists(session.AlbumFile(current)));
        current = c.expected;
    }
    EXPECT_FALSE(e2e::FileExists(session.ProgramFile("up.jpg")));
    EXPECT_TRUE(e2e::FileExists(session.AlbumFile("000004.jpg"))) << "never overwritten";
    EXPECT_EQ(session.Items().size(), 2u);
}

// The play box shows the clicked picture scaled to fit, and the picture on
// show can be renamed and deleted (nothing holds its file).
TEST(Album, ClickShowsThePictureAndItsFileStaysFree)
{
    AlbumSession session([](const std::string& folder) {
        CopyIn(folder, "white-shapes.jpg", "000001.jpg");
        CopyIn(folder, "gradient.jpg", "000002.jpg");
    });
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.ShowAlbumPage());
    ASSERT_TRUE(session.WaitForItem("000002.jpg"));
    const RECT box = e2e::ClientRectOnScreen(session.PlayBox());
    const POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    for (const char* name : {"000001.jpg", "000002.jpg"}) {
        // The picture is in once the box's middle changes: from the empty
        // box's black, then from the first picture's white. The box is read
        // once it has settled: the page may still be painting it.
        const auto settled = e2e::WaitForSteadyImage([&] { return e2e::ScreenImage::Capture(box); });
        ASSERT_TRUE(settled.has_value());
        const COLORREF before = settled->Pixel(middle.x - box.left, middle.y - box.top);
        ASSERT_TRUE(session.Click(session.IndexOf(name)));
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::PixelAt(middle.x, middle.y) != before; }));
        const auto shown = e2e::WaitForSteadyImage([&] { return e2e::ScreenImage::Capture(box); });
        ASSERT_TRUE(shown.has_value()) << "the play box settles";
        const std::string stem = std::string("play-box-") + name;
        ASSERT_TRUE(shown->SaveBmp(OutputFolder() + "\\" + stem + ".bmp"));
        ::CopyFileA(session.AlbumFile(name).c_str(), (OutputFolder() + "\\" + stem + ".source.jpg").c_str(), FALSE);
    }
    e2e::SaveWindowBmp(OutputFolder() + "\\album-page.bmp", session.MainWindow());
    ASSERT_TRUE(session.Rename(session.IndexOf("000002.jpg"), "shown"));
    EXPECT_TRUE(session.WaitForItem("shown.jpg"));
    ASSERT_TRUE(session.Click(session.IndexOf("shown.jpg")));
    ASSERT_TRUE(session.ChooseFromMenu(session.IndexOf("shown.jpg"), EMenuItem::Delete));
    EXPECT_TRUE(session.WaitForItem("shown.jpg", false));
    EXPECT_FALSE(e2e::FileExists(session.AlbumFile("shown.jpg")));
}

// Wine's control draws only a placeholder, but it is hosted in the play box
// and takes the clicked file without a crash; the file can then be deleted.
TEST(Album, MediaPlayerControlTakesTheClickedFile)
{
    AlbumSession session([](const std::string& folder) { CopyIn(folder, "gradient.jpg", "000001.jpg"); }, "control");
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.ShowAlbumPage());
    ASSERT_TRUE(session.WaitForItem("000001.jpg"));
    EXPECT_NE(e2e::FindChild(session.Page(), "AtlAxWin"), nullptr) << "the control's container";
    EXPECT_FALSE(e2e::IsVisible(session.PlayBox())) << "in the placeholder's place";
    ASSERT_TRUE(session.Click(0));
    ASSERT_TRUE(session.ChooseFromMenu(0, EMenuItem::Delete));
    EXPECT_TRUE(session.WaitForItem("000001.jpg", false));
    EXPECT_TRUE(session.Program().IsRunning());
}

// GDI+ goes with the main window: the thread still making pictures and the
// video on show are stopped first, so the program ends cleanly.
TEST(Album, ClosingWhilePicturesAreMadeEndsCleanly)
{
    AlbumSession session([](const std::string& folder) {
        for (int number = 1; number <= 300; ++number)
            CopyIn(folder, "gradient.jpg", std::to_string(number) + ".jpg");
    });
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForItem("300.jpg"));
    EXPECT_EQ(session.Program().Close(e2e::Timeout{20000}), 0u);
}

TEST(Album, OpenFolderShowsTheAlbumInTheShell)
{
    AlbumSession session([](const std::string& folder) { CopyIn(folder, "gradient.jpg", "000001.jpg"); });
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.ShowAlbumPage());
    ASSERT_TRUE(session.WaitForItem("000001.jpg"));
    ASSERT_TRUE(session.ChooseFromMenu(0, EMenuItem::OpenFolder));
    HWND shell = e2e::WaitForWindow([] { return ::FindWindowA(nullptr, "Album"); });
    ASSERT_NE(shell, nullptr) << "a window titled Album";
    ::PostMessageA(shell, WM_CLOSE, 0, 0);
}

} // namespace
