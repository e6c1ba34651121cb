#pragma once
// Makes the album's pictures on two threads of their own (one on a machine
// with one processor), so that the window answers while a large album fills
// in. Only pictures the list asks for are made: those it shows go first, the
// latest first, then those it will show next; a request that has waited
// behind many newer ones is dropped (the list asks again when it shows the
// item). Each picture comes from the thumbnail cache when the cache holds one
// made from the file as it is, and goes into it when made.
#include "album/ThumbnailCache.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

class CThumbnailQueue {
public:
    struct Made {
        int imageIndex;
        // Null when the file could not be read: the item keeps its blank.
        win::UniqueBitmap bitmap;
    };

    CThumbnailQueue() = default;
    ~CThumbnailQueue();
    CThumbnailQueue(const CThumbnailQueue&) = delete;
    CThumbnailQueue& operator=(const CThumbnailQueue&) = delete;

    // Starts the threads unless they run; each batch of made pictures is
    // announced by posting `message` to `window`. The cache file at
    // cachePath is opened by the first picture that needs it.
    void Start(HWND window, UINT message, const std::string& cachePath);
    // The list shows the picture now: it is made before anything asked for
    // earlier.
    void Want(const std::string& path, int imageIndex);
    // The list will soon show the picture: made once those shown are.
    void Ahead(const std::string& path, int imageIndex);
    // The pictures made since the last call, in the order they were made.
    std::vector<Made> TakeMade();
    // Held while the page deletes or moves a file: no picture is being made
    // meanwhile, so the file is not open.
    std::unique_lock<std::mutex> HoldFiles() { return std::unique_lock<std::mutex>(m_fileLock); }
    // With the files held: a deleted file's picture still to come is dropped
    // and its cached thumbnail forgotten; a moved file's come from its new
    // path, and its cached thumbnail goes with it.
    void ForgetFile(const std::string& path);
    void RenameFile(const std::string& oldPath, const std::string& newPath);
    // Stops and joins the threads (pictures still waiting are dropped) and
    // closes the cache file.
    void Stop();

private:
    struct Job {
        std::string path;
        int imageIndex;
    };
    void Ask(const std::string& path, int imageIndex, bool first);
    void Run();
    // Under the lock: the picture to make next, if any is waiting.
    std::optional<Job> TakeNext();
    CThumbnailCache& Cache();

    HWND m_hWindow = nullptr;
    UINT m_message = 0;
    std::mutex m_lock;
    std::condition_variable m_wake;
    // Pictures asked for, by image index, and the order to make them in (an
    // index may be there more than once; only its first place counts).
    std::map<int, std::string> m_waiting;
    std::deque<int> m_order;
    // Pictures being made now: asking for them again changes nothing.
    std::set<int> m_making;
    std::vector<Made> m_made;
    bool m_bStop = false;
    bool m_bAnnounced = false;
    // Held while a picture is taken from the queue and its file read, so that
    // a delete or rename waits for the read.
    std::mutex m_fileLock;
    std::vector<std::thread> m_threads;
    std::string m_strCachePath;
    std::once_flag m_cacheOpened;
    CThumbnailCache m_cache;
};
