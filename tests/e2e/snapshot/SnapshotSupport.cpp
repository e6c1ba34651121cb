#include "SnapshotSupport.h"

#include "camera/TestPattern.h"

#include <cstdio>
#include <fstream>

namespace snapshot_e2e {

namespace {

constexpr DWORD kCommandAnswerMs = 20000;

// Earlier runs' files would be checked again and could hide a missing one.
class EmptyOutputFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        e2e::RemoveFolder(OutputFolder());
        ::CreateDirectoryA(OutputFolder().c_str(), nullptr);
    }
};
const auto* const g_emptyOutputFolder = ::testing::AddGlobalTestEnvironment(new EmptyOutputFolder);

} // namespace

std::string OutputFolder() { return e2e::ToWindowsPath(SNAPSHOT_OUTPUT_DIR); }

std::string ReadCounter(camera_e2e::CameraSession& session, const char* key)
{
    char value[260] = {};
    ::GetPrivateProfileStringA("CONFIG", key, "<absent>", value, sizeof value,
                               session.Folder().File("Config.ini").c_str());
    return value;
}

std::string AlbumFile(camera_e2e::CameraSession& session, const std::string& name)
{
    return session.Folder().File("Album\\" + name);
}

std::vector<std::string> AlbumEntries(camera_e2e::CameraSession& session)
{
    return e2e::FolderEntryNames(session.Folder().File("Album"));
}

bool TakePicture(camera_e2e::CameraSession& session)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(session.MainWindow(), WM_COMMAND, kTakePictures, 0, SMTO_NORMAL, kCommandAnswerMs,
                                 &result) != 0;
}

bool WaitForLivePicture(camera_e2e::CameraSession& session)
{
    return e2e::WaitUntil([&] {
        const RECT box = e2e::ClientRectOnScreen(session.Control(camera_e2e::kDesignBox));
        return e2e::PixelAt(box.left + 3 * 40 + 20, box.top + 100) == RGB(0, 255, 0);
    });
}

RECT NoticeAreaOnScreen(HWND mainWindow)
{
    RECT area = kNoticeArea;
    ::MapWindowPoints(mainWindow, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

size_t BlueTextPixels(const e2e::ScreenImage& noticeArea)
{
    constexpr int kTextLeft = 25;
    size_t count = 0;
    for (int y = 0; y < noticeArea.Height(); ++y)
        for (int x = kTextLeft; x < noticeArea.Width(); ++x)
            count += noticeArea.Pixel(x, y) == RGB(0, 0, 255);
    return count;
}

bool NoticeAppears(HWND mainWindow, e2e::Timeout timeout)
{
    constexpr size_t kTextPixels = 50;
    const RECT area = NoticeAreaOnScreen(mainWindow);
    return e2e::WaitUntil(
        [&] {
            const auto shown = e2e::ScreenImage::Capture(area);
            return shown && BlueTextPixels(*shown) > kTextPixels;
        },
        timeout);
}

void ExportPicture(const std::string& picturePath, const std::string& exportName, int width, int height)
{
    const std::string target = OutputFolder() + "\\" + exportName;
    ASSERT_TRUE(::CopyFileA(picturePath.c_str(), (target + ".jpg").c_str(), FALSE)) << picturePath;
    std::ofstream expect(target + ".expect", std::ios::binary);
    expect << "size " << width << ' ' << height << "\nquality 100\n";
    for (int bar = 0; bar < 8; ++bar) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "%06X", static_cast<unsigned>(kColourBars[bar]));
        expect << "colour " << (40 * bar + 20) * width / 320 << ' ' << 100 * height / 240 << ' ' << colour << " 8\n";
    }
}

} // namespace snapshot_e2e
