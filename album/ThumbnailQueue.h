#pragma once
// Makes the album's pictures on two threads of their own (one on a machine
// with one processor), so that the window answers while a large album fills in: the page lists every item first with
// a blank picture and replaces each image slot when its picture is made.
// Pictures are made in the order of their slots, except that those the list
// has just drawn (the items in view) go first.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
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

    // Starts the threads unless they run; each batch of made pictures is
    // announced by posting `message` to `window`. Pictures added before wait
    // for them.
    void Start(HWND window, UINT message);
    void Add(const std::string& path, int imageIndex);
    // The list shows this slot now: its picture, if still to come, is made next.
    void Prefer(int imageIndex);
    // The pictures made since the last call, in the order they were made.
    std::vector<Made> TakeMade();
    // Held while the page deletes or moves a file: no picture is being made
    // meanwhile, so the file is not open.
    std::unique_lock<std::mutex> HoldFiles() { return std::unique_lock<std::mutex>(m_fileLock); }
    // With the files held: pictures of a deleted file still to come are
    // dropped; those of a moved file come from its new path.
    void ForgetFile(const std::string& path);
    void RenameFile(const std::string& oldPath, const std::string& newPath);
    // Stops and joins the threads; pictures still waiting are dropped.
    void Stop();

private:
    struct Job {
        std::string path;
        int imageIndex;
    };
    void Run();
    // Under the lock: the picture to make next, if any is waiting.
    std::optional<Job> TakeNext();

    HWND m_hWindow = nullptr;
    UINT m_message = 0;
    std::mutex m_lock;
    std::condition_variable m_wake;
    // Pictures still to make, by image index.
    std::map<int, std::string> m_waiting;
    // Slots the list has drawn while their pictures wait, the latest first.
    std::deque<int> m_wanted;
    std::vector<Made> m_made;
    bool m_bStop = false;
    bool m_bAnnounced = false;
    // Held while a picture is taken from the queue and its file read, so that
    // a delete or rename waits for the read.
    std::mutex m_fileLock;
    std::vector<std::thread> m_threads;
};
