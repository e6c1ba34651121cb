#pragma once
// The album page: every video and picture that was made.
#include "app/TabPage.h"

class CAlbumPage : public CTabPage {
public:
    void AddNewestPicture();
    void AddNewestVideo();
};
