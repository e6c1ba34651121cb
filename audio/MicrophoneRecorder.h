#pragma once
// Records the default sound input in the program's fixed microphone format
// (PCM, mono, 44100 Hz, 16 bits) into a WAV file with the canonical 44-byte
// header.
//
// The camera page owns one recorder; the recording thread starts it once the
// compressor has been chosen and finishes it when the capture loop ends. The
// wave input device is driven directly rather than through the "waveaudio"
// MCI device: an MCI device answers only the thread that opened it, and the
// platform's device keeps writing on a thread of its own after it reports
// "stopped", so saving or closing it right after the stop can crash. Here the
// samples go to the WAV file as they arrive, and its header is completed only
// when every buffer is back from the device. Until then the header is brought
// up to date and flushed to disk after every second of sound, so a crash or a
// power cut leaves a playable file. One thread at a time may use a recorder;
// which thread it is does not matter.

#include "riff/WaveWriter.h"
#include "win/UniqueHandle.h"

#include <mmsystem.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CMicrophoneRecorder {
public:
    CMicrophoneRecorder() = default;
    ~CMicrophoneRecorder();
    CMicrophoneRecorder(const CMicrophoneRecorder&) = delete;
    CMicrophoneRecorder& operator=(const CMicrophoneRecorder&) = delete;

    // Starts recording from the default input into a WAV file at wavPath
    // (ANSI), replacing an older file there. A recording still running from
    // before is discarded first. False when no input records in the format
    // or the file cannot be made; then no file is left.
    bool Start(const std::string& wavPath);

    // Stops the recording and completes its WAV file. Without a recording
    // nothing is written; a failed save leaves no file.
    bool Finish();

    // Stops a recording and removes its file.
    void Discard();

    bool IsRecording() const { return m_hWaveIn != nullptr; }

private:
    struct CInputBuffer {
        WAVEHDR header{};
        std::vector<char> samples;
    };

    bool OpenInput();
    void QueueBuffers();
    void CaptureLoop();
    bool StoreAndRequeue(CInputBuffer& buffer);
    void StopInput();

    HWAVEIN m_hWaveIn = nullptr;
    win::UniqueKernelHandle m_bufferDone;
    std::array<CInputBuffer, 8> m_buffers;
    // Indices of the buffers the device holds, in the order it returns them;
    // touched by the capture thread only while it runs.
    std::deque<std::size_t> m_queued;
    std::mutex m_queueLock;
    bool m_bStopping = false;
    std::thread m_captureThread;
    CWaveWriter m_recording;
    std::uint32_t m_refreshedSize = 0;
    std::atomic<bool> m_bWriteFailed{false};
};
