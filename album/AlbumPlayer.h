#pragma once
// The play box of the album page: the media player control where it can be
// hosted and draws, otherwise a viewer of our own in the same place that
// shows pictures scaled to fit and plays our AVI files.
// TAVRELIN_PLAYER=builtin or =control forces either way (for tests); by
// default the control is used except under Wine, whose control draws only a
// placeholder.
#include "album/MediaViewer.h"
#include "win/Wnd.h"

#include <memory>
#include <string>

class CMediaPlayerControl;

class CAlbumPlayer {
public:
    CAlbumPlayer();
    ~CAlbumPlayer();
    CAlbumPlayer(const CAlbumPlayer&) = delete;
    CAlbumPlayer& operator=(const CAlbumPlayer&) = delete;

    // Takes the place of the page's placeholder control.
    void Create(win::CWnd* page, int placeholderId);
    // Shows the picture or plays the video at path.
    void Play(const std::string& path);
    // Stops showing the file when it is the one on show, so that it can be
    // deleted or moved.
    void LetGo(const std::string& path);
    void Close();

    bool UsesControl() const { return static_cast<bool>(m_control); }

private:
    std::unique_ptr<CMediaPlayerControl> m_control;
    CMediaViewer m_viewer;
    std::string m_strShown;
};
