// Hours of a user's day in one running program, with the test camera:
// recordings with the microphone and an MP3 file through both compressors,
// pictures, design windows opened, dragged and closed, skins switched while
// the picture runs and while a recording captures, album entries renamed and
// deleted. After every step the main window must answer within a second, and
// every file made is handed to scripts/soak.sh, which judges it with ffmpeg
// or djpeg before the next step. The program's memory, GDI objects and
// handles are measured after the first round (the warm-up), after 25
// recordings and 100 pictures, and at the end, and printed as one table.
//
// Settings (environment): TAVRELIN_SOAK_MINUTES, TAVRELIN_SOAK_OUTPUT (the
// folder shared with soak.sh), TAVRELIN_SOAK_MP3, TAVRELIN_SOAK_DESIGN.
#include "AlbumPage.h"
#include "DesignDriver.h"
#include "GdiCensus.h"
#include "RecordingSession.h"
#include "SoakLimits.h"
#include "StackReport.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using namespace recording_e2e;
using Clock = std::chrono::steady_clock;

constexpr int kWindowStyle = 32774;
constexpr int kTakePictures = 32771;
// With the one taken over a design, four pictures a round.
constexpr int kPicturesPerRound = 3;
constexpr DWORD kCaptureMs = 1500;
constexpr DWORD kAnswerMs = 1000;
constexpr DWORD kHungMs = 20000;
// The window style dialog's radios, in the order the rounds go through them.
constexpr int kLooks[] = {1004, 1001, 1002, 1003, 1005};

std::string Setting(const char* name, const std::string& fallback = {})
{
    const std::string value = e2e::EnvironmentVariable(name);
    return value.empty() ? fallback : value;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// Handles of the process in the system's list of every open handle.
long CountHandles(DWORD pid)
{
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = ::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                                           static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<NTSTATUS>(0xC0000004L)) { // the buffer is too small
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
            continue;
        }
        if (status != 0)
            return -1;
        break;
    }
    const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    long count = 0;
    for (ULONG index = 0; index < list->Count; ++index)
        count += list->Handle[index].OwnerPid == pid;
    return count;
}

soak::Sample Measure(HANDLE process, HWND mainWindow)
{
    soak::Sample sample;
    PROCESS_MEMORY_COUNTERS memory{};
    if (::GetProcessMemoryInfo(process, &memory, sizeof memory))
        sample.memoryBytes = memory.WorkingSetSize;
    sample.handles = CountHandles(::GetProcessId(process));
    sample.gdiObjects = e2e::CountGdiObjects(process, ::GetWindowThreadProcessId(mainWindow, nullptr));
    return sample;
}

// The files the program made go to soak.sh one by one: a copy and a ".ready"
// mark, answered by ".ok" or ".bad".
class CFileJudge {
public:
    explicit CFileJudge(std::string folder) : m_folder(std::move(folder))
    {
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
    }

    bool Judge(const std::string& path)
    {
        const std::string copy = m_folder + "\\" + std::to_string(++m_count) + "-" + FileNameOf(path);
        if (!::CopyFileA(path.c_str(), copy.c_str(), FALSE)) {
            m_bad.push_back(path + ": can't be copied");
            return false;
        }
        std::ofstream(copy + ".ready").put('\n');
        bool ok = false;
        const bool answered = e2e::WaitUntil(
            [&] {
                ok = e2e::FileExists(copy + ".ok");
                return ok || e2e::FileExists(copy + ".bad");
            },
            e2e::Timeout{120000});
        if (!ok)
            m_bad.push_back(FileNameOf(copy) + (answered ? ": invalid" : ": no verdict"));
        return ok;
    }
    int Judged() const { return m_count; }
    const std::vector<std::string>& Bad() const { return m_bad; }

private:
    std::string m_folder;
    int m_count = 0;
    std::vector<std::string> m_bad;
};

class CSoakSession : public RecordingSession, public album_e2e::AlbumPage {
public:
    DWORD Pid() const override { return RecordingSession::Pid(); }
    HWND MainWindow() override { return RecordingSession::MainWindow(); }
};

class CSoakRun {
public:
    CSoakRun() : m_judge(e2e::ToWindowsPath(Setting("TAVRELIN_SOAK_OUTPUT")) + "\\check") {}

    void Run(std::chrono::minutes duration)
    {
        ASSERT_NE(m_session.MainWindow(), nullptr);
        ASSERT_TRUE(PrepareDesign());
        Sample("start");
        // Looks take turns every five rounds, sound and compressor pair up
        // every four: a cycle of twenty rounds meets every pairing once. The
        // warm-up is one such cycle, and the program is measured only at the
        // end of a cycle, so that what each look, sound and compressor keeps
        // once made is counted the same way each time.
        const auto end = Clock::now() + duration;
        const int warmUpRounds = static_cast<int>(std::size(kLooks)) * 4;
        for (int round = 0; Clock::now() < end || round < warmUpRounds || (round % warmUpRounds) != 0; ++round) {
            Round(round);
            if (::testing::Test::HasFatalFailure() || m_activity.hung)
                return;
            if (round + 1 == warmUpRounds)
                Sample("after warm-up");
            if (round + 1 == warmUpRounds + soak::kRecordingsToCount)
                Sample("after 25 recordings, 100 pictures");
        }
        Sample("end");
        ::PostMessageA(m_session.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
        const auto exitCode = m_session.Program().WaitForExit(e2e::Timeout{60000});
        EXPECT_TRUE(exitCode.has_value()) << "the program did not end after the soak";
        EXPECT_EQ(exitCode.value_or(1), 0u);
    }

    void Report() const
    {
        soak::Activity activity = m_activity;
        activity.filesJudged = m_judge.Judged();
        activity.invalidFiles = m_judge.Bad();
        std::ostringstream table;
        soak::PrintTable(table, m_samples, activity);
        std::fputs(table.str().c_str(), stdout);
        std::ofstream(e2e::ToWindowsPath(Setting("TAVRELIN_SOAK_OUTPUT")) + "\\soak-table.md") << table.str();
        for (const std::string& problem : soak::CheckLimits(m_samples, activity))
            ADD_FAILURE() << problem;
    }

private:
    void Sample(const char* moment)
    {
        m_samples.push_back({moment, Measure(m_session.Program().Process(), m_session.MainWindow())});
    }

    void Round(int round)
    {
        Record(round);
        for (int picture = 0; picture < kPicturesPerRound && !m_activity.hung; ++picture)
            TakePicture();
        OpenDragAndCloseDesign();
        SwitchSkin(round);
        RenameAndDelete(round);
    }

    // The main window answers within a second; a window that answers not
    // at all for twenty is hung, and its threads' stacks say where.
    void Answers(const char* after)
    {
        if (m_activity.hung)
            return;
        const auto started = Clock::now();
        DWORD_PTR result = 0;
        const bool answered =
            ::SendMessageTimeoutA(m_session.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, kHungMs, &result) != 0;
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
        if (answered && waited <= kAnswerMs)
            return;
        if (answered) {
            m_activity.slowAnswers.push_back(std::string(after) + ": " + std::to_string(waited) + " ms");
            return;
        }
        m_activity.hung = true;
        ADD_FAILURE() << "the main window did not answer for " << kHungMs << " ms after " << after << "\n"
                      << e2e::ThreadStacks(m_session.Pid());
    }

    bool PrepareDesign()
    {
        const std::string design = e2e::ToWindowsPath(Setting("TAVRELIN_SOAK_DESIGN"));
        m_strDesign = FileNameOf(design);
        return ::CopyFileA(design.c_str(), m_session.Folder().File("Design\\" + m_strDesign).c_str(), FALSE) != FALSE;
    }

    HWND OpenStyleDialog()
    {
        m_session.PostCommand(kWindowStyle);
        return e2e::WaitForTopLevel(m_session.Pid(), "#32770", "Window Style Config");
    }
    void CloseStyleDialog(HWND dialog)
    {
        ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); })) << "the window style dialog stays";
    }
    void ChooseLook(HWND dialog, int round)
    {
        const int radio = kLooks[static_cast<size_t>(round) % std::size(kLooks)];
        EXPECT_TRUE(e2e::SendWithTimeout(e2e::ChildById(dialog, radio), BM_CLICK, 0, 0).has_value());
        ++m_activity.skinSwitches;
    }

    // Sound and compressor take turns; every fifth recording switches the
    // skin while it captures, from a window style dialog opened before.
    void Record(int round)
    {
        if (round % 2 == 0)
            m_session.ChooseMike();
        else
            m_session.ChooseMp3(e2e::ToWindowsPath(Setting("TAVRELIN_SOAK_MP3")));
        const char* compressor = (round / 2) % 2 == 0 ? kFullFrames : kMotionJpeg;
        HWND style = round % 5 == 4 ? OpenStyleDialog() : nullptr;
        const std::vector<std::string> before = m_session.AlbumVideos();
        HWND dialog = m_session.StartAndWaitForDialog();
        ASSERT_NE(dialog, nullptr) << "no compressor dialog in round " << round;
        ASSERT_TRUE(m_session.AnswerDialog(dialog, compressor, IDOK));
        ::Sleep(kCaptureMs / 2);
        if (style)
            ChooseLook(style, round);
        ::Sleep(kCaptureMs / 2);
        Answers("capturing");
        ASSERT_TRUE(m_session.Command(camera_e2e::kEndRecord));
        const std::string video = m_session.WaitForNewVideo(before);
        ASSERT_FALSE(video.empty()) << "no video in round " << round;
        if (style)
            CloseStyleDialog(style);
        ++m_activity.recordings;
        m_strLastVideo = FileNameOf(video);
        Answers("a recording");
        m_judge.Judge(video);
    }

    void TakePicture()
    {
        const std::vector<std::string> before = e2e::FolderEntryNames(m_session.Folder().File("Album"));
        DWORD_PTR result = 0;
        ASSERT_TRUE(
            ::SendMessageTimeoutA(m_session.MainWindow(), WM_COMMAND, kTakePictures, 0, SMTO_NORMAL, kHungMs, &result))
            << "take pictures did not return";
        Answers("a picture");
        for (const std::string& name : e2e::FolderEntryNames(m_session.Folder().File("Album")))
            if (std::find(before.begin(), before.end(), name) == before.end()) {
                ++m_activity.pictures;
                m_strLastPicture = name;
                m_judge.Judge(m_session.AlbumFile(name));
                return;
            }
        ADD_FAILURE() << "take pictures made no file";
    }

    // A design over the camera picture for a picture, then closed by its menu.
    void OpenDragAndCloseDesign()
    {
        m_session.Command(design_e2e::kDesignManagement);
        HWND library = design_e2e::WaitForLibrary(m_session.Pid());
        ASSERT_NE(library, nullptr);
        ASSERT_TRUE(e2e::WaitUntil([&] { return design_e2e::AddToWindow(library, m_strDesign); }));
        std::vector<HWND> designs;
        ASSERT_TRUE(e2e::WaitUntil([&] { return (designs = design_e2e::DesignWindows(m_session.Pid())).size() == 1; }));
        e2e::PressButton(library, IDCANCEL);
        ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(library); }));
        const RECT box = e2e::ClientRectOnScreen(m_session.Control(camera_e2e::kDesignBox));
        const RECT design = e2e::WindowRect(designs[0]);
        const POINT grip{design.left + 10, design.top + 10};
        EXPECT_TRUE(e2e::DragReal(grip, POINT{box.left + 10, box.top + 10}));
        Answers("a design's drag");
        TakePicture();
        ::PostMessageA(designs[0], WM_COMMAND, design_e2e::kCloseDesign, 0);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(designs[0]); })) << "the design window stays";
        ++m_activity.designs;
        Answers("a design");
    }

    void SwitchSkin(int round)
    {
        HWND dialog = OpenStyleDialog();
        ASSERT_NE(dialog, nullptr);
        ChooseLook(dialog, round + 1);
        CloseStyleDialog(dialog);
        Answers("a skin switch");
    }

    // The newest picture gets a new name and goes; the video of the round
    // goes too, so the disk holds only a few.
    void RenameAndDelete(int round)
    {
        ASSERT_TRUE(m_session.ShowAlbumPage());
        const std::string renamed = "soak-" + std::to_string(round);
        ASSERT_TRUE(m_session.WaitForItem(m_strLastPicture));
        ASSERT_TRUE(m_session.Rename(m_session.IndexOf(m_strLastPicture), renamed));
        ASSERT_TRUE(m_session.WaitForItem(renamed + ".jpg"));
        for (const std::string& name : {renamed + ".jpg", m_strLastVideo}) {
            ASSERT_TRUE(m_session.ChooseFromMenu(m_session.IndexOf(name), album_e2e::EMenuItem::Delete)) << name;
            EXPECT_TRUE(m_session.WaitForItem(name, false)) << name;
            m_activity.albumChanges += 1;
        }
        m_activity.albumChanges += 1;
        Answers("album changes");
        ShowCameraPage();
    }

    void ShowCameraPage()
    {
        HWND tab = m_session.Tab();
        const std::optional<RECT> cameraTab = e2e::TabItemRect(tab, 0);
        ASSERT_TRUE(cameraTab.has_value());
        e2e::ClickClient(tab, (cameraTab->left + cameraTab->right) / 2, (cameraTab->top + cameraTab->bottom) / 2);
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(m_session.RecordingSession::Page()); }));
    }

    CSoakSession m_session;
    CFileJudge m_judge;
    std::string m_strDesign;
    std::string m_strLastVideo;
    std::string m_strLastPicture;
    std::vector<soak::NamedSample> m_samples;
    soak::Activity m_activity;
};

TEST(Soak, TheProgramStaysSteady)
{
    const int minutes = std::stoi(Setting("TAVRELIN_SOAK_MINUTES", "10"));
    CSoakRun run;
    run.Run(std::chrono::minutes(minutes));
    run.Report();
}

} // namespace
