// The recording thread of the camera page: numbered AVI files of the design
// box's picture with the microphone's or an MP3 file's sound.
#include "CameraPage.h"

#include "CompressorDialog.h"
#include "FrameGrab.h"
#include "Mp3Decoder.h"
#include "app/Config.h"
#include "app/Globals.h"
#include "res/resource.h"
#include "win/App.h"
#include "win/Wnd.h"

#include <vector>

namespace {

constexpr DWORD kCapturePauseMs = 100;
constexpr DWORD kDialogCheckMs = 100;

std::string ControlText(HWND control)
{
    const int length = ::GetWindowTextLengthA(control);
    if (length <= 0)
        return {};
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(control, text.data(), length + 1);
    return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

HWND MainWindowHandle()
{
    const win::CWnd* main = win::AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

BOOL CALLBACK CancelIfCompressorDialog(HWND window, LPARAM)
{
    char title[64] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(title, kCompressorDialogTitle) == 0)
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// A program that is being closed before the compressor was chosen abandons
// that recording, as the dialog's Cancel does, instead of waiting for an
// answer nobody is going to give.
void CancelCompressorChoice(DWORD recordThreadId)
{
    if (recordThreadId != 0 && !g_recording)
        ::EnumThreadWindows(recordThreadId, CancelIfCompressorDialog, 0);
}

} // namespace

void CCameraPage::StartRecording()
{
    // A recording that still composes shares the microphone and the strip.
    if (g_recording || IsRecordingThreadRunning())
        return;
    m_recordingSettings = ReadRecordingSettings();
    g_recording = true;
    g_composing = false;
    m_hRecordThread.reset(::CreateThread(nullptr, 0, RecordThreadProc, this, 0, &m_recordThreadId));
    if (!m_hRecordThread)
        g_recording = false;
}

void CCameraPage::StopRecording() { g_recording = false; }

bool CCameraPage::IsRecordingThreadRunning() const
{
    return m_hRecordThread && ::WaitForSingleObject(m_hRecordThread.get(), 0) == WAIT_TIMEOUT;
}

void CCameraPage::WaitForRecordingThread() const
{
    if (!m_hRecordThread)
        return;
    const HANDLE thread = m_hRecordThread.get();
    for (;;) {
        CancelCompressorChoice(m_recordThreadId);
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &thread, FALSE, kDialogCheckMs, QS_ALLINPUT);
        if (woken == WAIT_TIMEOUT)
            continue;
        if (woken != WAIT_OBJECT_0 + 1)
            return;
        MSG message{};
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The quit belongs to the loop we were called from.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                ::WaitForSingleObject(thread, INFINITE);
                return;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

CRecordingSettings CCameraPage::ReadRecordingSettings() const
{
    CRecordingSettings settings;
    settings.hMainWnd = MainWindowHandle();
    settings.hDesignBox = GetDlgItem(IDC_DESIGN_BOX);
    settings.speedPosition = m_speedSlider.GetPos();
    settings.captureWidth = m_captureWidth;
    settings.captureHeight = m_captureHeight;
    settings.bMp3Sound = ::IsDlgButtonChecked(m_hWnd, IDC_MP3_RADIO) == BST_CHECKED;
    settings.mp3Path = ControlText(GetDlgItem(IDC_MP3_PATH));
    return settings;
}

DWORD WINAPI CCameraPage::RecordThreadProc(LPVOID page)
{
    static_cast<CCameraPage*>(page)->RecordVideo();
    return 0;
}

void CCameraPage::RecordVideo()
{
    const CRecordingSettings& settings = m_recordingSettings;
    const std::string wavPath = g_programFolder + "wavtmp.wav";
    const std::string videoPath = StepCounterToFreeFile("AVISUM", g_albumFolder, ".avi");
    std::unique_ptr<AviWriter> writer = AviOpen(videoPath.c_str(), FramePeriodForSpeed(settings.speedPosition), nullptr);
    const int width = static_cast<int>(settings.captureWidth);
    const int height = static_cast<int>(settings.captureHeight);
    bool firstPass = true;
    while (g_recording) {
        win::UniqueBitmap frame = GrabDesignBox(settings.hDesignBox, width, height);
        if (firstPass) {
            firstPass = false;
            AVICOMPRESSOPTIONS options{};
            options.fccHandler = mmioFOURCC('d', 'i', 'v', 'x');
            if (AviConfigureVideo(writer.get(), frame.get(), &options, TRUE, nullptr) == AVIERR_USERABORT) {
                g_recording = false;
                AviClose(std::move(writer));
                ::DeleteFileA(videoPath.c_str());
                return;
            }
            ::DeleteFileA(wavPath.c_str());
            if (!settings.bMp3Sound)
                m_microphone.Start();
            StartStatusThread();
        }
        if (frame)
            AviAppendFrame(writer.get(), frame.get());
        ::Sleep(kCapturePauseMs);
    }
    g_composing = true;
    m_statusStrip.DrawNow();
    AddSound(writer.get(), wavPath);
    AviClose(std::move(writer));
    StopStatusThread();
    // The album lists the video on the window's thread; posting never waits
    // for it, also not while the window waits for this thread to end.
    ::PostMessageA(settings.hMainWnd, WM_NEWEST_VIDEO, 0, 0);
    g_composing = false;
}

void CCameraPage::AddSound(AviWriter* writer, const std::string& wavPath)
{
    ::DeleteFileA(wavPath.c_str());
    if (m_recordingSettings.bMp3Sound)
        DecodeMp3ToWave(m_recordingSettings.mp3Path, wavPath);
    else
        m_microphone.FinishInto(wavPath);
    AviAppendWaveFile(writer, wavPath.c_str());
    ::DeleteFileA(wavPath.c_str());
}

void CCameraPage::StartStatusThread()
{
    m_statusStrip.Start(m_recordingSettings.hMainWnd, g_composing);
    m_hStatusThread = m_statusStrip.ThreadHandle();
}

void CCameraPage::StopStatusThread()
{
    m_statusStrip.Stop();
    m_hStatusThread = nullptr;
    EraseStatusStrip(m_recordingSettings.hMainWnd);
}
