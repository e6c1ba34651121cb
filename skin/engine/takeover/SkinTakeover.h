#pragma once
// The windows the engine has taken over and how they come to it: a creation
// hook on every thread that makes windows, the map from windows to their
// skin objects, the engine's window procedure in front of each window's own,
// and the watch on z-order changes.

#include "skin/engine/takeover/SkinObject.h"

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tavrelin::skin {

class CSkinContext;

// Decides what a new window of a hooked thread becomes and takes it over.
class ISkinWindowSource {
public:
    virtual CSkinObject* OnWindowCreated(HWND window, const char* className, const CREATESTRUCTA* create,
                                         bool automatic) = 0;

protected:
    ~ISkinWindowSource() = default;
};

class CSkinTakeover {
public:
    // Objects taken in paint with skin and reach their windows' procedures
    // through system.
    CSkinTakeover(CSkinContext& skin, ISkinWindowSource& source, const SkinSystemProcs& system);
    CSkinTakeover(const CSkinTakeover&) = delete;
    CSkinTakeover& operator=(const CSkinTakeover&) = delete;

    // The takeover that window creation and the engine's window procedure
    // report to, or none.
    static CSkinTakeover* Current();
    // Makes this the current takeover and hooks window creation on the
    // calling thread (threads started while a skin is loaded hook their own).
    void Start();
    // Leaves the thread hooks with no one to report to, if this is current.
    void Stop();
    // Watches the calling thread's window creation, once per thread; the hook set now, or
    // null when the thread was watched already. Taken off by the thread's
    // end, or earlier by UnhookCurrentThread.
    static HHOOK HookCurrentThread();
    static void UnhookCurrentThread(HHOOK hook);
    // Some systems give scroll bars and dialog frames back to a window when
    // its z-order changes: skin objects hear of each change.
    void WatchReorderEvents();
    void StopWatchingReorderEvents();

    // Takes a window over with object; the map owns the object's first
    // reference.
    CSkinObject* Add(HWND window, std::unique_ptr<CSkinObject> object, const CREATESTRUCTA* create, bool automatic);
    // Gives a window back and drops the map's reference to its object.
    void Remove(HWND window, bool automatic);
    CSkinObjectRef Find(HWND window) const;
    size_t Count() const;
    bool AutoAttach() const { return m_bAutoAttach; }
    // Whether the skin paints the windows now: loaded and the active one.
    bool SkinApplies() const;
    // Every skinned window is told of a skin change; windows gone are released.
    void NotifyWindows(bool wasLoaded, bool isLoaded);
    void RemoveAll();

private:
    static LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::vector<CSkinObjectRef> Objects() const;

    CSkinContext& m_skin;
    ISkinWindowSource& m_source;
    SkinSystemProcs m_system;
    bool m_bAutoAttach = true;
    mutable std::mutex m_windowsLock;
    std::map<HWND, CSkinObject*> m_windows;
    HWINEVENTHOOK m_reorderHook = nullptr;
};

// The object of a window the current takeover holds while its skin is
// loaded, else none: what the hooks ask about a window.
CSkinObjectRef SkinnedWindow(HWND window);

} // namespace tavrelin::skin
