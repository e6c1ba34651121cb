#include "album/AlbumPage.h"

void CAlbumPage::AddNewestPicture() {}

void CAlbumPage::AddNewestVideo() {}

LRESULT CAlbumPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ALBUM_NEWEST_PICTURE) {
        AddNewestPicture();
        return 0;
    }
    return CTabPage::WindowProc(message, wParam, lParam);
}
