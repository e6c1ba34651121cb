#include "snapshot/Snapshot.h"

#include "grab/BitmapFile.h"
#include "grab/FrameGrab.h"
#include "core/AppMessages.h"
#include "core/Config.h"
#include "core/Globals.h"
#include "imaging/DibFile.h"
#include "res/resource.h"
#include "win/App.h"
#include "win/ClientNotice.h"
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
constexpr UINT kNoticeShowMs = 500;
constexpr UINT_PTR kNoticeTimer = 0x5E4F;

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

// Removes the notice when its time is up: the next repaint of the area
// restores what lay under it.
void CALLBACK EndNotice(HWND window, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(window, timer);
    ::InvalidateRect(window, &kNoticeArea, TRUE);
}

} // namespace

std::optional<std::string> SaveDesignBoxPicture(HWND designBox, int width, int height, HWND owner)
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
    const std::optional<SCounterStep> step = StepCounterToFreeFile(kPictureCounter, g_albumFolder, ".jpg");
    if (step && !step->stored)
        ::PostMessageA(owner, WM_CONFIG_NOT_WRITTEN, 0, 0);
    CDibFile dib;
    const bool loaded = step && LoadThroughBitmapFile(frame.get(), designBox, dib);
    frame.reset();
    // The writer leaves no part of a picture it could not finish.
    if (!loaded || dib.SaveAsJpeg(step->path.c_str(), kPictureQuality) != EJpegSaveResult::Saved) {
        ::MessageBoxA(owner, "Can not create jpg file!", win::AfxGetAppName(), MB_OK);
        return std::nullopt;
    }
    return step->path;
}

void ShowSnapshotNotice(HWND mainWindow)
{
    const win::UniqueBitmap icon(::LoadBitmapA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_NOTICE)));
    win::CClientNotice notice(mainWindow, kNoticeArea);
    notice.Draw(kNoticeText, kNoticeTextOrigin,
                {icon.get(), {kNoticeArea.left, kNoticeArea.top}, {kNoticeIconSide, kNoticeIconSide}});
    // A timer rather than a wait: the window keeps answering meanwhile.
    ::SetTimer(mainWindow, kNoticeTimer, kNoticeShowMs, EndNotice);
}
