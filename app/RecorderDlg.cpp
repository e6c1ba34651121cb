#include "app/RecorderDlg.h"

#include "app/AboutDlg.h"
#include "app/WindowStyleDlg.h"
#include "core/PageLayout.h"
#include "core/Globals.h"
#include "core/PostedPath.h"
#include "app/SplashWindow.h"
#include "app/StartupPaths.h"
#include "recording/UnfinishedRecordings.h"
#include "res/resource.h"
#include "win/App.h"

#include <shellapi.h>

#include <cstring>

const CRecorderDlg::Command CRecorderDlg::kCommands[] = {
    {ID_TAKE_PICTURES, &CRecorderDlg::OnTakePictures},
    {ID_START_RECORD, &CRecorderDlg::OnStartRecord},
    {ID_END_RECORD, &CRecorderDlg::OnEndRecord},
    {ID_PC_CAMERA_CONFIG, &CRecorderDlg::OnCameraConfig},
    {ID_VIDEO_FORMAT, &CRecorderDlg::OnVideoFormat},
    {ID_DESIGN_MANAGEMENT, &CRecorderDlg::OnDesignManagement},
    {ID_WINDOW_STYLE, &CRecorderDlg::OnWindowStyle},
    {ID_READ_ME, &CRecorderDlg::OnReadMe},
    {ID_APP_ABOUT, &CRecorderDlg::OnAbout},
};

CRecorderDlg::CRecorderDlg() : CDialog(IDD_RECORDER_DIALOG)
{
    g_recording = false;
    g_composing = false;
    m_hIcon = ::LoadIconA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    InitializeProgramPaths();
    LoadConfiguredSkin();
    RepairUnfinishedRecordings();
}

void CRecorderDlg::DoDataExchange(win::CDataExchange* exchange) { win::DDX_Control(exchange, IDC_PAGE_TAB, m_tab); }

LRESULT CRecorderDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NEWEST_VIDEO:
        if (const std::optional<std::string> video = TakePostedPath(lParam))
            m_albumPage.AddNewestVideo(*video);
        return 0;
    case WM_RECORDING_FAILED:
        OnRecordingFailed(static_cast<ERecordingFailure>(wParam));
        return 0;
    case WM_CONFIG_NOT_WRITTEN:
        OnConfigNotWritten();
        return 0;
    case WM_TOOLBAR_JOINS_TAB_ORDER:
        m_wndToolBar.JoinTabOrderFirst();
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

int CRecorderDlg::OnCreate()
{
    if (Default() == -1)
        return -1;
    ShowSplash(this);
    return 0;
}

BOOL CRecorderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetPropA(m_hWnd, kMainWindowMark, m_hWnd);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &m_gdiplusStartupInput, nullptr);
    m_bDesignDlgOpen = false;
    if (!CreateToolBar())
        return FALSE;
    CreateAndPlacePages();
    // Tab reaches the toolbar first, once the window has its first focus,
    // which stays where it always was.
    PostMessage(WM_TOOLBAR_JOINS_TAB_ORDER);
    return TRUE;
}

bool CRecorderDlg::CreateToolBar()
{
    const RECT borders{4, 4, 0, 0};
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, WS_CHILD | WS_VISIBLE, borders, AFX_IDW_TOOLBAR))
        return false;
    if (!m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
        return false;
    m_wndToolBar.ShowWindow(SW_SHOW);
    win::CImageList images;
    images.Create(48, 48, ILC_COLORDDB | ILC_MASK, 20, 1);
    win::UniqueBitmap strip(::LoadBitmapA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_TOOLBAR_IMAGES)));
    images.AddMasked(strip.get(), RGB(255, 0, 255));
    m_wndToolBar.SetImageList(images);
    m_wndToolBar.RepositionAtTop();
    return true;
}

bool CRecorderDlg::TranslateKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || !(::GetKeyState(VK_CONTROL) & 0x8000) ||
        m_tab.PageCount() < 2)
        return false;
    const int step = (::GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
    const int next = (m_tab.CurrentPage() + step + m_tab.PageCount()) % m_tab.PageCount();
    HWND focus = ::GetFocus();
    m_tab.SelectPage(next);
    // The focus leaves a page that is no longer shown.
    if (focus && !::IsWindowVisible(focus))
        ::SetFocus(m_tab.m_hWnd);
    return true;
}

void CRecorderDlg::CreateAndPlacePages()
{
    m_tab.AddPage("Camera", &m_cameraPage, IDD_CAMERA_PAGE);
    m_tab.AddPage("Album", &m_albumPage, IDD_ALBUM_PAGE);
    m_tab.SelectPage(0);
    m_tab.CreatePages();
    const RECT client = m_tab.GetClientRect();
    const PageRect area = MainWindowPageArea(client.right - client.left, client.bottom - client.top);
    m_cameraPage.MoveWindow(area.x, area.y, area.width, area.height);
    m_albumPage.MoveWindow(area.x, area.y, area.width, area.height);
    // Recordings cut short by a crash were repaired when this window was
    // made, so the album lists them whole.
    m_albumPage.ListAlbumFolder();
}

bool CRecorderDlg::OnCommand(UINT id, UINT code, HWND control)
{
    for (const Command& command : kCommands) {
        if (command.id == id) {
            (this->*command.handler)();
            return true;
        }
    }
    return CDialog::OnCommand(id, code, control);
}

bool CRecorderDlg::OnNotify(NMHDR* header, LRESULT* result)
{
    if (header->code == TTN_NEEDTEXTA) {
        *result = 0;
        return OnToolTipText(header);
    }
    return CDialog::OnNotify(header, result);
}

bool CRecorderDlg::OnToolTipText(NMHDR* header)
{
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    UINT_PTR id = header->idFrom;
    if (info->uFlags & TTF_IDISHWND)
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    if (id == 0)
        return true;
    char text[256] = {};
    ::LoadStringA(win::AfxGetInstanceHandle(), static_cast<UINT>(id), text, sizeof text);
    const char* tip = text;
    if (const char* newline = strchr(text, '\n'))
        tip = newline + 1;
    ::lstrcpynA(info->szText, tip, sizeof info->szText);
    info->lpszText = info->szText;
    ::SetWindowPos(header->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return true;
}

void CRecorderDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    win::PaintDC paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.get()));
    const RECT client = GetClientRect();
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(paint.get(), x, y, m_hIcon);
}

void CRecorderDlg::OnDestroy()
{
    ::RemovePropA(m_hWnd, kMainWindowMark);
    Default();
    // The pages' windows go only after this one: the album's threads that
    // make pictures are stopped before GDI+ goes.
    m_albumPage.StopImageWork();
    // The library and the design windows hold GDI+ images.
    if (m_pDesignDlg && m_pDesignDlg->m_hWnd)
        m_pDesignDlg->DestroyWindow();
    m_pDesignDlg.reset();
    m_designWindows.CloseAll();
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

void CRecorderDlg::OnCancel()
{
    if (g_recording) {
        MessageBox("first please end video record");
        return;
    }
    // A recording that composes would leave a damaged video behind.
    m_cameraPage.WaitForRecordingThread();
    CDialog::OnCancel();
}

void CRecorderDlg::OnRecordingFailed(ERecordingFailure failure)
{
    switch (failure) {
    case ERecordingFailure::CannotCreate:
        MessageBox("Can not create avi file!");
        break;
    case ERecordingFailure::CannotWrite:
        MessageBox("Can not write avi file!");
        break;
    case ERecordingFailure::NoMp3Sound:
        MessageBox("Can not read mp3 file, the video has no sound!");
        break;
    case ERecordingFailure::NoMicrophone:
        MessageBox("Can not open microphone, the video has no sound!");
        break;
    }
}

// Once a run: a folder the user may not write to would otherwise ask after
// every picture. The pictures and videos themselves are still made.
void CRecorderDlg::OnConfigNotWritten()
{
    if (m_bToldConfigNotWritten)
        return;
    m_bToldConfigNotWritten = true;
    MessageBox("Can not write Config.ini!");
}

void CRecorderDlg::OnTakePictures()
{
    if (const std::optional<std::string> picture = m_cameraPage.TakePicture())
        PostPathMessage(m_albumPage.m_hWnd, WM_ALBUM_NEWEST_PICTURE, *picture);
}

void CRecorderDlg::OnStartRecord()
{
    if (!g_recording)
        m_cameraPage.StartRecording();
}

void CRecorderDlg::OnEndRecord()
{
    if (g_recording)
        m_cameraPage.StopRecording();
}

void CRecorderDlg::OnCameraConfig()
{
    if (!g_recording)
        m_cameraPage.OpenSourceDialog();
}

void CRecorderDlg::OnVideoFormat()
{
    if (!g_recording)
        m_cameraPage.OpenFormatDialog();
}

void CRecorderDlg::OnDesignManagement()
{
    if (g_recording || m_bDesignDlgOpen)
        return;
    m_pDesignDlg = std::make_unique<CDesignDlg>(m_designWindows, [this] { m_bDesignDlgOpen = false; });
    if (m_pDesignDlg->Open())
        m_bDesignDlgOpen = true;
}

void CRecorderDlg::OnWindowStyle()
{
    if (g_recording)
        return;
    CWindowStyleDlg styles;
    styles.DoModal();
}

void CRecorderDlg::OnReadMe()
{
    if (g_recording)
        return;
    const std::string readMe = g_programFolder + "ReadMe.txt";
    ::ShellExecuteA(m_hWnd, "open", readMe.c_str(), "", "", SW_SHOW);
}

void CRecorderDlg::OnAbout()
{
    if (g_recording)
        return;
    CAboutDlg about;
    about.DoModal();
}
