#include "skin/engine/hook/SkinDefProcHooks.h"

#include "skin/engine/hook/SkinApiHook.h"
#include "skin/engine/takeover/SkinTakeover.h"

#include <memory>

namespace tavrelin::skin {
namespace {

void* System(int slot) { return CSkinApiHook::Instance().SystemFunction(slot); }

// Offers a message that reached a default procedure to the window's skin
// object; callSystem runs the system function when the object does not
// answer.
template <class CallSystem>
LRESULT Intercept(const SkinMessageRecord& record, HWND window, WPARAM wParam, LPARAM lParam, CallSystem callSystem)
{
    const CSkinObjectRef object = SkinnedWindow(window);
    if (!object || object->IsOptedOut() || object->IsOnTop(record.message))
        return callSystem();
    // A subclass passing the message to the next procedure of the program
    // is no default processing yet.
    if (record.kind == kSkinCallWindowProc && object->IsDefProcMessage(record.message) && record.windowProc &&
        !IsSystemWindowProc(reinterpret_cast<const void*>(record.windowProc)))
        return callSystem();
    object->Push(record);
    LRESULT result = 0;
    const bool handled = object->OnHookDefWindowProc(record.message, wParam, lParam, result);
    object->Pop();
    return handled ? result : callSystem();
}

using DefProc = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
using FrameProc = LRESULT(WINAPI*)(HWND, HWND, UINT, WPARAM, LPARAM);
using CallProc = LRESULT(WINAPI*)(WNDPROC, HWND, UINT, WPARAM, LPARAM);

LRESULT InterceptDefProc(int slot, int kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto system = reinterpret_cast<DefProc>(System(slot));
    return Intercept({message, kind, System(slot), nullptr, nullptr}, window, wParam, lParam,
                     [&] { return system(window, message, wParam, lParam); });
}

LRESULT InterceptFrameProc(int slot, HWND window, HWND client, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto system = reinterpret_cast<FrameProc>(System(slot));
    return Intercept({message, kSkinDefFrameProc, System(slot), nullptr, client}, window, wParam, lParam,
                     [&] { return system(window, client, message, wParam, lParam); });
}

LRESULT InterceptCallProc(int slot, WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto system = reinterpret_cast<CallProc>(System(slot));
    return Intercept({message, kSkinCallWindowProc, System(slot), procedure, nullptr}, window, wParam, lParam,
                     [&] { return system(procedure, window, message, wParam, lParam); });
}

struct CThreadStart {
    LPTHREAD_START_ROUTINE routine;
    LPVOID parameter;
};

DWORD WINAPI HookedThreadStart(LPVOID start)
{
    const CThreadStart copy = *static_cast<CThreadStart*>(start);
    std::unique_ptr<CThreadStart>(static_cast<CThreadStart*>(start)).reset();
    const HHOOK hook = CSkinTakeover::HookCurrentThread();
    const DWORD result = copy.routine(copy.parameter);
    CSkinTakeover::UnhookCurrentThread(hook);
    return result;
}

} // namespace

LRESULT WINAPI HookDefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptDefProc(kSlotDefWindowProcA, kSkinDefWindowProc, window, message, wParam, lParam);
}

LRESULT WINAPI HookDefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptDefProc(kSlotDefWindowProcW, kSkinDefWindowProc, window, message, wParam, lParam);
}

LRESULT WINAPI HookDefMDIChildProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptDefProc(kSlotDefMDIChildProcA, kSkinDefMdiChildProc, window, message, wParam, lParam);
}

LRESULT WINAPI HookDefMDIChildProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptDefProc(kSlotDefMDIChildProcW, kSkinDefMdiChildProc, window, message, wParam, lParam);
}

LRESULT WINAPI HookDefFrameProcA(HWND window, HWND client, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptFrameProc(kSlotDefFrameProcA, window, client, message, wParam, lParam);
}

LRESULT WINAPI HookDefFrameProcW(HWND window, HWND client, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptFrameProc(kSlotDefFrameProcW, window, client, message, wParam, lParam);
}

LRESULT WINAPI HookDefDlgProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptDefProc(kSlotDefDlgProcA, kSkinDefDlgProc, window, message, wParam, lParam);
}

LRESULT WINAPI HookDefDlgProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptDefProc(kSlotDefDlgProcW, kSkinDefDlgProc, window, message, wParam, lParam);
}

LRESULT WINAPI HookCallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptCallProc(kSlotCallWindowProcA, procedure, window, message, wParam, lParam);
}

LRESULT WINAPI HookCallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InterceptCallProc(kSlotCallWindowProcW, procedure, window, message, wParam, lParam);
}

// The record goes with a failed creation; the thread's exit code is the
// routine's.
HANDLE WINAPI HookCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE routine,
                               LPVOID parameter, DWORD flags, LPDWORD threadId)
{
    const auto system = reinterpret_cast<decltype(&::CreateThread)>(System(kSlotCreateThread));
    if (!routine || !CSkinTakeover::Current())
        return system(security, stackSize, routine, parameter, flags, threadId);
    auto start = std::make_unique<CThreadStart>(CThreadStart{routine, parameter});
    HANDLE thread = system(security, stackSize, HookedThreadStart, start.get(), flags, threadId);
    if (thread)
        start.release();
    return thread;
}

} // namespace tavrelin::skin
