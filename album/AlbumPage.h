#pragma once
// The album page: every video and picture that was made.
#include "core/AppMessages.h"
#include "win/TabPage.h"


class CAlbumPage : public CTabPage {
public:
    void AddNewestPicture();
    void AddNewestVideo();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
