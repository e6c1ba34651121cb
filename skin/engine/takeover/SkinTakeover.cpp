#include "skin/engine/takeover/SkinTakeover.h"

#include "skin/engine/context/SkinContext.h"

#include <atomic>

namespace tavrelin::skin {
namespace {

std::atomic<CSkinTakeover*> g_currentTakeover{nullptr};

// Which threads are watched: a slot of the system's thread storage rather
// than thread_local, which the runtime keeps through its POSIX thread layer,
// and that layer gives every thread it did not start a handle and an event it
// never gives back (one pair leaked by every hooked thread).
DWORD HookSlot()
{
    static const DWORD slot = ::TlsAlloc();
    return slot;
}

void CALLBACK ReorderEventProc(HWINEVENTHOOK, DWORD, HWND window, LONG objectId, LONG, DWORD, DWORD)
{
    if (objectId != OBJID_WINDOW || !window)
        return;
    if (const CSkinObjectRef object = SkinnedWindow(window))
        object->OnReordered();
}

} // namespace

CSkinObjectRef SkinnedWindow(HWND window)
{
    CSkinTakeover* takeover = CSkinTakeover::Current();
    if (!takeover || !takeover->SkinApplies())
        return CSkinObjectRef();
    return takeover->Find(window);
}

CSkinTakeover::CSkinTakeover(CSkinContext& skin, ISkinWindowSource& source, const SkinSystemProcs& system)
    : m_skin(skin), m_source(source), m_system(system)
{}

CSkinTakeover* CSkinTakeover::Current() { return g_currentTakeover.load(); }

// The skin's own answer, so that windows and hooked calls agree: a skin
// that is loading, or whose hooks are off, paints nothing.
bool CSkinTakeover::SkinApplies() const { return CSkinContext::Active() == &m_skin; }

LRESULT CALLBACK CSkinTakeover::CreationHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallNextHookEx(nullptr, code, wParam, lParam);
    CSkinTakeover* takeover = Current();
    if (code != HCBT_CREATEWND || !takeover || !takeover->AutoAttach())
        return result;
    // lpszClass may be an atom; the window knows its class name.
    const auto window = reinterpret_cast<HWND>(wParam);
    char className[50] = {};
    ::GetClassNameA(window, className, sizeof className);
    const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    takeover->m_source.OnWindowCreated(window, className, create ? create->lpcs : nullptr, true);
    return result;
}

LRESULT CALLBACK CSkinTakeover::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CSkinTakeover* takeover = Current();
    const CSkinObjectRef object = takeover ? takeover->Find(window) : CSkinObjectRef();
    if (!object)
        return 0;
    if (message == WM_NCDESTROY) {
        takeover->Remove(window, true);
        return object->CallPrevious(message, wParam, lParam);
    }
    if (!takeover->SkinApplies())
        return object->CallPrevious(message, wParam, lParam);
    // A window that opted out can still change its mind.
    if (message == SkinUpdateStateMessage())
        object->QueryOptOut();
    if (!object->IsOptedOut()) {
        object->Push({message, kSkinInWindowProc, nullptr, nullptr, nullptr});
        LRESULT result = 0;
        const bool handled = object->OnHookMessage(message, wParam, lParam, result);
        object->Pop();
        if (handled)
            return result;
    }
    return object->CallPrevious(message, wParam, lParam);
}

HHOOK CSkinTakeover::HookCurrentThread()
{
    const DWORD slot = HookSlot();
    if (slot == TLS_OUT_OF_INDEXES || ::TlsGetValue(slot))
        return nullptr;
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, CreationHookProc, nullptr, ::GetCurrentThreadId());
    ::TlsSetValue(slot, hook);
    return hook;
}

void CSkinTakeover::UnhookCurrentThread(HHOOK hook)
{
    if (!hook)
        return;
    ::UnhookWindowsHookEx(hook);
    ::TlsSetValue(HookSlot(), nullptr);
}

void CSkinTakeover::Start()
{
    g_currentTakeover.store(this);
    HookCurrentThread();
}

void CSkinTakeover::Stop()
{
    CSkinTakeover* self = this;
    g_currentTakeover.compare_exchange_strong(self, nullptr);
}

// Resolved at run time: old systems have no accessibility events.
void CSkinTakeover::WatchReorderEvents()
{
    using SetHookFunction = HWINEVENTHOOK(WINAPI*)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
    HMODULE user32 = ::GetModuleHandleA("USER32.DLL");
    const auto setHook = reinterpret_cast<SetHookFunction>(
        user32 ? reinterpret_cast<void*>(::GetProcAddress(user32, "SetWinEventHook")) : nullptr);
    if (!setHook || m_reorderHook)
        return;
    m_reorderHook = setHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, ReorderEventProc,
                            ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

void CSkinTakeover::StopWatchingReorderEvents()
{
    if (m_reorderHook)
        ::UnhookWinEvent(m_reorderHook);
    m_reorderHook = nullptr;
}

CSkinObject* CSkinTakeover::Add(HWND window, std::unique_ptr<CSkinObject> object, const CREATESTRUCTA* create,
                                bool automatic)
{
    CSkinObject* taken = object.release();
    CSkinObject* replaced = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_windowsLock);
        CSkinObject*& entry = m_windows[window];
        replaced = entry;
        entry = taken;
    }
    if (replaced)
        replaced->Release();
    taken->Attach(window, m_skin, WindowProc, m_system);
    taken->OnHookAttached(create, automatic);
    return taken;
}

void CSkinTakeover::Remove(HWND window, bool automatic)
{
    CSkinObject* object = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_windowsLock);
        const auto found = m_windows.find(window);
        if (found == m_windows.end())
            return;
        object = found->second;
        m_windows.erase(found);
    }
    object->Detach();
    object->OnHookDetached(automatic);
    object->Release();
}

CSkinObjectRef CSkinTakeover::Find(HWND window) const
{
    std::lock_guard<std::mutex> lock(m_windowsLock);
    const auto found = m_windows.find(window);
    return found == m_windows.end() ? CSkinObjectRef() : CSkinObjectRef(found->second);
}

size_t CSkinTakeover::Count() const
{
    std::lock_guard<std::mutex> lock(m_windowsLock);
    return m_windows.size();
}

std::vector<CSkinObjectRef> CSkinTakeover::Objects() const
{
    std::vector<CSkinObjectRef> objects;
    std::lock_guard<std::mutex> lock(m_windowsLock);
    objects.reserve(m_windows.size());
    for (const auto& entry : m_windows)
        objects.emplace_back(entry.second);
    return objects;
}

// No lock is held while windows are told: a window of another thread
// handling the change would wait for it.
void CSkinTakeover::NotifyWindows(bool wasLoaded, bool isLoaded)
{
    for (const CSkinObjectRef& object : Objects()) {
        if (!::IsWindow(object->Window()))
            Remove(object->Window(), true);
        else
            object->OnSkinChanged(wasLoaded, isLoaded);
    }
}

void CSkinTakeover::RemoveAll()
{
    for (const CSkinObjectRef& object : Objects())
        Remove(object->Window(), false);
}

} // namespace tavrelin::skin
