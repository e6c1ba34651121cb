#include "RecordingSession.h"

#include <commctrl.h>

#include <algorithm>

namespace recording_e2e {

namespace {

constexpr e2e::Timeout kDialogWait{4000};
constexpr int kStartTries = 8;

} // namespace

std::string OutputFolder()
{
    static const std::string folder = [] {
        const std::string path = e2e::ToWindowsPath(RECORDING_OUTPUT_DIR);
        ::CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }();
    return folder;
}

std::string OutputFile(const std::string& name) { return OutputFolder() + "\\" + name; }

std::string VideoName(int number)
{
    char name[32] = {};
    ::wsprintfA(name, "%06d.avi", number);
    return name;
}

std::string RecordingSession::Counter()
{
    char text[64] = {};
    ::GetPrivateProfileStringA("CONFIG", "AVISUM", "", text, sizeof text, IniPath().c_str());
    return text;
}

std::vector<std::string> RecordingSession::AlbumVideos()
{
    std::vector<std::string> videos;
    for (const std::string& name : e2e::FolderEntryNames(Folder().File("Album")))
        if (name.size() > 4 && name.substr(name.size() - 4) == ".avi")
            videos.push_back(name);
    return videos;
}

void RecordingSession::SetSpeed(int position)
{
    e2e::SendWithTimeout(Control(camera_e2e::kSpeedSlider), TBM_SETPOS, TRUE, position);
}

void RecordingSession::ChooseMike()
{
    e2e::SendWithTimeout(Control(camera_e2e::kMp3Radio), BM_SETCHECK, BST_UNCHECKED, 0);
    e2e::SendWithTimeout(Control(camera_e2e::kMikeRadio), BM_SETCHECK, BST_CHECKED, 0);
}

// The path goes straight into the static: the open-file dialog has tests of its own.
void RecordingSession::ChooseMp3(const std::string& path)
{
    e2e::SendWithTimeout(Control(camera_e2e::kMikeRadio), BM_SETCHECK, BST_UNCHECKED, 0);
    e2e::SendWithTimeout(Control(camera_e2e::kMp3Radio), BM_SETCHECK, BST_CHECKED, 0);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(Control(camera_e2e::kMp3Path), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                          SMTO_NORMAL, e2e::kSendTimeoutMs, &result);
}

HWND RecordingSession::StartAndWaitForDialog()
{
    for (int attempt = 0; attempt < kStartTries; ++attempt) {
        if (!Command(camera_e2e::kStartRecord))
            return nullptr;
        if (HWND dialog = e2e::WaitForTopLevel(Pid(), "#32770", "Video Compression", kDialogWait))
            return dialog;
    }
    return nullptr;
}

bool RecordingSession::AnswerDialog(HWND dialog, const std::string& entry, int button)
{
    HWND list = ::GetDlgItem(dialog, 880);
    if (!list)
        return false;
    DWORD_PTR index = static_cast<DWORD_PTR>(CB_ERR);
    ::SendMessageTimeoutA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()),
                          SMTO_NORMAL, e2e::kSendTimeoutMs, &index);
    if (static_cast<LRESULT>(index) == CB_ERR)
        return false;
    e2e::SendWithTimeout(list, CB_SETCURSEL, index, 0);
    e2e::SendWithTimeout(dialog, WM_COMMAND, MAKEWPARAM(880, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    if (!e2e::PressButton(dialog, button))
        return false;
    return e2e::WaitUntil([&] { return !::IsWindow(dialog); });
}

// The program writes the file through one open handle; an exclusive open
// succeeds only once it has closed it.
bool RecordingSession::WaitForFileComplete(const std::string& path)
{
    return e2e::WaitUntil(
        [&] {
            HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return false;
            ::CloseHandle(file);
            return true;
        },
        e2e::Timeout{60000});
}

std::string RecordingSession::Record(int captureMs, const std::string& entry)
{
    const std::vector<std::string> before = AlbumVideos();
    HWND dialog = StartAndWaitForDialog();
    if (!dialog || !AnswerDialog(dialog, entry, IDOK))
        return {};
    ::Sleep(static_cast<DWORD>(captureMs));
    if (!Command(camera_e2e::kEndRecord))
        return {};
    return WaitForNewVideo(before);
}

std::string RecordingSession::NewVideo(const std::vector<std::string>& before)
{
    for (const std::string& name : AlbumVideos())
        if (std::find(before.begin(), before.end(), name) == before.end())
            return AlbumFile(name);
    return {};
}

std::string RecordingSession::WaitForNewVideo(const std::vector<std::string>& before)
{
    std::string path;
    if (!e2e::WaitUntil([&] { return !(path = NewVideo(before)).empty(); }))
        return {};
    return WaitForFileComplete(path) ? path : std::string{};
}

bool WaitForFrames(const std::string& video, std::uint64_t frames, std::uint64_t fromBytes)
{
    return e2e::WaitUntil([&] { return e2e::FileSize(video) > fromBytes + (frames + 1) * kFrameChunkBytes; },
                          e2e::Timeout{60000});
}

bool KeepForChecks(const std::string& path, const std::string& name)
{
    return ::CopyFileA(path.c_str(), OutputFile(name).c_str(), FALSE) != FALSE;
}

} // namespace recording_e2e
