// The recording thread: numbered AVI files of the design box's picture with
// the microphone's or an MP3 file's sound.
#include "recording/RecordingSession.h"

#include "audio/Mp3Decoder.h"
#include "aviwin/CompressorDialog.h"
#include "core/Config.h"
#include "core/Globals.h"
#include "core/PostedPath.h"
#include "grab/FrameGrab.h"
#include "win/MessagePump.h"

namespace {

constexpr DWORD kCapturePauseMs = 100;
constexpr DWORD kDialogCheckMs = 100;

BOOL CALLBACK CancelIfCompressorDialog(HWND window, LPARAM)
{
    char title[64] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (::lstrcmpA(title, kCompressorDialogTitle) == 0)
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// A program that is being closed before the compressor was chosen abandons
// that recording, as the dialog's Cancel does, instead of waiting for an
// answer nobody is going to give. The dialog runs on this (the window's)
// thread, perhaps further down this very stack: the recording stops waiting
// for it at once, and the dialog closes when its loop gets its turn.
void CancelCompressorChoice(HANDLE abandonChoice)
{
    if (g_recording)
        return;
    ::SetEvent(abandonChoice);
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelIfCompressorDialog, 0);
}

// Runs the calling thread's messages until the thread ends.
void PumpUntilEnded(HANDLE thread, HANDLE abandonChoice)
{
    win::PumpMessagesUntil([thread] { return ::WaitForSingleObject(thread, 0) != WAIT_TIMEOUT; }, kDialogCheckMs,
                           thread, [abandonChoice] { CancelCompressorChoice(abandonChoice); });
}

} // namespace

namespace tavrelin {

CRecordingSession::~CRecordingSession()
{
    g_recording = false;
    WaitUntilDone();
}

void CRecordingSession::Start(const CRecordingSettings& settings)
{
    if (g_recording || IsRunning())
        return;
    m_settings = settings;
    m_framesWritten = 0;
    m_bWriteFailed = false;
    m_hAbandonChoice.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    m_writer.OpenDialogsOnThreadOf(settings.hMainWnd, m_hAbandonChoice.get());
    g_recording = true;
    g_composing = false;
    m_hThread.reset(::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr));
    if (!m_hThread)
        g_recording = false;
}

void CRecordingSession::Stop() { g_recording = false; }

bool CRecordingSession::IsRunning() const
{
    return m_hThread && ::WaitForSingleObject(m_hThread.get(), 0) == WAIT_TIMEOUT;
}

void CRecordingSession::WaitUntilDone() const
{
    if (m_hThread)
        PumpUntilEnded(m_hThread.get(), m_hAbandonChoice.get());
}

DWORD WINAPI CRecordingSession::ThreadProc(LPVOID session)
{
    static_cast<CRecordingSession*>(session)->Record();
    return 0;
}

void CRecordingSession::Record()
{
    const std::string wavPath = g_programFolder + "wavtmp.wav";
    // Moves past files already in the album: a recording never replaces one.
    const std::optional<SCounterStep> step = StepCounterToFreeFile("AVISUM", g_albumFolder, ".avi");
    if (step && !step->stored)
        ::PostMessageA(m_settings.hMainWnd, WM_CONFIG_NOT_WRITTEN, 0, 0);
    const std::string videoPath = step ? step->path : std::string();
    std::unique_ptr<AviWriter> writer =
        step ? m_writer.AviOpen(videoPath.c_str(), FramePeriodForSpeed(m_settings.speedPosition), nullptr) : nullptr;
    if (!writer) {
        g_recording = false;
        Report(ERecordingFailure::CannotCreate);
        return;
    }
    if (!CaptureFrames(writer.get(), wavPath)) {
        m_writer.AviClose(std::move(writer));
        ::DeleteFileA(videoPath.c_str());
        return;
    }
    g_composing = true;
    m_statusStrip.DrawNow();
    AddSound(writer.get(), wavPath);
    if (FAILED(m_writer.AviClose(std::move(writer))))
        m_bWriteFailed = true;
    StopStatusStrip();
    if (m_framesWritten == 0 && m_bWriteFailed)
        ::DeleteFileA(videoPath.c_str());
    if (m_bWriteFailed)
        Report(ERecordingFailure::CannotWrite);
    // The album lists the video on the window's thread; posting never waits
    // for it, also not while the window waits for this thread to end.
    if (m_framesWritten > 0 || !m_bWriteFailed)
        PostPathMessage(m_settings.hMainWnd, WM_NEWEST_VIDEO, videoPath);
    g_composing = false;
}

bool CRecordingSession::CaptureFrames(AviWriter* writer, const std::string& wavPath)
{
    const int width = static_cast<int>(m_settings.captureWidth);
    const int height = static_cast<int>(m_settings.captureHeight);
    bool firstPass = true;
    while (g_recording) {
        win::UniqueBitmap frame = GrabDesignBox(m_settings.hDesignBox, width, height);
        if (firstPass) {
            firstPass = false;
            AVICOMPRESSOPTIONS options{};
            options.fccHandler = mmioFOURCC('d', 'i', 'v', 'x');
            if (m_writer.AviConfigureVideo(writer, frame.get(), &options, TRUE, nullptr) == AVIERR_USERABORT) {
                g_recording = false;
                return false;
            }
            ::DeleteFileA(wavPath.c_str());
            StartSound(wavPath);
            StartStatusStrip();
        }
        if (frame) {
            const HRESULT appended = m_writer.AviAppendFrame(writer, frame.get());
            if (SUCCEEDED(appended)) {
                ++m_framesWritten;
            } else if (appended != AVIERR_BADPARAM && appended != AVIERR_BADFORMAT) {
                // The disk is full or the file is gone: what was written is
                // kept, and more frames would only fail the same way.
                m_bWriteFailed = true;
                g_recording = false;
                break;
            }
        }
        ::Sleep(kCapturePauseMs);
    }
    return true;
}

// The sound is on disk as "wavtmp.wav" while the frames are captured: the
// microphone's as it is recorded, the MP3 file's decoded meanwhile, so that
// the start-up repair can add it to the video if the program ends before the
// recording does.
//
// Sound that can't be had is told at once, and the video is recorded on
// without it.
void CRecordingSession::StartSound(const std::string& wavPath)
{
    if (!m_settings.bMp3Sound) {
        if (!m_microphone.Start(wavPath))
            Report(ERecordingFailure::NoMicrophone);
        return;
    }
    m_mp3Decoding = std::thread([this, wavPath] {
        if (!DecodeMp3ToWave(m_settings.mp3Path, wavPath))
            Report(ERecordingFailure::NoMp3Sound);
    });
}

void CRecordingSession::AddSound(AviWriter* writer, const std::string& wavPath)
{
    if (m_mp3Decoding.joinable())
        m_mp3Decoding.join();
    if (!m_settings.bMp3Sound)
        m_microphone.Finish();
    const HRESULT added = m_writer.AviAppendWaveFile(writer, wavPath.c_str());
    if (added == AVIERR_FILEWRITE)
        m_bWriteFailed = true;
    ::DeleteFileA(wavPath.c_str());
}

void CRecordingSession::Report(ERecordingFailure failure) const
{
    ::PostMessageA(m_settings.hMainWnd, WM_RECORDING_FAILED, static_cast<WPARAM>(failure), 0);
}

void CRecordingSession::StartStatusStrip() { m_statusStrip.Start(m_settings.hMainWnd, g_composing); }

void CRecordingSession::StopStatusStrip()
{
    m_statusStrip.Stop();
    EraseStatusStrip(m_settings.hMainWnd);
}

} // namespace tavrelin
