#include "album/ThumbnailQueue.h"

#include "album/AlbumThumbnail.h"

#include <algorithm>
#include <utility>

CThumbnailQueue::~CThumbnailQueue() { Stop(); }

void CThumbnailQueue::Start(HWND window, UINT message)
{
    if (m_thread.joinable())
        return;
    m_hWindow = window;
    m_message = message;
    m_bStop = false;
    m_thread = std::thread(&CThumbnailQueue::Run, this);
}

void CThumbnailQueue::Add(const std::string& path, int imageIndex)
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_jobs.push_back(Job{path, imageIndex});
    }
    m_wake.notify_one();
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
    m_jobs.erase(std::remove_if(m_jobs.begin(), m_jobs.end(), [&](const Job& job) { return job.path == path; }),
                 m_jobs.end());
}

void CThumbnailQueue::RenameFile(const std::string& oldPath, const std::string& newPath)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    for (Job& job : m_jobs)
        if (job.path == oldPath)
            job.path = newPath;
}

void CThumbnailQueue::Stop()
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_bStop = true;
        m_jobs.clear();
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    m_made.clear();
}

void CThumbnailQueue::Run()
{
    // The window's thread goes first: a picture may come a little later.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    for (;;) {
        std::unique_lock<std::mutex> file(m_fileLock);
        std::unique_lock<std::mutex> guard(m_lock);
        if (m_jobs.empty() && !m_bStop) {
            file.unlock();
            m_wake.wait(guard, [this] { return m_bStop || !m_jobs.empty(); });
            // Take the file lock first again, as ForgetFile does.
            guard.unlock();
            continue;
        }
        if (m_bStop)
            return;
        const Job job = m_jobs.front();
        m_jobs.pop_front();
        guard.unlock();
        win::UniqueBitmap bitmap = MakeAlbumThumbnail(job.path);
        file.unlock();
        guard.lock();
        m_made.push_back(Made{job.imageIndex, std::move(bitmap)});
        // One announcement until the window has taken what was made.
        if (!m_bAnnounced)
            m_bAnnounced = ::PostMessageA(m_hWindow, m_message, 0, 0) != FALSE;
    }
}
