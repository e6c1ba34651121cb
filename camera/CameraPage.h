#pragma once
// The camera page: live picture, the driver's dialogs, recording and
// snapshots.
#include "recording/RecordingSession.h"
#include "win/TabPage.h"
#include "win/Controls.h"
#include "win/UniqueHandle.h"

#include <optional>
#include <string>

class CCameraPage : public CTabPage {
public:
    CCameraPage();
    ~CCameraPage() override;

    void OpenSourceDialog();
    void OpenFormatDialog();
    void StartRecording();
    void StopRecording();
    // A recording thread is still capturing or composing its file.
    bool IsRecordingThreadRunning() const;
    // Waits for the recording to complete its file, keeping the window's
    // messages flowing so that the strip and the page stay painted. A
    // compressor dialog still open after "end video record" is cancelled.
    void WaitForRecordingThread() const;
    // True when a picture was saved, so that the album has a new file to list.
    // The path of the picture made, nullopt when none was.
    std::optional<std::string> TakePicture();

    void OnMikeRadio();
    void OnMp3FileRadio();
    void OnStandardSpeed();

protected:
    void DoDataExchange(win::CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

public:
    win::CSliderCtrl m_speedSlider;
    HWND m_hCapture = nullptr;
    UINT32 m_captureWidth = 0;
    UINT32 m_captureHeight = 0;

private:
    tavrelin::CRecordingSettings ReadRecordingSettings() const;

    bool CreateCaptureWindowOverDesignBox();
    bool ConnectDriver() const;
    void StartPreview();
    void ReadCaptureSize();
    // Sends to the capture window only while it is a live window; a dead one
    // answers 0, like a failed operation.
    LRESULT SendToCapture(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void StartPreviewThread();
    void StopPreviewThread();
    static DWORD WINAPI PreviewThreadProc(LPVOID page);
    void CopyDesignBoxToPreview() const;

    // Kept (unlike a fire-and-forget thread) so the page can stop the copy
    // before its windows and the object itself go away.
    win::UniqueKernelHandle m_hPreviewThread;
    win::UniqueKernelHandle m_hStopPreview;
    // Declared last so that it goes first: a recording still capturing when
    // the page goes ends and completes its file.
    tavrelin::CRecordingSession m_recording;
};
