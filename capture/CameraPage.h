#pragma once
// The camera page: live picture, the driver's dialogs, recording and
// snapshots.
#include "app/TabPage.h"

class CCameraPage : public CTabPage {
public:
    void OpenSourceDialog();
    void OpenFormatDialog();
    void StartRecording();
    void StopRecording();
    void TakePicture();
};
