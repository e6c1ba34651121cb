// The status strip on the main window while a recording captures and
// composes, the refused start while it composes, and closing the program
// then: it waits for the file. Screenshots of the strip are left in the
// output folder.
#include "RecordingSession.h"
#include "res/resource.h"

#include <functional>
#include <map>
#include <memory>
#include <type_traits>

namespace {

using namespace recording_e2e;
using camera_e2e::kEndRecord;
using camera_e2e::kStartRecord;

constexpr RECT kStripInClient{269, 73, 740, 89};
constexpr POINT kDotsInStrip{336 - 269, 0};
constexpr SIZE kDotsSize{400, 12};
constexpr int kSteps = IDB_STRIP_LAST - IDB_STRIP_FIRST + 1;

std::optional<e2e::ScreenImage> ShootStrip(HWND mainWindow)
{
    RECT onScreen = kStripInClient;
    ::MapWindowPoints(mainWindow, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
    return e2e::ScreenImage::Capture(onScreen);
}

// Every picture the strip can show, made the way the program makes it: the
// word in a memory context's default font, blue on the window's own
// background, and one of the program's dot rows (its own bitmaps) over it
// with blue as the transparent colour. A shot then shows a step only when it equals that
// step's picture pixel for pixel, so a word drawn over another or a half
// drawn row never passes for one.
class CStripPictures {
public:
    CStripPictures(const std::string& program, const e2e::ScreenImage& background)
        : m_module(::LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)), m_background(background)
    {}

    // The step the shot shows with the word; -1 when it shows none.
    int StepShown(const e2e::ScreenImage& shot, const std::string& word) const
    {
        auto made = m_pictures.find(word);
        if (made == m_pictures.end()) {
            std::vector<std::optional<e2e::ScreenImage>> steps;
            for (int step = 0; step < kSteps; ++step)
                steps.push_back(Draw(word.c_str(), step));
            made = m_pictures.emplace(word, std::move(steps)).first;
        }
        for (int step = 0; step < kSteps; ++step) {
            const auto& picture = made->second[static_cast<size_t>(step)];
            if (picture && picture->SamePixels(shot))
                return step;
        }
        return -1;
    }
    bool IsUsable() const { return m_module != nullptr; }

private:
    std::optional<e2e::ScreenImage> Draw(const char* word, int step) const
    {
        const int width = m_background.Width(), height = m_background.Height();
        HDC screen = ::GetDC(nullptr);
        e2e::UniqueMemoryDc canvas(::CreateCompatibleDC(screen));
        e2e::UniqueMemoryDc dots(::CreateCompatibleDC(screen));
        e2e::UniqueBitmap surface(::CreateCompatibleBitmap(screen, width, height));
        ::ReleaseDC(nullptr, screen);
        e2e::UniqueBitmap row(static_cast<HBITMAP>(
            ::LoadImageA(m_module.get(), MAKEINTRESOURCEA(IDB_STRIP_FIRST + step), IMAGE_BITMAP, 0, 0, 0)));
        if (!canvas || !dots || !surface || !row)
            return std::nullopt;
        e2e::SelectedObject onSurface(canvas.get(), surface.get());
        e2e::SelectedObject onRow(dots.get(), row.get());
        m_background.PaintTo(canvas.get());
        ::SetBkMode(canvas.get(), TRANSPARENT);
        ::SetTextColor(canvas.get(), RGB(0, 0, 255));
        ::TextOutA(canvas.get(), 0, 0, word, ::lstrlenA(word));
        ::TransparentBlt(canvas.get(), kDotsInStrip.x, kDotsInStrip.y, kDotsSize.cx, kDotsSize.cy, dots.get(), 0, 0,
                         kDotsSize.cx, kDotsSize.cy, RGB(0, 0, 255));
        return e2e::ScreenImage::CopyOf(canvas.get(), RECT{0, 0, width, height});
    }

    struct ModuleFree {
        void operator()(HMODULE module) const { ::FreeLibrary(module); }
    };
    std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFree> m_module;
    e2e::ScreenImage m_background;
    mutable std::map<std::string, std::vector<std::optional<e2e::ScreenImage>>> m_pictures;
};

// Shoots the strip until it shows a step of the word that the condition
// accepts; that step, or -1 at the deadline.
int WaitForStep(HWND mainWindow, const CStripPictures& pictures, const char* word,
                const std::function<bool(int)>& accept = {})
{
    int step = -1;
    std::optional<e2e::ScreenImage> shot;
    const bool shown = e2e::WaitUntil([&] {
        shot = ShootStrip(mainWindow);
        step = shot ? pictures.StepShown(*shot, word) : -1;
        return step >= 0 && (!accept || accept(step));
    });
    if (!shown && shot)
        shot->SaveBmp(OutputFile(std::string("strip-not-") + word + ".bmp"));
    return shown ? step : -1;
}

// The strip's area once the window has painted it and it stays so.
std::optional<e2e::ScreenImage> SteadyStrip(HWND mainWindow)
{
    return e2e::WaitForSteadyImage([mainWindow] { return ShootStrip(mainWindow); });
}

bool IsComplete(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

TEST(StatusStrip, RunningDotWhileRecordingThenErased)
{
    RecordingSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    const auto idle = SteadyStrip(main);
    ASSERT_TRUE(idle.has_value());
    idle->SaveBmp(OutputFile("strip-idle.bmp"));
    const CStripPictures pictures(session.Folder().File("Tavrelin.exe"), *idle);
    ASSERT_TRUE(pictures.IsUsable());

    const std::vector<std::string> before = session.AlbumVideos();
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
    const int first = WaitForStep(main, pictures, "recording");
    ASSERT_GE(first, 0) << "\"recording\" with a row of dots";
    // The red dot runs one place to the right at every step.
    const int next = (first + 1) % kSteps;
    EXPECT_EQ(WaitForStep(main, pictures, "recording", [&](int step) { return step == next; }), next);
    ShootStrip(main)->SaveBmp(OutputFile("strip-recording.bmp"));
    e2e::SaveWindowBmp(OutputFile("window-recording.bmp"), main);

    ASSERT_TRUE(session.Command(kEndRecord));
    ASSERT_FALSE(session.WaitForNewVideo(before).empty());
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto shot = ShootStrip(main);
        return shot && shot->SamePixels(*idle);
    })) << "the strip is erased when the file is complete";
}

TEST(Composing, ShowsComposeRefusesStartAndClosingWaitsForTheFile)
{
    RecordingSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    const auto idle = SteadyStrip(main);
    ASSERT_TRUE(idle.has_value());
    const CStripPictures pictures(session.Folder().File("Tavrelin.exe"), *idle);
    ASSERT_TRUE(pictures.IsUsable());
    session.ChooseMp3(OutputFile("long.mp3"));
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
    ASSERT_GE(WaitForStep(main, pictures, "recording"), 0);

    ASSERT_TRUE(session.Command(kEndRecord));
    const DWORD endedAt = ::GetTickCount();
    const std::string path = session.AlbumFile(VideoName(1));
    // "compose" alone on the window's background: the longer "recording"
    // has been erased, not written over.
    ASSERT_GE(WaitForStep(main, pictures, "compose"), 0)
        << "\"compose\" while the sound is added; file complete: " << IsComplete(path) << " after "
        << ::GetTickCount() - endedAt << " ms";
    ShootStrip(main)->SaveBmp(OutputFile("strip-compose.bmp"));
    e2e::SaveWindowBmp(OutputFile("window-compose.bmp"), main);

    // A second recording would take a number and, capturing, refuse the close.
    ASSERT_TRUE(session.Command(kStartRecord));
    ASSERT_FALSE(IsComplete(path)) << "still composing when the start arrived: the case is not exercised";
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(IsComplete(path)) << "still composing when the close was sent: the case is not exercised";
    EXPECT_EQ(e2e::FindTopLevel(session.Pid(), "#32770", "Video Compression"), nullptr);
    const auto exitCode = session.Program().WaitForExit(e2e::Timeout{120000});
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(IsComplete(path));
    EXPECT_EQ(session.Counter(), "1") << "the refused start took no number";
    EXPECT_EQ(e2e::FindMessageBox(session.Pid()), nullptr);
    EXPECT_EQ(session.AlbumVideos().size(), 1u);
    EXPECT_FALSE(e2e::FileExists(session.WaveTemp()));
    EXPECT_TRUE(KeepForChecks(path, "closed-while-composing.avi"));
}

} // namespace
