#include "album/RenameDlg.h"

#include "res/resource.h"

CRenameDlg::CRenameDlg(win::CWnd* asking) : CDialog(IDD_RENAME, asking) {}

void CRenameDlg::DoDataExchange(win::CDataExchange* exchange) { win::DDX_Text(exchange, IDC_RENAME_EDIT, m_strName); }

void CRenameDlg::OnOK()
{
    UpdateData(true);
    if (m_strName.empty()) {
        MessageBox("please input name");
        return;
    }
    EndDialog(IDOK);
}

void CRenameDlg::OnCancel() { EndDialog(IDCANCEL); }
