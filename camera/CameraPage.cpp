#include "camera/CameraPage.h"

#include "camera/CaptureWindow.h"
#include "grab/BoxComposition.h"
#include "grab/FrameGrab.h"
#include "snapshot/Snapshot.h"
#include "core/Globals.h"
#include "res/resource.h"
#include "win/App.h"
#include "win/FileDialog.h"

#include <commdlg.h>
#include <vfw.h>

#include <vector>

namespace {

constexpr int kSlowestSpeed = 700;
constexpr int kFastestSpeed = 100;
constexpr int kStandardSpeed = 400;
constexpr DWORD kPreviewCopyPeriodMs = 100;

SIZE ClientSize(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

std::string ControlText(HWND control)
{
    const int length = ::GetWindowTextLengthA(control);
    if (length <= 0)
        return {};
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(control, text.data(), length + 1);
    return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

HWND MainWindowHandle()
{
    const win::CWnd* main = win::AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

} // namespace

CCameraPage::CCameraPage() : CTabPage() { m_templateId = IDD_CAMERA_PAGE; }

CCameraPage::~CCameraPage()
{
    // The window is gone: a recording still capturing ends and completes.
    g_recording = false;
    m_recording.WaitUntilDone();
    StopPreviewThread();
}

void CCameraPage::DoDataExchange(win::CDataExchange* exchange)
{
    CTabPage::DoDataExchange(exchange);
    win::DDX_Control(exchange, IDC_SPEED_SLIDER, m_speedSlider);
}

BOOL CCameraPage::OnInitDialog()
{
    CTabPage::OnInitDialog();
    ::CheckDlgButton(m_hWnd, IDC_MIKE_RADIO, BST_CHECKED);
    m_speedSlider.SetRange(kFastestSpeed, kSlowestSpeed, false);
    m_speedSlider.SetPos(kStandardSpeed);
    if (!CreateCaptureWindowOverDesignBox()) {
        MessageBox("CreateCaptureWindow Failure");
        return FALSE;
    }
    if (!ConnectDriver()) {
        MessageBox("Not Discover PC Camrea");
        return FALSE;
    }
    StartPreview();
    ReadCaptureSize();
    StartPreviewThread();
    return TRUE;
}

// Everything saved is read back from the screen in the design box, so the
// live picture must cover exactly that box.
bool CCameraPage::CreateCaptureWindowOverDesignBox()
{
    HWND designBox = GetDlgItem(IDC_DESIGN_BOX);
    const SIZE size = ClientSize(designBox);
    RECT frame{};
    ::GetWindowRect(designBox, &frame);
    POINT corner{frame.left, frame.top};
    ::ScreenToClient(m_hWnd, &corner);
    m_hCapture = CreateCaptureWindow("Capture", WS_CHILD | WS_VISIBLE, corner.x, corner.y, size.cx, size.cy, m_hWnd, 0);
    return m_hCapture != nullptr;
}

// Driver 0 must connect and answer the capture-parameter query.
bool CCameraPage::ConnectDriver() const
{
    if (!SendToCapture(WM_CAP_DRIVER_CONNECT, 0))
        return false;
    CAPTUREPARMS parameters{};
    return SendToCapture(WM_CAP_GET_SEQUENCE_SETUP, sizeof parameters, reinterpret_cast<LPARAM>(&parameters)) != 0;
}

void CCameraPage::StartPreview()
{
    SendToCapture(WM_CAP_SET_SCALE, TRUE);
    SendToCapture(WM_CAP_SET_PREVIEWRATE, kPreviewRateMs);
    SendToCapture(WM_CAP_SET_PREVIEW, TRUE);
}

void CCameraPage::ReadCaptureSize()
{
    CAPSTATUS status{};
    if (!SendToCapture(WM_CAP_GET_STATUS, sizeof status, reinterpret_cast<LPARAM>(&status)))
        return;
    m_captureWidth = status.uiImageWidth;
    m_captureHeight = status.uiImageHeight;
}

LRESULT CCameraPage::SendToCapture(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!::IsWindow(m_hCapture))
        return 0;
    return ::SendMessageA(m_hCapture, message, wParam, lParam);
}

void CCameraPage::OpenSourceDialog() { SendToCapture(WM_CAP_DLG_VIDEOSOURCE); }

void CCameraPage::OpenFormatDialog()
{
    if (!::IsWindow(m_hCapture))
        return;
    SendToCapture(WM_CAP_DLG_VIDEOFORMAT);
    ReadCaptureSize();
}

std::optional<std::string> CCameraPage::TakePicture()
{
    const HWND mainWindow = MainWindowHandle();
    std::optional<std::string> saved = SaveDesignBoxPicture(
        GetDlgItem(IDC_DESIGN_BOX), static_cast<int>(m_captureWidth), static_cast<int>(m_captureHeight), mainWindow);
    if (saved && mainWindow)
        ShowSnapshotNotice(mainWindow);
    return saved;
}

void CCameraPage::OnMikeRadio() { ::SetDlgItemTextA(m_hWnd, IDC_MP3_PATH, ""); }

void CCameraPage::OnMp3FileRadio()
{
    if (g_recording)
        return;
    const std::optional<std::string> path =
        win::AskFileToOpen({nullptr, "mp3 file(*.mp3)\0*.mp3\0", "mp3 file", OFN_OVERWRITEPROMPT});
    if (path) {
        ::SetDlgItemTextA(m_hWnd, IDC_MP3_PATH, path->c_str());
        return;
    }
    if (::GetWindowTextLengthA(GetDlgItem(IDC_MP3_PATH)) == 0) {
        ::CheckDlgButton(m_hWnd, IDC_MIKE_RADIO, BST_CHECKED);
        ::CheckDlgButton(m_hWnd, IDC_MP3_RADIO, BST_UNCHECKED);
    }
}

void CCameraPage::OnStandardSpeed()
{
    if (!g_recording)
        m_speedSlider.SetPos(kStandardSpeed);
}

bool CCameraPage::OnCommand(UINT id, UINT code, HWND control)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_MIKE_RADIO:
            OnMikeRadio();
            return true;
        case IDC_MP3_RADIO:
            OnMp3FileRadio();
            return true;
        case IDC_STANDARD_SPEED:
            OnStandardSpeed();
            return true;
        default:
            break;
        }
    }
    return CTabPage::OnCommand(id, code, control);
}

LRESULT CCameraPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        StopPreviewThread();
    return CTabPage::WindowProc(message, wParam, lParam);
}

void CCameraPage::StartPreviewThread()
{
    m_hStopPreview.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_hStopPreview)
        return;
    m_hPreviewThread.reset(::CreateThread(nullptr, 0, PreviewThreadProc, this, 0, nullptr));
}

void CCameraPage::StopPreviewThread()
{
    if (!m_hPreviewThread)
        return;
    ::SetEvent(m_hStopPreview.get());
    // The copy sends no message to this thread, so waiting for it can't hang.
    ::WaitForSingleObject(m_hPreviewThread.get(), INFINITE);
    m_hPreviewThread.reset();
    m_hStopPreview.reset();
}

DWORD WINAPI CCameraPage::PreviewThreadProc(LPVOID page)
{
    const auto* self = static_cast<const CCameraPage*>(page);
    while (::WaitForSingleObject(self->m_hStopPreview.get(), kPreviewCopyPeriodMs) == WAIT_TIMEOUT)
        self->CopyDesignBoxToPreview();
    return 0;
}

// Shows the box's picture as it will be saved: composed from the camera and
// the designs like a grab (without the scaling), or read from the screen when
// the capture window is the platform's.
void CCameraPage::CopyDesignBoxToPreview() const
{
    HWND previewBox = GetDlgItem(IDC_PREVIEW_BOX);
    HWND designBox = GetDlgItem(IDC_DESIGN_BOX);
    if (!::IsWindowVisible(m_hCapture) || ::IsIconic(::GetAncestor(m_hWnd, GA_ROOT)))
        return;
    const SIZE previewSize = ClientSize(previewBox);
    win::WindowDC preview(previewBox);
    if (!preview)
        return;
    ::SetStretchBltMode(preview.get(), COLORONCOLOR);
    if (const std::optional<CDibSectionDC> composed = ComposeDesignBox(designBox)) {
        ::StretchBlt(preview.get(), 0, 0, previewSize.cx, previewSize.cy, composed->DC(), 0, 0, kGrabBoxWidth,
                     kGrabBoxHeight, SRCCOPY);
        return;
    }
    const SIZE designSize = ClientSize(designBox);
    POINT origin{0, 0};
    ::ClientToScreen(m_hCapture, &origin);
    win::WindowDC screen(nullptr);
    if (screen)
        ::StretchBlt(preview.get(), 0, 0, previewSize.cx, previewSize.cy, screen.get(), origin.x, origin.y,
                     designSize.cx, designSize.cy, SRCCOPY);
}

void CCameraPage::StartRecording() { m_recording.Start(ReadRecordingSettings()); }

void CCameraPage::StopRecording() { m_recording.Stop(); }

bool CCameraPage::IsRecordingThreadRunning() const { return m_recording.IsRunning(); }

void CCameraPage::WaitForRecordingThread() const { m_recording.WaitUntilDone(); }

tavrelin::CRecordingSettings CCameraPage::ReadRecordingSettings() const
{
    tavrelin::CRecordingSettings settings;
    settings.hMainWnd = MainWindowHandle();
    settings.hDesignBox = GetDlgItem(IDC_DESIGN_BOX);
    settings.speedPosition = m_speedSlider.GetPos();
    settings.captureWidth = m_captureWidth;
    settings.captureHeight = m_captureHeight;
    settings.bMp3Sound = ::IsDlgButtonChecked(m_hWnd, IDC_MP3_RADIO) == BST_CHECKED;
    settings.mp3Path = ControlText(GetDlgItem(IDC_MP3_PATH));
    return settings;
}
