#include "album/AlbumThumbnail.h"

#include "gdiplus/GdiplusImage.h"

#include <cstring>

win::UniqueBitmap MakeAlbumThumbnail(const std::string& picturePath)
{
    return gdiplus::CImage::Load(picturePath).Thumbnail(kThumbnailWidth, kThumbnailHeight).ToDibSection();
}

win::UniqueBitmap MakeBlankThumbnail()
{
    void* bits = nullptr;
    win::UniqueBitmap blank = gdiplus::CreateDibSection24(kThumbnailWidth, kThumbnailHeight, &bits);
    if (blank)
        std::memset(bits, 0xFF, static_cast<size_t>(kThumbnailWidth) * 3 * kThumbnailHeight);
    return blank;
}
