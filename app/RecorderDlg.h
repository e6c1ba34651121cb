#pragma once
// The main window: toolbar, page tabs, the command guards of a recording and
// the process's GDI+ span.
#include "app/PageTabCtrl.h"
#include "album/AlbumPage.h"
#include "camera/CameraPage.h"
#include "core/AppMessages.h"
#include "design/DesignDlg.h"
#include "design/DesignWindows.h"
#include "win/Controls.h"
#include "win/Dialog.h"

#include <gdiplus.h>

#include <memory>

// The window property the main window carries while it lives: a second
// start finds the first copy by it, whatever other programs' windows are
// titled.
inline constexpr char kMainWindowMark[] = "Tavrelin.MainWindow";

class CRecorderDlg : public win::CDialog {
public:
    CRecorderDlg();

    // What other parts of the program reach: the album page, to list new
    // files, and the flag the design library clears when it closes.
    CAlbumPage m_albumPage;
    // Set while the design library is open; the library clears it itself.
    bool m_bDesignDlgOpen = false;

    void DoDataExchange(win::CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    // Ctrl+Tab and Ctrl+Shift+Tab switch the pages.
    bool TranslateKey(const MSG& message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT* result) override;

private:
    struct Command {
        UINT id;
        void (CRecorderDlg::*handler)();
    };
    static const Command kCommands[];

    bool CreateToolBar();
    void CreateAndPlacePages();
    int OnCreate();
    void OnPaint();
    void OnDestroy();
    bool OnToolTipText(NMHDR* header);
    void OnRecordingFailed(ERecordingFailure failure);
    void OnConfigNotWritten();

    void OnTakePictures();
    void OnStartRecord();
    void OnEndRecord();
    void OnCameraConfig();
    void OnVideoFormat();
    void OnDesignManagement();
    void OnWindowStyle();
    void OnReadMe();
    void OnAbout();

    CPageTabCtrl m_tab;
    HICON m_hIcon = nullptr;
    win::CToolBar m_wndToolBar;
    Gdiplus::GdiplusStartupInput m_gdiplusStartupInput;
    ULONG_PTR m_gdiplusToken = 0;
    CCameraPage m_cameraPage;
    std::unique_ptr<CDesignDlg> m_pDesignDlg;
    // The design windows outlive the library that opened them.
    CDesignWindows m_designWindows;
    bool m_bToldConfigNotWritten = false;
};
