#pragma once
#include "win/App.h"

class CRecorderApp : public win::CWinApp {
public:
    bool InitInstance() override;
};

// True when no other copy runs; otherwise brings that copy to the front.
bool ActivatePreviousInstance();
