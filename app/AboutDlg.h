#pragma once
#include "win/Dialog.h"

// The program's name, version and what it does.
class CAboutDlg : public win::CDialog {
public:
    CAboutDlg();
    BOOL OnInitDialog() override;
};
