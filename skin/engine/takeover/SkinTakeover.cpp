// Taking windows over: the per-thread creation hook, the window map, the
// engine's window procedure, and telling skinned windows of skin changes.
#include "skin/engine/SkinManager.h"

#include "skin/engine/controls/SkinObjectFactory.h"

#include <atomic>
#include <cstring>

namespace tavrelin::skin {
namespace {

std::atomic<CSkinManager*> g_windowManager{nullptr};

LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallNextHookEx(nullptr, code, wParam, lParam);
    CSkinManager* manager = g_windowManager.load();
    if (code != HCBT_CREATEWND || !manager || !manager->AutoAttach())
        return result;
    // lpszClass may be an atom; the window knows its class name.
    const auto window = reinterpret_cast<HWND>(wParam);
    char className[50] = {};
    ::GetClassNameA(window, className, sizeof className);
    const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    manager->OnWindowCreated(window, className, create ? create->lpcs : nullptr, true);
    return result;
}

// One hook per thread, taken off when the thread's storage goes.
struct CThreadCreationHook {
    HHOOK hook = nullptr;
    ~CThreadCreationHook()
    {
        if (hook)
            ::UnhookWindowsHookEx(hook);
    }
};

LRESULT CALLBACK SkinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CSkinManager* manager = g_windowManager.load();
    const CSkinObjectRef object = manager ? manager->FindWindowObject(window) : CSkinObjectRef();
    if (!object)
        return 0;
    if (message == WM_NCDESTROY) {
        manager->RemoveWindow(window, true);
        return object->CallPrevious(message, wParam, lParam);
    }
    if (!manager->IsLoaded())
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

// Some systems give scroll bars and dialog frames back to a window when its
// z-order changes; the frame object strips them again a second later.
void CALLBACK ReorderEventProc(HWINEVENTHOOK, DWORD, HWND window, LONG objectId, LONG, DWORD, DWORD)
{
    CSkinManager* manager = g_windowManager.load();
    if (objectId != OBJID_WINDOW || !window || !manager || !manager->IsLoaded() ||
        !(manager->GetApplyOptions() & SKIN_APPLY_FRAME) || !manager->FindWindowObject(window))
        return;
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    if (style & (WS_BORDER | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL))
        ::SetTimer(window, kSkinFrameStyleTimer, 1000, nullptr);
}

// The parent's DWL_USER record, read only when it is readable memory.
bool IsTabbedSheetRecord(HWND parent)
{
    const auto* record = reinterpret_cast<const ULONG_PTR*>(::GetWindowLongPtrA(parent, DWLP_USER));
    MEMORY_BASIC_INFORMATION memory{};
    if (!record || !::VirtualQuery(record, &memory, sizeof memory) || memory.State != MEM_COMMIT ||
        (memory.Protect & (PAGE_NOACCESS | PAGE_GUARD)) ||
        reinterpret_cast<const BYTE*>(record) + 3 * sizeof(ULONG_PTR) >
            static_cast<const BYTE*>(memory.BaseAddress) + memory.RegionSize)
        return false;
    constexpr ULONG_PTR kWizardFlags = 0x20 | 0x2000 | 0x1000000;
    return record[0] == reinterpret_cast<ULONG_PTR>(parent) && !(record[2] & kWizardFlags);
}

} // namespace

CSkinManager* CSkinManager::WindowManager() { return g_windowManager.load(); }

void CSkinManager::HookCurrentThread()
{
    thread_local CThreadCreationHook threadHook;
    if (!threadHook.hook)
        threadHook.hook = ::SetWindowsHookExA(WH_CBT, CreationHookProc, nullptr, ::GetCurrentThreadId());
}

void CSkinManager::StartWindowTakeover()
{
    g_windowManager.store(this);
    HookCurrentThread();
}

void CSkinManager::StopWindowTakeover()
{
    CSkinManager* self = this;
    g_windowManager.compare_exchange_strong(self, nullptr);
}

std::unique_ptr<CSkinObjectFrame> CSkinManager::MakeSkinObject(const char* objectClass, const char* skinClass)
{
    return MakeSkinObjectOfClass(objectClass, skinClass);
}

// Resolved at run time: old systems have no accessibility events.
void CSkinManager::HookReorderEvents()
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

void CSkinManager::UnhookReorderEvents()
{
    if (m_reorderHook)
        ::UnhookWinEvent(m_reorderHook);
    m_reorderHook = nullptr;
}

int CSkinManager::DialogKind(HWND window, const CREATESTRUCTA* create) const
{
    constexpr UINT kGetTabControl = WM_USER + 116;
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    if (!create || !create->hwndParent || !(style & DS_CONTROL) || !(style & WS_CHILD))
        return 2;
    const CSkinObjectRef parent = FindWindowObject(create->hwndParent);
    if (parent && static_cast<CSkinObjectFrame*>(parent.get())->DialogKind() == 6)
        return 6;
    const auto tab = reinterpret_cast<HWND>(::SendMessageA(create->hwndParent, kGetTabControl, 0, 0));
    return tab && ::IsWindow(tab) && IsTabbedSheetRecord(create->hwndParent) ? 6 : 2;
}

CSkinObject* CSkinManager::OnWindowCreated(HWND window, const char* className, const CREATESTRUCTA* create,
                                           bool automatic)
{
    if (!window || !className || std::strcmp(className, "tooltips_class32") == 0 || ::_stricmp(className, "IME") == 0)
        return nullptr;
    std::unique_ptr<CSkinObjectFrame> object;
    if (::_stricmp(className, "#32770") == 0) {
        object = MakeSkinObject("CSkinObjectFrame", "WINDOW");
        object->SetDialogKind(DialogKind(window, create));
    } else if (std::strstr(className, "WindowsForms")) {
        if (automatic)
            return nullptr;
        const char* first = std::strchr(className, '.');
        const char* second = first ? std::strchr(first + 1, '.') : nullptr;
        const SkinObjectFactory* factory =
            FindSkinObjectFactory(second ? std::string(first + 1, second) : std::string());
        if (factory && !factory->objectClass)
            return nullptr;
        object = factory ? MakeSkinObject(factory->objectClass, factory->skinClass)
                         : MakeSkinObject("CSkinObjectFrame", "WINDOW");
        object->SetWinForms(true);
    } else if (const SkinObjectFactory* factory = FindSkinObjectFactory(className)) {
        if (factory->objectClass)
            object = MakeSkinObject(factory->objectClass, factory->skinClass);
    } else if (!std::strstr(className, "Internet Explorer")) {
        object = MakeSkinObject("CSkinObjectFrame", "WINDOW");
    }
    if (!object)
        return nullptr;
    // The map owns the object's first reference.
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
    taken->Attach(window, *this, SkinWindowProc);
    taken->OnHookAttached(create, automatic);
    return taken;
}

void CSkinManager::RemoveWindow(HWND window, bool automatic)
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

CSkinObjectRef CSkinManager::FindWindowObject(HWND window) const
{
    std::lock_guard<std::mutex> lock(m_windowsLock);
    const auto found = m_windows.find(window);
    return found == m_windows.end() ? CSkinObjectRef() : CSkinObjectRef(found->second);
}

size_t CSkinManager::WindowCount() const
{
    std::lock_guard<std::mutex> lock(m_windowsLock);
    return m_windows.size();
}

std::vector<CSkinObjectRef> CSkinManager::WindowObjects() const
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
void CSkinManager::NotifyWindows(bool wasLoaded, bool isLoaded)
{
    for (const CSkinObjectRef& object : WindowObjects()) {
        if (!::IsWindow(object->Window()))
            RemoveWindow(object->Window(), true);
        else
            object->OnSkinChanged(wasLoaded, isLoaded);
    }
}

void CSkinManager::RemoveAllWindows()
{
    for (const CSkinObjectRef& object : WindowObjects())
        RemoveWindow(object->Window(), false);
}

} // namespace tavrelin::skin
