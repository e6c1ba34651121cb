#pragma once
// The 80 x 60 pictures of the album's list, made in memory.
#include "win/UniqueHandle.h"

#include <commctrl.h>

#include <mutex>
#include <string>

inline constexpr int kThumbnailWidth = 80;
inline constexpr int kThumbnailHeight = 60;

// The picture scaled to exactly 80 x 60 (aspect ignored) as a 24-bit DIB
// section; null when the file can't be read as a picture.
win::UniqueBitmap MakeAlbumThumbnail(const std::string& picturePath);
// The same, with `fileLock` (held by the caller) let go once the file is no
// longer needed; it may be held again or let go on return.
win::UniqueBitmap MakeAlbumThumbnail(const std::string& picturePath, std::unique_lock<std::mutex>& fileLock);
// A white 80 x 60 picture: the slot of a picture not (yet) made.
win::UniqueBitmap MakeBlankThumbnail();

class CThumbnailCache;
// The picture's thumbnail from the cache when it holds one made from the
// file as it is now; otherwise made (as MakeAlbumThumbnail does) and stored
// there under `name`, as is the word that the file can't be read.
win::UniqueBitmap MakeRememberedThumbnail(const std::string& picturePath, const std::string& name,
                                          CThumbnailCache& cache, std::unique_lock<std::mutex>& fileLock);
