#include "app/AboutDlg.h"

#include "res/resource.h"
#include "Version.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_TEXT, "Version " TAVRELIN_VERSION_STRING);
    return TRUE;
}
