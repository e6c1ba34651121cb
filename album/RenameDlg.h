#pragma once
// The small modal dialog that asks for a new name; the album and the design
// library share it. It only refuses an empty text: what the name means is
// the caller's business.
#include "win/Dialog.h"

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
