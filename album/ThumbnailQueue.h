#pragma once
// Makes the album's pictures on a thread of its own, so that the window
// answers while a large album fills in: the page lists every item first with
// a blank picture and replaces each image slot when its picture is made.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CThumbnailQueue {
public:
    struct Made {
        int imageIndex;
        // Null when the file could not be read: the slot keeps its blank.
        win::UniqueBitmap bitmap;
    };

    CThumbnailQueue() = default;
    ~CThumbnailQueue();
    CThumbnailQueue(const CThumbnailQueue&) = delete;
    CThumbnailQueue& operator=(const CThumbnailQueue&) = delete;

    // Starts the thread unless it runs; each batch of made pictures is
    // announced by posting `message` to `window`. Pictures added before wait
    // for it.
    void Start(HWND window, UINT message);
    void Add(const std::string& path, int imageIndex);
    // The pictures made since the last call, in the order they were made.
    std::vector<Made> TakeMade();
    // Held while the page deletes or moves a file: no picture is being made
    // meanwhile, so the file is not open.
    std::unique_lock<std::mutex> HoldFiles() { return std::unique_lock<std::mutex>(m_fileLock); }
    // With the files held: pictures of a deleted file still to come are
    // dropped; those of a moved file come from its new path.
    void ForgetFile(const std::string& path);
    void RenameFile(const std::string& oldPath, const std::string& newPath);
    // Stops and joins the thread; pictures still waiting are dropped.
    void Stop();

private:
    struct Job {
        std::string path;
        int imageIndex;
    };
    void Run();

    HWND m_hWindow = nullptr;
    UINT m_message = 0;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    std::vector<Made> m_made;
    bool m_bStop = false;
    bool m_bAnnounced = false;
    // Held while a file is read, so that a delete or rename waits for it.
    std::mutex m_fileLock;
    std::thread m_thread;
};
