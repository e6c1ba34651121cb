#pragma once
// The media player ActiveX control in the play box, hosted through the
// platform's control container window ("AtlAxWin"); only its URL is set.
#include "win/Wnd.h"

#include <memory>
#include <string>

struct IWMPPlayer4;

class CMediaPlayerControl {
public:
    // The control in the placeholder's place, or null when it can't be
    // created (no container library, no player installed).
    static std::unique_ptr<CMediaPlayerControl> Create(win::CWnd* page, int placeholderId);
    CMediaPlayerControl(HWND host, IWMPPlayer4* player) : m_hHost(host), m_pPlayer(player) {}
    ~CMediaPlayerControl();
    CMediaPlayerControl(const CMediaPlayerControl&) = delete;
    CMediaPlayerControl& operator=(const CMediaPlayerControl&) = delete;

    // Opens and plays the file; an empty path closes what was open.
    bool SetUrl(const std::string& path);

private:
    HWND m_hHost;
    IWMPPlayer4* m_pPlayer;
};
