#include "album/ThumbnailQueue.h"

#include "album/AlbumThumbnail.h"

#include <algorithm>
#include <utility>

namespace {

// Enough for every slot a list shows at once, several times over.
constexpr size_t kMostWanted = 512;
// Pictures are made this many at a time, where the processors allow.
constexpr unsigned kMostThreads = 2;

} // namespace

CThumbnailQueue::~CThumbnailQueue() { Stop(); }

void CThumbnailQueue::Start(HWND window, UINT message)
{
    if (!m_threads.empty())
        return;
    m_hWindow = window;
    m_message = message;
    m_bStop = false;
    const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    for (unsigned i = 0; i < count; ++i)
        m_threads.emplace_back(&CThumbnailQueue::Run, this);
}

void CThumbnailQueue::Add(const std::string& path, int imageIndex)
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_waiting[imageIndex] = path;
    }
    m_wake.notify_one();
}

void CThumbnailQueue::Prefer(int imageIndex)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    if (m_waiting.count(imageIndex) == 0)
        return;
    m_wanted.push_front(imageIndex);
    if (m_wanted.size() > kMostWanted)
        m_wanted.pop_back();
}

std::optional<CThumbnailQueue::Job> CThumbnailQueue::TakeNext()
{
    auto next = m_waiting.end();
    while (next == m_waiting.end() && !m_wanted.empty()) {
        next = m_waiting.find(m_wanted.front());
        m_wanted.pop_front();
    }
    if (next == m_waiting.end())
        next = m_waiting.begin();
    if (next == m_waiting.end())
        return std::nullopt;
    Job job{std::move(next->second), next->first};
    m_waiting.erase(next);
    return job;
}

std::vector<CThumbnailQueue::Made> CThumbnailQueue::TakeMade()
{
    const std::lock_guard<std::mutex> guard(m_lock);
    m_bAnnounced = false;
    return std::exchange(m_made, {});
}

void CThumbnailQueue::ForgetFile(const std::string& path)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    std::erase_if(m_waiting, [&](const auto& waiting) { return waiting.second == path; });
}

void CThumbnailQueue::RenameFile(const std::string& oldPath, const std::string& newPath)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    for (auto& waiting : m_waiting)
        if (waiting.second == oldPath)
            waiting.second = newPath;
}

void CThumbnailQueue::Stop()
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_bStop = true;
        m_waiting.clear();
        m_wanted.clear();
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    m_made.clear();
}

void CThumbnailQueue::Run()
{
    // The window's thread goes first: a picture may come a little later.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    for (;;) {
        std::unique_lock<std::mutex> file(m_fileLock);
        std::unique_lock<std::mutex> guard(m_lock);
        if (m_waiting.empty() && !m_bStop) {
            file.unlock();
            m_wake.wait(guard, [this] { return m_bStop || !m_waiting.empty(); });
            // Take the file lock first again, as ForgetFile does.
            guard.unlock();
            continue;
        }
        if (m_bStop)
            return;
        const Job job = *TakeNext();
        guard.unlock();
        // The file lock goes as soon as the file is read, so that the other
        // thread reads its file while this one decodes.
        win::UniqueBitmap bitmap = MakeAlbumThumbnail(job.path, file);
        if (file.owns_lock())
            file.unlock();
        guard.lock();
        m_made.push_back(Made{job.imageIndex, std::move(bitmap)});
        // One announcement until the window has taken what was made.
        if (!m_bAnnounced)
            m_bAnnounced = ::PostMessageA(m_hWindow, m_message, 0, 0) != FALSE;
    }
}
