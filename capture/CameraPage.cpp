#include "CameraPage.h"

#include "app/Globals.h"

void CCameraPage::OpenSourceDialog() {}

void CCameraPage::OpenFormatDialog() {}

void CCameraPage::StartRecording()
{
    if (g_recording)
        return;
    g_recording = true;
    g_composing = false;
}

void CCameraPage::StopRecording()
{
    g_recording = false;
}

void CCameraPage::TakePicture() {}
