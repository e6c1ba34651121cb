#include "rename/RenameDlg.h"

#include "rename/FileNames.h"
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

std::optional<SRenaming> AskRenaming(win::CWnd* asking, const win::CListCtrl& list, const std::string& extension)
{
    CRenameDlg dialog(asking);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    const int item = list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0)
        return std::nullopt;
    SRenaming renaming{item, list.GetItemText(item, 0), {}};
    renaming.newName = RenamedFileName(extension.empty() ? renaming.oldName : extension, dialog.m_strName);
    if (!IsPlainFileName(dialog.m_strName) || !IsPlainFileName(renaming.newName) ||
        renaming.newName == renaming.oldName)
        return std::nullopt;
    return renaming;
}
