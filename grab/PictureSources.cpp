#include "grab/PictureSources.h"

#include <algorithm>
#include <mutex>
#include <new>

namespace tavrelin {

namespace {

struct SPublished {
    std::mutex lock;
    std::vector<SPublishedPicture> pictures;
};

SPublished& Published()
{
    static SPublished published;
    return published;
}

} // namespace

void PublishPicture(SPublishedPicture published)
{
    SPublished& all = Published();
    const std::lock_guard<std::mutex> hold(all.lock);
    const auto same = [&](const SPublishedPicture& held) { return held.window == published.window; };
    const auto found = std::find_if(all.pictures.begin(), all.pictures.end(), same);
    if (found != all.pictures.end())
        *found = std::move(published);
    else
        all.pictures.push_back(std::move(published));
}

void WithdrawPicture(HWND window)
{
    SPublished& all = Published();
    const std::lock_guard<std::mutex> hold(all.lock);
    std::erase_if(all.pictures, [window](const SPublishedPicture& held) { return held.window == window; });
}

std::vector<SPublishedPicture> PublishedPictures()
{
    SPublished& all = Published();
    const std::lock_guard<std::mutex> hold(all.lock);
    return all.pictures;
}

PicturePtr PictureOfBitmap(HBITMAP bitmap)
{
    BITMAP description{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof description, &description) || description.bmWidth <= 0 ||
        description.bmHeight <= 0)
        return {};
    auto picture = std::make_shared<SPicture>();
    picture->width = description.bmWidth;
    picture->height = description.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, picture->width, picture->height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const size_t stride = (static_cast<size_t>(picture->width) * 3 + 3) & ~size_t{3};
    try {
        picture->pixels.resize(stride * static_cast<size_t>(picture->height));
    } catch (const std::bad_alloc&) {
        return {};
    }
    const win::WindowDC screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(picture->height), picture->pixels.data(), &info,
                    DIB_RGB_COLORS) != picture->height)
        return {};
    return picture;
}

RegionPtr CopyRegion(HRGN region)
{
    win::UniqueRegion copy(::CreateRectRgn(0, 0, 0, 0));
    if (!copy || !region || ::CombineRgn(copy.get(), region, nullptr, RGN_COPY) == ERROR)
        return {};
    return std::make_shared<const win::UniqueRegion>(std::move(copy));
}

} // namespace tavrelin
