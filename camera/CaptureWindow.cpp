#include "camera/CaptureWindow.h"

#include "camera/CameraSource.h"
#include "camera/TestPattern.h"
#include "grab/PictureSources.h"
#include "win/OffscreenBuffer.h"
#include "win/UniqueHandle.h"
#include "win/Wnd.h"

#include <vfw.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr UINT_PTR kPreviewTimer = 1;

// Our capture window: the connected driver and its latest picture. Its
// window owns it (CWnd::GiveToWindow), as nobody else keeps the object.
class CCaptureWindow final : public win::CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Connect(unsigned index);
    void Disconnect();
    BOOL GetSequenceSetup(WPARAM size, LPARAM buffer) const;
    BOOL GetStatus(WPARAM size, LPARAM buffer) const;
    LRESULT GetVideoFormat(WPARAM size, LPARAM buffer) const;
    BOOL GetDriverName(WPARAM size, LPARAM buffer) const;
    BOOL SetPreview(bool on);
    BOOL SetPreviewRate(UINT milliseconds);
    BOOL RunDialog(bool format);
    void NextFrame();
    std::shared_ptr<tavrelin::SPicture> ProducePicture();
    void Publish();
    void Paint();
    void DrawFrame(HDC dc, const RECT& client) const;

    std::unique_ptr<CCameraSource> m_source;
    // Shared with grabs on other threads, which compose the saved picture
    // from it; a new frame is a new picture.
    std::shared_ptr<tavrelin::SPicture> m_frame;
    // The frame before, whose pixel memory the next frame reuses once no
    // grab holds it any more.
    std::shared_ptr<tavrelin::SPicture> m_spare;
    POINT m_shownAt{};
    bool m_bPreview = false;
    bool m_bScale = false;
    UINT m_uPreviewRateMs = kPreviewRateMs;
    win::COffscreenBuffer m_buffer;
};

// A bottom-up 24-bit bitmap of the size, as every driver delivers it.
BITMAPINFOHEADER FrameHeader(FrameSize size)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = size.width;
    header.biHeight = size.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(BgrStride(size.width) * static_cast<size_t>(std::max(size.height, 0)));
    return header;
}

// Copies a structure into the caller's buffer, never more than the caller
// said it holds.
template <typename T>
BOOL CopyOut(const T& value, WPARAM size, LPARAM buffer)
{
    if (!buffer || size == 0)
        return FALSE;
    std::memcpy(reinterpret_cast<void*>(buffer), &value, std::min<size_t>(size, sizeof value));
    return TRUE;
}

bool CCaptureWindow::Connect(unsigned index)
{
    Disconnect();
    m_source = OpenCameraDriver(index);
    if (!m_source)
        return false;
    NextFrame();
    return true;
}

void CCaptureWindow::Disconnect()
{
    ::KillTimer(m_hWnd, kPreviewTimer);
    m_bPreview = false;
    m_source.reset();
    m_frame.reset();
    Publish();
    Invalidate(false);
}

BOOL CCaptureWindow::GetSequenceSetup(WPARAM size, LPARAM buffer) const
{
    if (!m_source)
        return FALSE;
    CAPTUREPARMS parameters{};
    parameters.dwRequestMicroSecPerFrame = 1000000 / 15;
    parameters.wPercentDropForError = 10;
    parameters.wNumVideoRequested = 5;
    parameters.vKeyAbort = VK_ESCAPE;
    parameters.fAbortLeftMouse = TRUE;
    parameters.fAbortRightMouse = TRUE;
    parameters.AVStreamMaster = AVSTREAMMASTER_AUDIO;
    return CopyOut(parameters, size, buffer);
}

BOOL CCaptureWindow::GetStatus(WPARAM size, LPARAM buffer) const
{
    CAPSTATUS status{};
    const FrameSize frame = m_source ? m_source->CurrentSize() : FrameSize{};
    status.uiImageWidth = static_cast<UINT>(frame.width);
    status.uiImageHeight = static_cast<UINT>(frame.height);
    status.fLiveWindow = m_bPreview;
    status.fScale = m_bScale;
    status.fUsingDefaultPalette = TRUE;
    return CopyOut(status, size, buffer);
}

// Like the platform's: with no buffer it returns the size the format needs.
LRESULT CCaptureWindow::GetVideoFormat(WPARAM size, LPARAM buffer) const
{
    if (!m_source)
        return 0;
    const BITMAPINFOHEADER header = FrameHeader(m_source->CurrentSize());
    if (buffer)
        CopyOut(header, size, buffer);
    return sizeof header;
}

BOOL CCaptureWindow::GetDriverName(WPARAM size, LPARAM buffer) const
{
    if (!m_source || !buffer || size == 0)
        return FALSE;
    ::lstrcpynA(reinterpret_cast<char*>(buffer), m_source->Name().c_str(), static_cast<int>(size));
    return TRUE;
}

BOOL CCaptureWindow::SetPreview(bool on)
{
    if (!m_source)
        return FALSE;
    m_bPreview = on;
    if (on)
        ::SetTimer(m_hWnd, kPreviewTimer, m_uPreviewRateMs, nullptr);
    else
        ::KillTimer(m_hWnd, kPreviewTimer);
    return TRUE;
}

BOOL CCaptureWindow::SetPreviewRate(UINT milliseconds)
{
    m_uPreviewRateMs = std::max<UINT>(milliseconds, 1);
    if (m_bPreview)
        ::SetTimer(m_hWnd, kPreviewTimer, m_uPreviewRateMs, nullptr);
    return TRUE;
}

// The dialogs belong to the top-level window, which they disable while open.
BOOL CCaptureWindow::RunDialog(bool format)
{
    if (!m_source)
        return FALSE;
    HWND owner = ::GetAncestor(m_hWnd, GA_ROOT);
    const bool changed = format ? m_source->ShowFormatDialog(owner) : m_source->ShowSourceDialog(owner);
    // The window may have gone with its parent while the dialog was open.
    if (changed && m_hWnd)
        NextFrame();
    return TRUE;
}

void CCaptureWindow::NextFrame()
{
    std::shared_ptr<tavrelin::SPicture> frame = ProducePicture();
    m_spare = std::move(m_frame);
    m_frame = std::move(frame);
    Publish();
    Invalidate(false);
}

std::shared_ptr<tavrelin::SPicture> CCaptureWindow::ProducePicture()
{
    // Nobody else can take a new reference to the spare: a count of one is final.
    std::shared_ptr<tavrelin::SPicture> picture =
        m_spare.use_count() == 1 ? std::move(m_spare) : std::make_shared<tavrelin::SPicture>();
    if (!m_source || !m_source->ProduceFrame(picture->pixels))
        return {};
    const FrameSize size = m_source->CurrentSize();
    // A driver that hands back too little is shown as no picture at all.
    if (size.width <= 0 || size.height <= 0 ||
        picture->pixels.size() < BgrStride(size.width) * static_cast<size_t>(size.height))
        return {};
    picture->width = size.width;
    picture->height = size.height;
    return picture;
}

// What is saved is composed from what this window shows, so every change of
// it is published. A minimized page's box is composed where it was last seen.
void CCaptureWindow::Publish()
{
    if (!::IsIconic(::GetAncestor(m_hWnd, GA_ROOT))) {
        m_shownAt = {0, 0};
        ::ClientToScreen(m_hWnd, &m_shownAt);
    }
    tavrelin::PublishPicture({m_hWnd, tavrelin::EPictureLayer::Camera, m_frame, m_bScale, m_shownAt, {}});
}

void CCaptureWindow::DrawFrame(HDC dc, const RECT& client) const
{
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (!m_frame)
        return;
    BITMAPINFO info{};
    info.bmiHeader = FrameHeader({m_frame->width, m_frame->height});
    const int width = m_bScale ? client.right : m_frame->width;
    const int height = m_bScale ? client.bottom : m_frame->height;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchDIBits(dc, 0, 0, width, height, 0, 0, m_frame->width, m_frame->height, m_frame->pixels.data(), &info,
                    DIB_RGB_COLORS, SRCCOPY);
}

// Off-screen first, then one copy, so the moving picture does not flicker.
void CCaptureWindow::Paint()
{
    win::PaintDC paint(m_hWnd);
    const RECT client = GetClientRect();
    if (HDC buffer = m_buffer.Prepare(paint.get(), client.right, client.bottom)) {
        DrawFrame(buffer, client);
        m_buffer.CopyTo(paint.get(), paint.area());
    } else if (client.right > 0 && client.bottom > 0) {
        DrawFrame(paint.get(), client);
    }
}

LRESULT CCaptureWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CAP_DRIVER_CONNECT:
        return Connect(static_cast<unsigned>(wParam));
    case WM_CAP_DRIVER_DISCONNECT:
        Disconnect();
        return TRUE;
    case WM_CAP_DRIVER_GET_NAMEA:
        return GetDriverName(wParam, lParam);
    case WM_CAP_GET_SEQUENCE_SETUP:
        return GetSequenceSetup(wParam, lParam);
    case WM_CAP_GET_STATUS:
        return GetStatus(wParam, lParam);
    case WM_CAP_GET_VIDEOFORMAT:
        return GetVideoFormat(wParam, lParam);
    case WM_CAP_SET_SCALE:
        m_bScale = wParam != 0;
        Publish();
        Invalidate(false);
        return TRUE;
    case WM_CAP_SET_PREVIEWRATE:
        return SetPreviewRate(static_cast<UINT>(wParam));
    case WM_CAP_SET_PREVIEW:
        return SetPreview(wParam != 0);
    case WM_CAP_DLG_VIDEOSOURCE:
        return RunDialog(false);
    case WM_CAP_DLG_VIDEOFORMAT:
        return RunDialog(true);
    case WM_TIMER:
        if (wParam == kPreviewTimer)
            NextFrame();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        tavrelin::WithdrawPicture(m_hWnd);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool RegisterCaptureClass()
{
    static const bool registered = win::RegisterNamedClassForFramework(
        kCaptureWindowClass, 0, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
    return registered;
}

using CreateCaptureWindowProc = HWND(VFWAPI*)(LPCSTR, DWORD, int, int, int, int, HWND, int);

// Looked up at run time, so the program does not import avicap32 and starts
// where it is missing. The library stays loaded: its windows need its code.
CreateCaptureWindowProc PlatformCreateCaptureWindow()
{
    static const CreateCaptureWindowProc create = []() -> CreateCaptureWindowProc {
        HMODULE library = ::LoadLibraryA("avicap32.dll");
        if (!library)
            return nullptr;
        return reinterpret_cast<CreateCaptureWindowProc>(
            reinterpret_cast<void*>(::GetProcAddress(library, "capCreateCaptureWindowA")));
    }();
    return create;
}

} // namespace

HWND CreateOwnCaptureWindow(const char* name, DWORD style, int x, int y, int width, int height, HWND parent, int id)
{
    if (!RegisterCaptureClass())
        return nullptr;
    auto window = std::make_unique<CCaptureWindow>();
    if (!window->CreateEx(0, kCaptureWindowClass, name, style, x, y, width, height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)))) {
        return nullptr;
    }
    return win::CWnd::GiveToWindow(std::move(window));
}

HWND CreateCaptureWindow(const char* name, DWORD style, int x, int y, int width, int height, HWND parent, int id)
{
    if (CreateCaptureWindowProc create = PlatformCreateCaptureWindow()) {
        if (HWND window = create(name, style, x, y, width, height, parent, id))
            return window;
    }
    return CreateOwnCaptureWindow(name, style, x, y, width, height, parent, id);
}
