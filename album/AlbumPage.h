#pragma once
// The album page: every video and picture that was made.
#include "app/TabPage.h"

// Posted to the album page to list the newest picture, so that the caller
// never waits for the page's thread.
inline constexpr UINT WM_ALBUM_NEWEST_PICTURE = WM_APP + 0x140;

class CAlbumPage : public CTabPage {
public:
    void AddNewestPicture();
    void AddNewestVideo();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
