#pragma once
// One recording at a time: the thread that grabs the design box into a
// numbered AVI file, the microphone or MP3 sound added at the end, and the
// status strip meanwhile. The camera page owns one session and hands it what
// the recording needs, read once on the window's thread when "start video
// record" is accepted: a change of the dub choice while capturing cannot
// leave the microphone running or the video without sound. The recording
// thread waits for the window's thread only for the compressor choice, which
// that thread shows (no window is ever opened on the recording thread) and
// which a closing program abandons.
#include "audio/MicrophoneRecorder.h"
#include "core/AppMessages.h"
#include "aviwin/AviFileWriter.h"
#include "recording/StatusStrip.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <thread>

namespace tavrelin {

struct CRecordingSettings {
    HWND hMainWnd = nullptr;
    HWND hDesignBox = nullptr;
    int speedPosition = 0;
    UINT32 captureWidth = 0;
    UINT32 captureHeight = 0;
    bool bMp3Sound = false;
    std::string mp3Path;
};

// Each frame lasts a tenth of the slider position times three milliseconds:
// 30 ms at "rapidness" (100), 120 ms at "standard" (400), 210 ms at "slow" (700).
inline LONG FramePeriodForSpeed(int speedPosition) { return speedPosition / 10 * 3; }

class CRecordingSession {
public:
    CRecordingSession() = default;
    // Ends a recording still capturing and waits until its file is complete.
    ~CRecordingSession();
    CRecordingSession(const CRecordingSession&) = delete;
    CRecordingSession& operator=(const CRecordingSession&) = delete;

    // Sets g_recording and starts the recording thread. Refused while a
    // recording still captures or composes: it shares the microphone and
    // the strip.
    void Start(const CRecordingSettings& settings);
    // "end video record": the thread notices within one pass of its loop.
    void Stop();
    // The recording thread is still capturing or composing its file.
    bool IsRunning() const;
    // Waits for the recording to complete its file, keeping the calling
    // thread's messages flowing so that the strip and the windows stay
    // painted. A compressor dialog still open after "end video record" is
    // cancelled.
    void WaitUntilDone() const;

private:
    static DWORD WINAPI ThreadProc(LPVOID session);
    void Record();
    // Grabs and appends frames until "end video record"; false when the
    // compressor dialog was cancelled. Counts the frames the file holds.
    bool CaptureFrames(AviWriter* writer, const std::string& wavPath);
    void StartSound(const std::string& wavPath);
    void AddSound(AviWriter* writer, const std::string& wavPath);
    void Report(ERecordingFailure failure) const;
    void StartStatusStrip();
    void StopStatusStrip();

    CRecordingSettings m_settings;
    CAviFileWriter m_writer;
    CMicrophoneRecorder m_microphone;
    std::thread m_mp3Decoding;
    CStatusStrip m_statusStrip;
    win::UniqueKernelHandle m_hThread;
    // Set when the program closes while the compressor dialog is open.
    win::UniqueKernelHandle m_hAbandonChoice;
    long m_framesWritten = 0;
    bool m_bWriteFailed = false;
};

} // namespace tavrelin
