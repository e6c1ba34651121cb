#include "snapshot/Snapshot.h"

#include "grab/BitmapFile.h"
#include "grab/FrameGrab.h"
#include "core/Config.h"
#include "core/Globals.h"
#include "imaging/DibFile.h"
#include "imaging/JpegSaveNotice.h"
#include "res/resource.h"
#include "win/App.h"
#include "win/UniqueHandle.h"

namespace {

constexpr uint16_t kPictureQuality = 100;
constexpr char kPictureCounter[] = "JPGSUM";
constexpr char kTemporaryBitmap[] = "tmp.bmp";

// Where the notice sits on the main window's client area; the recording
// strip lies to its right, so the two never overlap.
constexpr RECT kNoticeArea{139, 73, 255, 92};
constexpr int kNoticeIconSide = 19;
constexpr POINT kNoticeTextOrigin{164, 73};
constexpr char kNoticeText[] = "take pictures";
// Blue is the notice's text colour and the transparent colour of its icon.
constexpr COLORREF kNoticeBlue = RGB(0, 0, 255);
constexpr DWORD kNoticeShowMs = 500;

// Through a BMP file, the form the JPEG writer reads; the file is removed
// whether or not it could be read.
bool LoadThroughBitmapFile(HBITMAP frame, HWND designBox, CDibFile& dib)
{
    const std::string bitmapPath = g_albumFolder + kTemporaryBitmap;
    SaveBitmapFile(frame, bitmapPath, designBox);
    const bool loaded = dib.LoadFile(bitmapPath.c_str());
    ::DeleteFileA(bitmapPath.c_str());
    return loaded;
}

void DrawNoticeIcon(HDC target)
{
    win::UniqueBitmap icon(::LoadBitmapA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_NOTICE)));
    win::UniqueMemoryDC memory(::CreateCompatibleDC(target));
    if (!icon || !memory)
        return;
    const win::SelectedObject selected(memory.get(), icon.get());
    ::TransparentBlt(target, kNoticeArea.left, kNoticeArea.top, kNoticeIconSide, kNoticeIconSide, memory.get(), 0, 0,
                     kNoticeIconSide, kNoticeIconSide, kNoticeBlue);
}

} // namespace

std::optional<std::string> SaveDesignBoxPicture(HWND designBox, int width, int height)
{
    // No camera, no picture: a grab would only give an empty frame, and a
    // counter step for it would name a file that never comes.
    if (width <= 0 || height <= 0)
        return std::nullopt;
    win::UniqueBitmap frame = GrabDesignBox(designBox, width, height);
    if (!frame)
        return std::nullopt;
    // Moves past files already in the album, so that an earlier picture is
    // kept also when Config.ini can't be written and the counter stays behind.
    const std::string picturePath = StepCounterToFreeFile(kPictureCounter, g_albumFolder, ".jpg");
    CDibFile dib;
    const bool loaded = LoadThroughBitmapFile(frame.get(), designBox, dib);
    frame.reset();
    if (!loaded || SaveAsJpegWithNotice(dib, picturePath.c_str(), kPictureQuality) != EJpegSaveResult::Saved)
        return std::nullopt;
    return picturePath;
}

void ShowSnapshotNotice(HWND mainWindow)
{
    {
        const win::WindowDC dc(mainWindow);
        if (!dc)
            return;
        ::SetBkMode(dc.get(), TRANSPARENT);
        ::SetTextColor(dc.get(), kNoticeBlue);
        DrawNoticeIcon(dc.get());
        ::TextOutA(dc.get(), kNoticeTextOrigin.x, kNoticeTextOrigin.y, kNoticeText, sizeof kNoticeText - 1);
    }
    ::Sleep(kNoticeShowMs);
    ::InvalidateRect(mainWindow, &kNoticeArea, TRUE);
}
