#pragma once
// A page behind the main window's tab control: a child dialog on which Enter
// and Escape do nothing.
#include "win/Dialog.h"

class CTabPage : public win::CDialog {
public:
    void OnOK() override {}
    void OnCancel() override {}
};
