#pragma once
// The camera page: live picture, the driver's dialogs, recording and
// snapshots.
#include "AviFileWriter.h"
#include "MicrophoneRecorder.h"
#include "Recording.h"
#include "StatusStrip.h"
#include "app/TabPage.h"
#include "win/Controls.h"
#include "win/UniqueHandle.h"

class CCameraPage : public CTabPage, public CAviFileWriter {
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
    bool TakePicture();

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
    HWND m_hMciWnd = nullptr;
    HANDLE m_hStatusThread = nullptr;
    UINT32 m_captureWidth = 0;
    UINT32 m_captureHeight = 0;
    CMicrophoneRecorder m_microphone;

private:
    static DWORD WINAPI RecordThreadProc(LPVOID page);
    void RecordVideo();
    CRecordingSettings ReadRecordingSettings() const;
    void AddSound(AviWriter* writer, const std::string& wavPath);
    void StartStatusThread();
    void StopStatusThread();

    CRecordingSettings m_recordingSettings;
    CStatusStrip m_statusStrip;
    win::UniqueKernelHandle m_hRecordThread;
    DWORD m_recordThreadId = 0;

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
};
