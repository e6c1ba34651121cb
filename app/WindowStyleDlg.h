#pragma once
// The "window style config" dialog: each click on a look writes it to
// Config.ini and loads it at once, so the dialog itself shows the choice.
// Enter leaves it open; Escape and the close box end it.
#include "win/Dialog.h"

class CWindowStyleDlg : public win::CDialog {
public:
    CWindowStyleDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    bool OnCommand(UINT id, UINT code, HWND control) override;
};
