#include "audio/MicrophoneRecorder.h"

#include "riff/WaveFormatEx.h"

namespace {

constexpr std::size_t kBufferBytes = 8820;     // a tenth of a second
constexpr std::uint32_t kRefreshBytes = 88200; // a second

WaveFormat MicrophoneFormat()
{
    WaveFormat format;
    format.wFormatTag = kWaveFormatPcm;
    format.nChannels = 1;
    format.nSamplesPerSec = 44100;
    format.nAvgBytesPerSec = 88200;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    return format;
}

} // namespace

CMicrophoneRecorder::~CMicrophoneRecorder() { Discard(); }

bool CMicrophoneRecorder::Start(const std::string& wavPath)
{
    Discard();
    m_bWriteFailed = false;
    m_refreshedSize = 0;
    if (!m_recording.Open(wavPath, MicrophoneFormat(), CWaveWriter::EPlace::inPlace))
        return false;
    if (!OpenInput()) {
        m_recording.Discard();
        return false;
    }
    QueueBuffers();
    if (m_queued.empty() || ::waveInStart(m_hWaveIn) != MMSYSERR_NOERROR) {
        Discard();
        return false;
    }
    m_captureThread = std::thread(&CMicrophoneRecorder::CaptureLoop, this);
    return true;
}

bool CMicrophoneRecorder::OpenInput()
{
    WAVEFORMATEX format = ToWaveFormatEx(MicrophoneFormat());
    m_bufferDone.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!m_bufferDone)
        return false;
    HWAVEIN hWaveIn = nullptr;
    if (::waveInOpen(&hWaveIn, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(m_bufferDone.get()), 0,
                     CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        return false;
    }
    m_hWaveIn = hWaveIn;
    return true;
}

void CMicrophoneRecorder::QueueBuffers()
{
    m_bStopping = false;
    m_queued.clear();
    for (std::size_t index = 0; index < m_buffers.size(); ++index) {
        CInputBuffer& buffer = m_buffers[index];
        buffer.samples.resize(kBufferBytes);
        buffer.header = WAVEHDR{};
        buffer.header.lpData = buffer.samples.data();
        buffer.header.dwBufferLength = static_cast<DWORD>(buffer.samples.size());
        if (::waveInPrepareHeader(m_hWaveIn, &buffer.header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR &&
            ::waveInAddBuffer(m_hWaveIn, &buffer.header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR) {
            m_queued.push_back(index);
        }
    }
}

// Buffers come back in the order they were queued; each is stored and handed
// back to the device until the recording stops. The loop ends when the device
// holds no buffer any more.
void CMicrophoneRecorder::CaptureLoop()
{
    while (!m_queued.empty()) {
        ::WaitForSingleObject(m_bufferDone.get(), INFINITE);
        while (!m_queued.empty() && (m_buffers[m_queued.front()].header.dwFlags & WHDR_DONE)) {
            const std::size_t index = m_queued.front();
            m_queued.pop_front();
            if (StoreAndRequeue(m_buffers[index]))
                m_queued.push_back(index);
        }
    }
}

bool CMicrophoneRecorder::StoreAndRequeue(CInputBuffer& buffer)
{
    const std::size_t recorded = buffer.header.dwBytesRecorded;
    if (recorded > 0 && !m_recording.Append({reinterpret_cast<const std::uint8_t*>(buffer.header.lpData), recorded})) {
        m_bWriteFailed = true;
    }
    if (m_recording.DataSize() - m_refreshedSize >= kRefreshBytes && m_recording.Refresh())
        m_refreshedSize = m_recording.DataSize();
    buffer.header.dwFlags &= ~WHDR_DONE;
    buffer.header.dwBytesRecorded = 0;
    // The stop flag and the hand-back are one step, so no buffer can reach
    // the device after the stop has reset it.
    const std::lock_guard lock(m_queueLock);
    return !m_bStopping && ::waveInAddBuffer(m_hWaveIn, &buffer.header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
}

void CMicrophoneRecorder::StopInput()
{
    {
        const std::lock_guard lock(m_queueLock);
        m_bStopping = true;
    }
    // The reset returns every buffer the device still holds, marked done.
    ::waveInReset(m_hWaveIn);
    if (m_captureThread.joinable())
        m_captureThread.join();
    for (CInputBuffer& buffer : m_buffers)
        ::waveInUnprepareHeader(m_hWaveIn, &buffer.header, sizeof(WAVEHDR));
    ::waveInClose(m_hWaveIn);
    m_hWaveIn = nullptr;
}

bool CMicrophoneRecorder::Finish()
{
    if (!IsRecording())
        return false;
    StopInput();
    if (m_bWriteFailed) {
        m_recording.Discard();
        return false;
    }
    return m_recording.Commit();
}

void CMicrophoneRecorder::Discard()
{
    if (IsRecording())
        StopInput();
    m_recording.Discard();
}
