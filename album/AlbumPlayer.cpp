#include "album/AlbumPlayer.h"

#include "album/MediaPlayerControl.h"

#include <cstdlib>
#include <cstring>

namespace {

bool RunsUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

bool WantsControl()
{
    const char* choice = std::getenv("TAVRELIN_PLAYER");
    if (choice && std::strcmp(choice, "builtin") == 0)
        return false;
    if (choice && std::strcmp(choice, "control") == 0)
        return true;
    return !RunsUnderWine();
}

} // namespace

CAlbumPlayer::CAlbumPlayer() = default;
CAlbumPlayer::~CAlbumPlayer() = default;

void CAlbumPlayer::Create(win::CWnd* page, int placeholderId)
{
    if (WantsControl()) {
        m_control = CMediaPlayerControl::Create(page, placeholderId);
        if (m_control)
            return;
    }
    m_viewer.Attach(page, placeholderId);
}

void CAlbumPlayer::Play(const std::string& path)
{
    m_strShown = path;
    if (m_control)
        m_control->SetUrl(path);
    else
        m_viewer.Show(path);
}

void CAlbumPlayer::LetGo(const std::string& path)
{
    if (m_strShown.empty() || ::lstrcmpiA(m_strShown.c_str(), path.c_str()) != 0)
        return;
    m_strShown.clear();
    if (m_control)
        m_control->SetUrl("");
    else
        m_viewer.Clear();
}

void CAlbumPlayer::Close()
{
    m_strShown.clear();
    m_control.reset();
    m_viewer.Clear();
}
