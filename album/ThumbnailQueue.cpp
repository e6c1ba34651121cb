#include "album/ThumbnailQueue.h"

#include "album/AlbumThumbnail.h"
#include "core/FileSystem.h"

#include <algorithm>
#include <utility>

namespace {

// Requests beyond this many, the oldest first, are dropped: a list scrolled
// fast past thousands of items asks for each, and only the last few matter.
constexpr size_t kMostWaiting = 256;
// Pictures are made this many at a time, where the processors allow.
constexpr unsigned kMostThreads = 2;

} // namespace

CThumbnailQueue::~CThumbnailQueue() { Stop(); }

void CThumbnailQueue::Start(HWND window, UINT message, const std::string& cachePath)
{
    if (!m_threads.empty())
        return;
    m_hWindow = window;
    m_message = message;
    m_strCachePath = cachePath;
    m_bStop = false;
    const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    for (unsigned i = 0; i < count; ++i)
        m_threads.emplace_back(&CThumbnailQueue::Run, this);
}

CThumbnailCache& CThumbnailQueue::Cache()
{
    std::call_once(m_cacheOpened, [this] {
        if (!m_strCachePath.empty())
            m_cache.Open(m_strCachePath, kThumbnailWidth, kThumbnailHeight);
    });
    return m_cache;
}

void CThumbnailQueue::Want(const std::string& path, int imageIndex) { Ask(path, imageIndex, true); }

void CThumbnailQueue::Ahead(const std::string& path, int imageIndex) { Ask(path, imageIndex, false); }

void CThumbnailQueue::Ask(const std::string& path, int imageIndex, bool first)
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        const bool waiting = m_waiting.count(imageIndex) != 0;
        if ((waiting && !first) || m_making.count(imageIndex) != 0)
            return;
        m_waiting[imageIndex] = path;
        if (first)
            m_order.push_front(imageIndex);
        else
            m_order.push_back(imageIndex);
        while (m_waiting.size() > kMostWaiting) {
            m_waiting.erase(m_order.back());
            m_order.pop_back();
        }
    }
    m_wake.notify_one();
}

std::optional<CThumbnailQueue::Job> CThumbnailQueue::TakeNext()
{
    while (!m_order.empty()) {
        const int next = m_order.front();
        m_order.pop_front();
        const auto waiting = m_waiting.find(next);
        if (waiting == m_waiting.end())
            continue;
        Job job{std::move(waiting->second), next};
        m_waiting.erase(waiting);
        m_making.insert(next);
        return job;
    }
    m_waiting.clear();
    return std::nullopt;
}

std::vector<CThumbnailQueue::Made> CThumbnailQueue::TakeMade()
{
    const std::lock_guard<std::mutex> guard(m_lock);
    m_bAnnounced = false;
    return std::exchange(m_made, {});
}

void CThumbnailQueue::ForgetFile(const std::string& path)
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        std::erase_if(m_waiting, [&](const auto& waiting) { return waiting.second == path; });
    }
    Cache().Forget(FileNameOf(path));
}

void CThumbnailQueue::RenameFile(const std::string& oldPath, const std::string& newPath)
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        for (auto& waiting : m_waiting)
            if (waiting.second == oldPath)
                waiting.second = newPath;
    }
    Cache().Rename(FileNameOf(oldPath), FileNameOf(newPath));
}

void CThumbnailQueue::Stop()
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_bStop = true;
        m_waiting.clear();
        m_order.clear();
        m_making.clear();
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    m_made.clear();
    m_cache.Close();
}

void CThumbnailQueue::Run()
{
    // The window's thread goes first: a picture may come a little later.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    for (;;) {
        std::unique_lock<std::mutex> file(m_fileLock);
        std::unique_lock<std::mutex> guard(m_lock);
        if (m_order.empty() && !m_bStop) {
            file.unlock();
            m_wake.wait(guard, [this] { return m_bStop || !m_order.empty(); });
            // Take the file lock first again, as ForgetFile does.
            guard.unlock();
            continue;
        }
        if (m_bStop)
            return;
        const std::optional<Job> job = TakeNext();
        guard.unlock();
        if (!job)
            continue;
        // The file lock goes as soon as the file is read, so that the other
        // thread reads its file while this one decodes.
        win::UniqueBitmap bitmap = MakeRememberedThumbnail(job->path, FileNameOf(job->path), Cache(), file);
        if (file.owns_lock())
            file.unlock();
        guard.lock();
        m_making.erase(job->imageIndex);
        m_made.push_back(Made{job->imageIndex, std::move(bitmap)});
        // One announcement until the window has taken what was made.
        if (!m_bAnnounced)
            m_bAnnounced = ::PostMessageA(m_hWindow, m_message, 0, 0) != FALSE;
    }
}
