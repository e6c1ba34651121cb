#include "win/WindowThreadCall.h"

#include "win/UniqueHandle.h"

#include <atomic>
#include <memory>

namespace win {
namespace {

// Shared by the asking thread and the window's thread: whichever lets go
// last frees it, so neither waits for the other to be done with it.
struct CPostedWork {
    std::function<bool()> work;
    std::atomic<bool> answer{false};
    UniqueKernelHandle done{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    // The asker's reason to stop waiting, duplicated: work abandoned before
    // its turn comes is not run at all.
    UniqueKernelHandle abandon;
};

UniqueKernelHandle Duplicate(HANDLE handle)
{
    HANDLE copy = nullptr;
    if (handle)
        ::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
    return UniqueKernelHandle(copy);
}

} // namespace

bool RunOnWindowThread(HWND window, std::function<bool()> work, HANDLE abandon)
{
    auto posted = std::make_shared<CPostedWork>();
    posted->work = std::move(work);
    posted->abandon = Duplicate(abandon);
    if (!posted->done || (abandon && !posted->abandon))
        return false;
    auto carried = std::make_unique<std::shared_ptr<CPostedWork>>(posted);
    if (!::PostMessageA(window, WM_RUN_POSTED_WORK, 0, reinterpret_cast<LPARAM>(carried.get())))
        return false;
    carried.release();
    const HANDLE events[] = {posted->done.get(), abandon};
    const DWORD woken = ::WaitForMultipleObjects(abandon ? 2 : 1, events, FALSE, INFINITE);
    return woken == WAIT_OBJECT_0 && posted->answer.load();
}

void RunPostedWork(LPARAM posted)
{
    const std::unique_ptr<std::shared_ptr<CPostedWork>> carried(
        reinterpret_cast<std::shared_ptr<CPostedWork>*>(posted));
    if (!carried || !*carried)
        return;
    CPostedWork& work = **carried;
    const bool abandoned = work.abandon && ::WaitForSingleObject(work.abandon.get(), 0) == WAIT_OBJECT_0;
    work.answer = !abandoned && work.work();
    ::SetEvent(work.done.get());
}

} // namespace win
