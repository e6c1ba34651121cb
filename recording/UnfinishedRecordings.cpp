#include "recording/UnfinishedRecordings.h"

#include "avi/AviRepair.h"
#include "core/Config.h"
#include "core/Counter.h"
#include "core/FileSystem.h"
#include "core/Globals.h"
#include "win/MessagePump.h"
#include "win/Wnd.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kNoticeCheckMs = 50;
constexpr int kNoticeWidth = 420;
constexpr int kNoticeHeight = 64;

bool EndsWithAvi(const std::string& name)
{
    return name.size() > 4 && ::lstrcmpiA(name.c_str() + name.size() - 4, ".avi") == 0;
}

// A repair cut short between putting the damaged file aside and putting the
// repaired one in its place leaves only the damaged one: it goes back.
void RestoreSetAsideFiles(const std::string& folder)
{
    for (const std::string& name : ListFiles(folder + "*.avi.damaged")) {
        const std::string aside = folder + name;
        const std::string original = aside.substr(0, aside.size() - std::string(".damaged").size());
        if (::GetFileAttributesA(original.c_str()) == INVALID_FILE_ATTRIBUTES)
            ::MoveFileA(aside.c_str(), original.c_str());
    }
}

std::vector<std::string> UnfinishedVideos(const std::string& folder)
{
    std::vector<std::string> videos;
    for (const std::string& name : ListFiles(folder + "*.avi")) {
        const std::string path = folder + name;
        if (EndsWithAvi(name) && AviNeedsRepair(path))
            videos.push_back(path);
    }
    return videos;
}

// The notice over the screen's centre while the videos are repaired.
class CRepairNotice final : public win::CWnd {
public:
    bool Show(const std::string& text)
    {
        const int x = (::GetSystemMetrics(SM_CXSCREEN) - kNoticeWidth) / 2;
        const int y = (::GetSystemMetrics(SM_CYSCREEN) - kNoticeHeight) / 2;
        return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", text.c_str(),
                        WS_POPUP | WS_BORDER | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, x, y, kNoticeWidth,
                        kNoticeHeight, nullptr, nullptr);
    }
    ~CRepairNotice() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

std::string NoticeText(const std::string& path)
{
    return "Repairing the unfinished video " + path.substr(path.find_last_of('\\') + 1) + " ...";
}

// Runs this thread's messages until the repairs are done, keeping the
// notice's text on the video being repaired.
void PumpWhileRepairing(const std::atomic<std::size_t>& current, const std::vector<std::string>& videos,
                        CRepairNotice& notice)
{
    std::size_t shown = 0;
    win::PumpMessagesUntil([&] { return current >= videos.size(); }, kNoticeCheckMs, nullptr,
                           [&] {
                               const std::size_t now = current;
                               if (now != shown && now < videos.size() && notice.m_hWnd) {
                                   shown = now;
                                   ::SetWindowTextA(notice.m_hWnd, NoticeText(videos[now]).c_str());
                               }
                           });
}

} // namespace

void RepairUnfinishedRecordings()
{
    RestoreSetAsideFiles(g_albumFolder);
    const std::vector<std::string> videos = UnfinishedVideos(g_albumFolder);
    const std::string wavPath = g_programFolder + "wavtmp.wav";
    // An MP3 decode cut short leaves only its temporary file.
    ::DeleteFileA((wavPath + ".part").c_str());
    if (videos.empty())
        return;
    // "wavtmp.wav" is removed at the start and at the end of every recording,
    // so one that is there belongs to the newest video.
    const std::string newest = g_albumFolder + CounterFileName(ParseCounter(ReadConfigValue("AVISUM")), ".avi");
    CRepairNotice notice;
    notice.Show(NoticeText(videos.front()));
    notice.UpdateWindow();
    std::atomic<std::size_t> current{0};
    bool bSoundUsed = false;
    std::thread repairing([&] {
        for (const std::string& video : videos) {
            AviRepairOptions options;
            if (::lstrcmpiA(video.c_str(), newest.c_str()) == 0)
                options.wavPath = wavPath;
            const EAviRepair result = RepairAvi(video, options);
            bSoundUsed = bSoundUsed || (result == EAviRepair::repaired && !options.wavPath.empty());
            ++current;
        }
    });
    PumpWhileRepairing(current, videos, notice);
    repairing.join();
    if (bSoundUsed)
        ::DeleteFileA(wavPath.c_str());
}
