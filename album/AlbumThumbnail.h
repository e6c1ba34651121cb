#pragma once
// The 80 x 60 pictures of the album's list, made in memory.
#include "win/UniqueHandle.h"

#include <commctrl.h>

#include <string>

inline constexpr int kThumbnailWidth = 80;
inline constexpr int kThumbnailHeight = 60;

// The picture scaled to exactly 80 x 60 (aspect ignored) as a 24-bit DIB
// section; null when the file can't be read as a picture.
win::UniqueBitmap MakeAlbumThumbnail(const std::string& picturePath);
// A white 80 x 60 picture: the slot of a picture not (yet) made.
win::UniqueBitmap MakeBlankThumbnail();
// Appends count copies of an 80 x 60 picture to the image list in a few
// calls: one call per picture costs most of the start-up of a large album.
void AddThumbnailCopies(HIMAGELIST list, HBITMAP picture, int count);
