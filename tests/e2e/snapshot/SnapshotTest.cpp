// "take pictures" in the real program under Wine with the virtual camera:
// numbered JPEG files in the album, the counter, the picture size of the
// driver's format, no picture without a camera, no earlier picture lost when
// Config.ini can't be written, and the notice on the main window. The JPEG
// files are copied out with an .expect file each and decoded afterwards by
// djpeg and ImageMagick (check-jpeg.sh).
#include "SnapshotSupport.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace {

using namespace camera_e2e;
using namespace snapshot_e2e;

// How long a notice that should not come is watched for: it would stay half
// a second.
constexpr e2e::Timeout kNoNoticeWatch{1500};
constexpr POINT kNoticeDiscCentre{kNoticeArea.left + 9, kNoticeArea.top + 9};

void ChooseFormat(CameraSession& session, int choice)
{
    session.PostCommand(kVideoFormat);
    HWND dialog = e2e::WaitForTopLevel(session.Pid(), "#32770", "Video Format");
    ASSERT_NE(dialog, nullptr);
    e2e::SendWithTimeout(::GetDlgItem(dialog, kChoiceList), LB_SETCURSEL, choice, 0);
    ASSERT_TRUE(e2e::PressButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog) && ::IsWindowEnabled(session.MainWindow()); }));
}

TEST(Snapshot, TwoPicturesWithoutCounterAreNumberedOneAndTwo)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(WaitForLivePicture(session));
    ASSERT_EQ(ReadCounter(session), "<absent>");

    ASSERT_TRUE(TakePicture(session));
    EXPECT_EQ(AlbumEntries(session), std::vector<std::string>{"000001.jpg"});
    EXPECT_EQ(ReadCounter(session), "1");
    ASSERT_TRUE(TakePicture(session));
    EXPECT_EQ(AlbumEntries(session), (std::vector<std::string>{"000001.jpg", "000002.jpg"}))
        << "both pictures kept, no tmp.bmp left";
    EXPECT_EQ(ReadCounter(session), "2");
    EXPECT_EQ(ReadCounter(session, "AVISUM"), "<absent>") << "the video counter is another";

    ExportPicture(AlbumFile(session, "000001.jpg"), "first-320x240", 320, 240);
    ExportPicture(AlbumFile(session, "000002.jpg"), "second-320x240", 320, 240);
}

TEST(Snapshot, PicturesHaveTheSizeOfTheDriversFormat)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(WaitForLivePicture(session));
    struct Format {
        int choice;
        int width;
        int height;
    };
    int number = 0;
    for (const Format& format : {Format{2, 640, 480}, Format{0, 160, 120}}) {
        ASSERT_NO_FATAL_FAILURE(ChooseFormat(session, format.choice));
        ASSERT_TRUE(WaitForLivePicture(session));
        ASSERT_TRUE(TakePicture(session));
        char name[16];
        std::snprintf(name, sizeof name, "%06d.jpg", ++number);
        ASSERT_TRUE(e2e::FileExists(AlbumFile(session, name))) << name;
        ExportPicture(AlbumFile(session, name),
                      "format-" + std::to_string(format.width) + "x" + std::to_string(format.height), format.width,
                      format.height);
    }
    EXPECT_EQ(AlbumEntries(session).size(), 2u);
}

// Pixels where two grabs of the same rectangle differ.
size_t DifferingPixels(const e2e::ScreenImage& a, const e2e::ScreenImage& b)
{
    size_t count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            count += a.Pixel(x, y) != b.Pixel(x, y);
    return count;
}

TEST(Snapshot, WithoutCameraNothingIsMadeAndTheCounterStaysAbsent)
{
    CameraSession session(Camera::None);
    HWND box = e2e::WaitForMessageBox(session.Pid());
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(e2e::MessageBoxText(box), "Not Discover PC Camrea");
    ASSERT_TRUE(e2e::PressButton(box, IDOK));
    ASSERT_NE(session.MainWindow(), nullptr);

    ASSERT_TRUE(TakePicture(session));
    ASSERT_TRUE(TakePicture(session));
    EXPECT_TRUE(AlbumEntries(session).empty()) << "no picture, no temporary file";
    EXPECT_EQ(ReadCounter(session), "<absent>");
    EXPECT_EQ(e2e::FindMessageBox(session.Pid()), nullptr) << "refused silently";
}

// Ways to make Config.ini unwritable for the program (a read-only attribute
// does not stop Wine running as root). Each returns what keeps it so.
e2e::UniqueHandle KeepOpenWithoutWriteSharing(const std::string& ini)
{
    ::WritePrivateProfileStringA("CONFIG", "JPGSUM", "0", ini.c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    return e2e::UniqueHandle(
        ::CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

e2e::UniqueHandle PutAFolderInItsPlace(const std::string& ini)
{
    ::DeleteFileA(ini.c_str());
    ::CreateDirectoryA(ini.c_str(), nullptr);
    return e2e::UniqueHandle(::CreateFileA(ini.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// While Config.ini can't be written the stored counter stays behind; each
// picture goes to the next free number instead of replacing the user's
// earlier one. The user is told once a run.
TEST(Snapshot, UnwritableConfigNeverReplacesAnEarlierPicture)
{
    const struct {
        const char* name;
        e2e::UniqueHandle (*makeUnwritable)(const std::string& ini);
    } cases[] = {{"held-open-config", KeepOpenWithoutWriteSharing}, {"folder-as-config", PutAFolderInItsPlace}};
    for (const auto& unwritable : cases) {
        SCOPED_TRACE(unwritable.name);
        CameraSession session;
        const std::string ini = session.Folder().File("Config.ini");
        e2e::UniqueHandle keeper = unwritable.makeUnwritable(ini);
        ASSERT_NE(keeper.get(), INVALID_HANDLE_VALUE);
        const std::optional<std::string> configBefore = e2e::ReadWholeFile(ini);
        const std::string earlier = "the user's earlier picture";
        std::ofstream(AlbumFile(session, "000001.jpg"), std::ios::binary) << earlier;

        ASSERT_NE(session.MainWindow(), nullptr);
        ASSERT_TRUE(WaitForLivePicture(session));
        ASSERT_TRUE(TakePicture(session));
        ASSERT_TRUE(TakePicture(session));
        // Posted after the second picture's word: once this picture is there,
        // that word has been handled.
        ::PostMessageA(session.MainWindow(), WM_COMMAND, kTakePictures, 0);
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(AlbumFile(session, "000004.jpg")); }));
        std::vector<HWND> boxes;
        for (HWND window : e2e::AllTopLevel(session.Pid()))
            if (e2e::IsVisible(window) && e2e::IsMessageBox(window))
                boxes.push_back(window);
        ASSERT_EQ(boxes.size(), 1u) << "one word for three pictures";
        EXPECT_EQ(e2e::MessageBoxText(boxes[0]), "Can not write Config.ini!");
        EXPECT_TRUE(e2e::PressButton(boxes[0], IDOK));

        EXPECT_TRUE(e2e::ReadWholeFile(AlbumFile(session, "000001.jpg")) == earlier) << "the earlier picture is kept";
        EXPECT_EQ(AlbumEntries(session),
                  (std::vector<std::string>{"000001.jpg", "000002.jpg", "000003.jpg", "000004.jpg"}));
        keeper.reset();
        EXPECT_EQ(e2e::ReadWholeFile(ini), configBefore) << "Config.ini really was not written";
        ExportPicture(AlbumFile(session, "000003.jpg"), unwritable.name, 320, 240);
    }
}

// The program in the folder that prepare-unwritable-album.sh made: its album
// holds "000001.jpg" as a link to a place that does not exist, so the name
// looks free but the JPEG file can't be created, while "tmp.bmp" can.
class ProgramWithUnwritablePicture {
public:
    ProgramWithUnwritablePicture()
        : m_program(
              e2e::LaunchOptions{Folder() + "\\Tavrelin.exe", "/Embedding", {{"TAVRELIN_CAMERA", "test"}}, Folder()})
    {}
    static std::string Folder() { return e2e::ToWindowsPath(SNAPSHOT_UNWRITABLE_DIR); }
    DWORD Pid() const { return m_program.Pid(); }

private:
    e2e::RunningProgram m_program;
};

TEST(Snapshot, PictureFileThatCannotBeCreatedIsReportedAndLeavesNothing)
{
    ProgramWithUnwritablePicture program;
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    ASSERT_NE(main, nullptr);
    const std::string album = program.Folder() + "\\Album";
    ASSERT_TRUE(e2e::FolderEntryNames(album).empty()) << "a link that leads nowhere is not listed";
    // A counter left by an earlier run would move the picture past the link.
    ::DeleteFileA((program.Folder() + "\\Config.ini").c_str());
    ::PostMessageA(main, WM_COMMAND, kTakePictures, 0);

    HWND box = e2e::WaitForMessageBox(program.Pid());
    ASSERT_NE(box, nullptr) << e2e::DescribeTopLevel(program.Pid());
    EXPECT_EQ(e2e::MessageBoxText(box), "Can not create jpg file!");
    EXPECT_EQ(e2e::Caption(box), "Tavrelin");
    ASSERT_TRUE(e2e::PressButton(box, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(box); }));
    EXPECT_FALSE(NoticeAppears(main, kNoNoticeWatch)) << "no notice for a picture that was not made";
    DWORD_PTR answer = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer)) << "the command has ended";
    EXPECT_TRUE(e2e::FolderEntryNames(album).empty()) << "no picture, no temporary file left";
}

// A picture that can't be made says so, leaves no file and no notice, and
// the window goes on answering: the album folder gone while the program
// runs, a counter with no number left after it.
TEST(Snapshot, APictureThatCannotBeMadeIsToldAndLeavesNoFile)
{
    const struct {
        const char* name;
        const char* config;
        bool removeAlbum;
        const char* counterAfter;
    } cases[] = {{"album folder gone", "[CONFIG]\r\nJPGSUM=6\r\n", true, "7"},
                 {"no number left", "[CONFIG]\r\nJPGSUM=2147483647\r\n", false, "2147483647"}};
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.name);
        CameraSession session(Camera::Virtual, [&](const e2e::ProgramCopy& copy) {
            std::ofstream(copy.File("Config.ini"), std::ios::binary) << failure.config;
        });
        ASSERT_NE(session.MainWindow(), nullptr);
        ASSERT_TRUE(WaitForLivePicture(session));
        if (failure.removeAlbum)
            ASSERT_TRUE(e2e::RemoveFolder(session.Folder().File("Album")));
        ::PostMessageA(session.MainWindow(), WM_COMMAND, kTakePictures, 0);
        HWND box = e2e::WaitForMessageBox(session.Pid());
        ASSERT_NE(box, nullptr) << e2e::DescribeTopLevel(session.Pid());
        EXPECT_EQ(e2e::MessageBoxText(box), "Can not create jpg file!");
        ASSERT_TRUE(e2e::PressButton(box, IDOK));
        DWORD_PTR answer = 0;
        ASSERT_TRUE(::SendMessageTimeoutA(session.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer));
        EXPECT_TRUE(AlbumEntries(session).empty()) << "no picture, no temporary file";
        EXPECT_EQ(ReadCounter(session), failure.counterAfter);
    }
}

// The notice as the user sees it: the red disc with its blue corners taken as
// transparent, blue text to its right; gone again after its half second.
TEST(Snapshot, NoticeShowsTheDiscAndTextThenDisappears)
{
    CameraSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForLivePicture(session));
    const RECT notice = NoticeAreaOnScreen(main);
    const auto before = e2e::WaitForSteadyImage([&] { return e2e::ScreenImage::Capture(notice); });
    ASSERT_TRUE(before.has_value());
    e2e::SaveWindowBmp(OutputFolder() + "\\before-notice-window.bmp", main);

    std::optional<e2e::ScreenImage> shown;
    session.PostCommand(kTakePictures);
    ASSERT_TRUE(e2e::WaitUntil([&] {
        shown = e2e::ScreenImage::Capture(notice);
        return shown && BlueTextPixels(*shown) > BlueTextPixels(*before) + 50;
    })) << "blue text appears";
    e2e::SaveWindowBmp(OutputFolder() + "\\notice-window.bmp", main);

    const POINT disc{kNoticeDiscCentre.x - kNoticeArea.left, kNoticeDiscCentre.y - kNoticeArea.top};
    const COLORREF centre = shown->Pixel(disc.x, disc.y);
    EXPECT_TRUE(GetRValue(centre) > 150 && GetRValue(centre) > 2 * GetGValue(centre) &&
                GetRValue(centre) > 2 * GetBValue(centre))
        << "the disc is red: " << std::hex << centre;
    for (const POINT corner : {POINT{0, 0}, POINT{18, 0}, POINT{0, 18}, POINT{18, 18}})
        EXPECT_EQ(shown->Pixel(corner.x, corner.y), before->Pixel(corner.x, corner.y))
            << "the icon's blue corner is transparent at " << corner.x << "," << corner.y;

    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto after = e2e::ScreenImage::Capture(notice);
        return after && DifferingPixels(*after, *before) == 0;
    })) << "the notice goes away";
    EXPECT_EQ(AlbumEntries(session), std::vector<std::string>{"000001.jpg"});
}

} // namespace
