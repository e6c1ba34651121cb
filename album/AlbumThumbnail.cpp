#include "album/AlbumThumbnail.h"

#include "gdiplus/GdiplusImage.h"

#include <algorithm>
#include <cstring>

win::UniqueBitmap MakeAlbumThumbnail(const std::string& picturePath)
{
    return gdiplus::CImage::Load(picturePath).Thumbnail(kThumbnailWidth, kThumbnailHeight).ToDibSection();
}

void AddThumbnailCopies(HIMAGELIST list, HBITMAP picture, int count)
{
    constexpr int kCopiesPerStrip = 256;
    const win::UniqueMemoryDC source(::CreateCompatibleDC(nullptr));
    const win::UniqueMemoryDC target(::CreateCompatibleDC(nullptr));
    if (!source || !target)
        return;
    const win::SelectedObject sourcePicture(source.get(), picture);
    while (count > 0) {
        const int copies = std::min(count, kCopiesPerStrip);
        void* bits = nullptr;
        win::UniqueBitmap strip = gdiplus::CreateDibSection24(kThumbnailWidth * copies, kThumbnailHeight, &bits);
        if (!strip)
            return;
        {
            const win::SelectedObject selected(target.get(), strip.get());
            for (int copy = 0; copy < copies; ++copy)
                ::BitBlt(target.get(), copy * kThumbnailWidth, 0, kThumbnailWidth, kThumbnailHeight, source.get(), 0, 0,
                         SRCCOPY);
        }
        ::ImageList_Add(list, strip.get(), nullptr);
        count -= copies;
    }
}

win::UniqueBitmap MakeBlankThumbnail()
{
    void* bits = nullptr;
    win::UniqueBitmap blank = gdiplus::CreateDibSection24(kThumbnailWidth, kThumbnailHeight, &bits);
    if (blank)
        std::memset(bits, 0xFF, static_cast<size_t>(kThumbnailWidth) * 3 * kThumbnailHeight);
    return blank;
}
