#pragma once
// Records the default sound input in the program's fixed microphone format
// (PCM, mono, 44100 Hz, 16 bits) and saves it as a WAV file with the
// canonical 44-byte header.
//
// The camera page owns one recorder; the recording thread starts it once the
// compressor has been chosen and finishes it when the capture loop ends. The
// wave input device is driven directly rather than through the "waveaudio"
// MCI device: an MCI device answers only the thread that opened it, and the
// platform's device keeps writing on a thread of its own after it reports
// "stopped", so saving or closing it right after the stop can crash. Here the
// samples go to a temporary file as they arrive, and the WAV file is written
// only when every buffer is back from the device. One thread at a time may
// use a recorder; which thread it is does not matter.

#include "riff/BinaryFile.h"
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

    // Starts recording from the default input. A recording still running from
    // before is discarded first. False when no input records in the format.
    bool Start();

    // Stops the recording and saves it as a WAV file at wavPath (ANSI),
    // replacing an older file there. Without a recording nothing is written;
    // a failed save leaves no file.
    bool FinishInto(const std::string& wavPath);

    // Stops a recording without saving it.
    void Discard();

    bool IsRecording() const { return m_hWaveIn != nullptr; }

private:
    struct CInputBuffer {
        WAVEHDR header{};
        std::vector<char> samples;
    };

    bool OpenRecordingFile();
    void RemoveRecordingFile();
    bool OpenInput();
    void QueueBuffers();
    void CaptureLoop();
    bool StoreAndRequeue(CInputBuffer& buffer);
    void StopInput();
    bool CopyRecordingInto(const std::string& wavPath);

    HWAVEIN m_hWaveIn = nullptr;
    win::UniqueKernelHandle m_bufferDone;
    std::array<CInputBuffer, 8> m_buffers;
    // Indices of the buffers the device holds, in the order it returns them;
    // touched by the capture thread only while it runs.
    std::deque<std::size_t> m_queued;
    std::mutex m_queueLock;
    bool m_bStopping = false;
    std::thread m_captureThread;
    CBinaryFile m_recording;
    std::string m_recordingPath;
    std::atomic<bool> m_bWriteFailed{false};
};
