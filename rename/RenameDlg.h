#pragma once
// The small modal dialog that asks for a new name; the album and the design
// library share it. It only refuses an empty text: what the name means is
// the caller's business.
#include "win/Controls.h"
#include "win/Dialog.h"

#include <optional>

#include <string>

class CRenameDlg : public win::CDialog {
public:
    // The window that asks owns the dialog (its top-level window when it is
    // a child), so it can't be used or closed while the question is open.
    explicit CRenameDlg(win::CWnd* asking = nullptr);

    std::string m_strName;

    void DoDataExchange(win::CDataExchange* exchange) override;
    void OnOK() override;
    void OnCancel() override;
};

// A rename of the list's selected item, whose text is a file name.
struct SRenaming {
    int item;
    std::string oldName;
    std::string newName;
};

// Asks for a new name, then takes the selected item. The typed name gets the
// extension (the old name's last four characters when `extension` is empty)
// unless it already ends in exactly that. Nullopt when the user cancels, no
// item is selected, the name would leave the folder or can't name a file, or
// nothing would change.
std::optional<SRenaming> AskRenaming(win::CWnd* asking, const win::CListCtrl& list, const std::string& extension);
