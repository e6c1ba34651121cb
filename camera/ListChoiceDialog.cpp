#include "camera/ListChoiceDialog.h"

#include "win/Dialog.h"
#include "win/DialogTemplate.h"

namespace {

// The list, a prompt above it, OK and Cancel; the chosen index on OK.
class CListChoiceDlg final : public win::CDialog {
public:
    CListChoiceDlg(const std::vector<std::string>& entries, int selected) : m_entries(entries), m_selected(selected) {}

    int Selected() const { return m_selected; }

protected:
    BOOL OnInitDialog() override
    {
        for (const std::string& entry : m_entries)
            ::SendDlgItemMessageA(m_hWnd, kChoiceListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        ::SendDlgItemMessageA(m_hWnd, kChoiceListId, LB_SETCURSEL, static_cast<WPARAM>(m_selected), 0);
        return TRUE;
    }

    // Without a selection OK does nothing: the dialog stays open.
    void OnOK() override
    {
        const LRESULT index = ::SendDlgItemMessageA(m_hWnd, kChoiceListId, LB_GETCURSEL, 0, 0);
        if (index == LB_ERR)
            return;
        m_selected = static_cast<int>(index);
        EndDialog(IDOK);
    }

    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == kChoiceListId && code == LBN_DBLCLK) {
            OnOK();
            return true;
        }
        return CDialog::OnCommand(id, code, control);
    }

private:
    const std::vector<std::string>& m_entries;
    int m_selected;
};

} // namespace

std::optional<int> ChooseFromList(HWND owner, const char* title, const char* prompt,
                                  const std::vector<std::string>& entries, int selected)
{
    using Template = win::CDialogTemplate;
    Template dialogTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 160, 120, win::WidenAnsi(title));
    dialogTemplate.AddControl(Template::kStatic, win::WidenAnsi(prompt), Template::kNoId, 0, 7, 7, 146, 8);
    dialogTemplate.AddControl(Template::kListBox, L"", kChoiceListId, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                              7, 18, 146, 74);
    dialogTemplate.AddControl(Template::kButton, L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 49, 98, 50, 14);
    dialogTemplate.AddControl(Template::kButton, L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 103, 98, 50, 14);
    CListChoiceDlg dialog(entries, selected);
    if (dialog.DoModalIndirect(dialogTemplate.Get(), owner) != IDOK)
        return std::nullopt;
    return dialog.Selected();
}
