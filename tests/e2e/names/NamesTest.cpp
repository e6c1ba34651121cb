// The program unpacked where every name is outside the ANSI code page, as on
// most users' machines: a program folder under "Пользователь\写真", an album
// picture, a rename, an MP3 file and a design named in Cyrillic and Chinese.
// The test itself runs with UTF-8 as its code page (its manifest), so the
// names it writes and reads are the bytes the program's narrow calls see.
#include "AlbumPage.h"
#include "DesignDriver.h"
#include "RecordingSession.h"

#include <fstream>

namespace {

constexpr char kFolder[] = "Пользователь\\写真\\Tavrelin";
constexpr char kPicture[] = "Отпуск 夏.jpg";
constexpr char kVideoTyped[] = "Зима 冬";
constexpr char kVideo[] = "Зима 冬.avi";
constexpr char kDesign[] = "Дизайн 设计.gif";
constexpr char kMp3[] = "Песня 歌.mp3";

std::string OutputFolder()
{
    static const std::string folder = [] {
        const std::string path = e2e::ToWindowsPath(NAMES_OUTPUT_DIR);
        e2e::RemoveFolder(path);
        ::CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }();
    return folder;
}

bool IsDark(COLORREF c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; }

// The program in the folder named in two scripts, with its files so named.
class NamedEverywhere : public recording_e2e::RecordingSession, public album_e2e::AlbumPage {
public:
    NamedEverywhere() : RecordingSession(camera_e2e::Camera::Virtual, Prepare, kFolder) {}
    DWORD Pid() const override { return RecordingSession::Pid(); }
    HWND MainWindow() override { return RecordingSession::MainWindow(); }

private:
    static void Prepare(const e2e::ProgramCopy& copy)
    {
        std::ofstream(copy.File("Config.ini"), std::ios::binary) << "[CONFIG]\r\nSKIN=black.skin\r\nJPGSUM=41\r\n";
        ::CopyFileA((e2e::ToWindowsPath(ALBUM_PICTURES_DIR) + "\\gradient.jpg").c_str(),
                    copy.File(std::string("Album\\") + kPicture).c_str(), FALSE);
        ::CopyFileA(copy.File("Design\\hearts.gif").c_str(), copy.File(std::string("Design\\") + kDesign).c_str(),
                    FALSE);
        ::CopyFileA(recording_e2e::OutputFile("short.mp3").c_str(), copy.File(kMp3).c_str(), FALSE);
    }
};

TEST(Names, FolderFilesRenameMp3AndDesignInAnyScript)
{
    NamedEverywhere program;
    ASSERT_NE(program.MainWindow(), nullptr);
    ASSERT_NE(program.Folder().Path().find(kFolder), std::string::npos);

    // Config.ini was found: the black skin paints the window, and the next
    // picture follows the stored counter.
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto client = e2e::ScreenImage::Capture(e2e::ClientRectOnScreen(program.MainWindow()));
        return client && e2e::Luminance(e2e::ColoursOf(*client).background) < 0.05;
    })) << "the black skin's background";
    ASSERT_TRUE(program.WaitForItem(kPicture));
    ASSERT_TRUE(program.TakePicture());
    EXPECT_TRUE(program.WaitForItem("000042.jpg"));

    ASSERT_TRUE(program.ShowAlbumPage());
    const int picture = program.IndexOf(kPicture);
    EXPECT_TRUE(program.ShowsGradient(picture)) << "its thumbnail shows";
    // A long name: 150 characters of three bytes each, far past 260 bytes.
    std::string longName;
    for (int i = 0; i < 150; ++i)
        longName += "冬";
    ASSERT_TRUE(program.Rename(picture, longName));
    ASSERT_TRUE(program.WaitForItem(longName + ".jpg"));
    EXPECT_TRUE(e2e::FileExists(program.AlbumFile(longName + ".jpg")));
    ASSERT_TRUE(program.ChooseFromMenu(program.IndexOf(longName + ".jpg"), album_e2e::EMenuItem::Delete));
    EXPECT_TRUE(program.WaitForItem(longName + ".jpg", false));
    EXPECT_FALSE(e2e::FileExists(program.AlbumFile(longName + ".jpg")));

    // A video with the sound of the MP3 file, renamed, then played.
    program.ChooseMp3(program.Folder().File(kMp3));
    const std::string video = program.Record(2500);
    ASSERT_FALSE(video.empty());
    ASSERT_TRUE(::CopyFileA(video.c_str(), (OutputFolder() + "\\mp3-named-in-any-script.avi").c_str(), FALSE));
    ASSERT_TRUE(program.WaitForItem("000001.avi"));
    ASSERT_TRUE(program.Rename(program.IndexOf("000001.avi"), kVideoTyped));
    ASSERT_TRUE(program.WaitForItem(kVideo));
    EXPECT_TRUE(e2e::FileExists(program.AlbumFile(kVideo)));
    ASSERT_TRUE(program.AlbumPage::Click(program.IndexOf(kVideo)));
    const RECT box = e2e::ClientRectOnScreen(program.PlayBox());
    EXPECT_TRUE(e2e::WaitUntil([&] {
        return !IsDark(e2e::PixelAt((box.left + box.right) / 2, (box.top + box.bottom) / 2));
    })) << "the video plays in the box";

    // The design library lists the design and opens its window.
    ::PostMessageA(program.MainWindow(), WM_COMMAND, design_e2e::kDesignManagement, 0);
    HWND library = design_e2e::WaitForLibrary(program.Pid());
    ASSERT_NE(library, nullptr);
    ASSERT_TRUE(design_e2e::AddToWindow(library, kDesign));
    EXPECT_TRUE(e2e::WaitUntil([&] { return design_e2e::DesignWindows(program.Pid()).size() == 1; }));
}

} // namespace
