#include "grab/BoxComposition.h"

#include "grab/FrameGrab.h"
#include "grab/PictureSources.h"
#include "grab/PixelStretch.h"

#include <algorithm>
#include <vector>

namespace {

using tavrelin::EPictureLayer;
using tavrelin::SPicture;
using tavrelin::SPublishedPicture;

// The window's client area in `box`'s client coordinates. For two windows of
// one top-level window this holds also while it is minimized.
RECT ClientAreaIn(HWND window, HWND box)
{
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, box, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

const SPublishedPicture* CameraOverBox(const std::vector<SPublishedPicture>& published, HWND box)
{
    const RECT boxArea{0, 0, kGrabBoxWidth, kGrabBoxHeight};
    HWND root = ::GetAncestor(box, GA_ROOT);
    for (const SPublishedPicture& source : published) {
        if (source.layer != EPictureLayer::Camera || ::GetAncestor(source.window, GA_ROOT) != root)
            continue;
        const RECT client = ClientAreaIn(source.window, box);
        RECT overlap{};
        if (::IntersectRect(&overlap, &client, &boxArea))
            return &source;
    }
    return nullptr;
}

// Where the box's client area lies on the screen; for a minimized window,
// where it lay when the window was last seen.
POINT BoxOrigin(HWND box, const SPublishedPicture& camera)
{
    POINT origin{0, 0};
    if (!::IsIconic(::GetAncestor(box, GA_ROOT))) {
        ::ClientToScreen(box, &origin);
        return origin;
    }
    ::MapWindowPoints(box, camera.window, &origin, 1);
    return {camera.shownAt.x + origin.x, camera.shownAt.y + origin.y};
}

BITMAPINFO PictureInfo(const SPicture& picture)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, picture.width, picture.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

// As the capture window paints itself: black, then the frame stretched over
// the client area or at its own size, whole pixels repeated or dropped. The
// usual case, a stretch over the whole box, is done in memory.
void DrawCamera(const CDibSectionDC& canvas, const SPublishedPicture& camera, HWND box)
{
    const RECT client = ClientAreaIn(camera.window, box);
    ::FillRect(canvas.DC(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (!camera.picture)
        return;
    const SPicture& frame = *camera.picture;
    const RECT boxArea{0, 0, kGrabBoxWidth, kGrabBoxHeight};
    if (camera.stretched && ::EqualRect(&client, &boxArea)) {
        if (const auto stretch = CPixelStretch::For({frame.width, frame.height}, {kGrabBoxWidth, kGrabBoxHeight})) {
            ::GdiFlush();
            stretch->Apply(frame.pixels.data(), canvas.Bits());
            return;
        }
    }
    const BITMAPINFO info = PictureInfo(frame);
    const int width = camera.stretched ? client.right - client.left : frame.width;
    const int height = camera.stretched ? client.bottom - client.top : frame.height;
    const int saved = ::SaveDC(canvas.DC());
    ::IntersectClipRect(canvas.DC(), client.left, client.top, client.right, client.bottom);
    ::SetStretchBltMode(canvas.DC(), COLORONCOLOR);
    ::StretchDIBits(canvas.DC(), client.left, client.top, width, height, 0, 0, frame.width, frame.height,
                    frame.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ::RestoreDC(canvas.DC(), saved);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The top-level windows, the bottom one first, so that drawing in this order
// leaves each above those under it.
std::vector<HWND> BottomFirst()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::reverse(windows.begin(), windows.end());
    return windows;
}

// The design's frame at its client area's place, cut by the window's shape
// (which is in window coordinates) as the screen cuts it.
void DrawDesign(HDC canvas, const SPublishedPicture& design, POINT boxOrigin)
{
    RECT frame{};
    RECT client{};
    ::GetWindowRect(design.window, &frame);
    ::GetClientRect(design.window, &client);
    ::MapWindowPoints(design.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&frame, -boxOrigin.x, -boxOrigin.y);
    ::OffsetRect(&client, -boxOrigin.x, -boxOrigin.y);
    const win::UniqueRegion visible(::CreateRectRgnIndirect(&client));
    const win::UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
    if (!visible || !shape)
        return;
    if (design.shape) {
        if (::CombineRgn(shape.get(), design.shape->get(), nullptr, RGN_COPY) == ERROR)
            return;
        ::OffsetRgn(shape.get(), frame.left, frame.top);
        ::CombineRgn(visible.get(), visible.get(), shape.get(), RGN_AND);
    }
    const SPicture& picture = *design.picture;
    const BITMAPINFO info = PictureInfo(picture);
    ::ExtSelectClipRgn(canvas, visible.get(), RGN_COPY);
    ::SetDIBitsToDevice(canvas, client.left, client.top, static_cast<DWORD>(picture.width),
                        static_cast<DWORD>(picture.height), 0, 0, 0, static_cast<UINT>(picture.height),
                        picture.pixels.data(), &info, DIB_RGB_COLORS);
    ::SelectClipRgn(canvas, nullptr);
}

bool IsShown(HWND window) { return ::IsWindowVisible(window) && !::IsIconic(window); }

} // namespace

std::optional<CDibSectionDC> ComposeDesignBox(HWND box)
{
    const std::vector<SPublishedPicture> published = tavrelin::PublishedPictures();
    const SPublishedPicture* camera = ::IsWindow(box) ? CameraOverBox(published, box) : nullptr;
    if (!camera)
        return std::nullopt;
    std::optional<CDibSectionDC> canvas = CDibSectionDC::Create(nullptr, kGrabBoxWidth, kGrabBoxHeight);
    if (!canvas)
        return std::nullopt;
    DrawCamera(*canvas, *camera, box);
    const POINT origin = BoxOrigin(box, *camera);
    for (HWND window : BottomFirst()) {
        const auto design = std::find_if(published.begin(), published.end(), [window](const SPublishedPicture& held) {
            return held.window == window && held.layer == EPictureLayer::Design && held.picture;
        });
        if (design != published.end() && IsShown(window))
            DrawDesign(canvas->DC(), *design, origin);
    }
    return canvas;
}
