#include "AlbumPage.h"

void CAlbumPage::AddNewestPicture() {}

void CAlbumPage::AddNewestVideo() {}
