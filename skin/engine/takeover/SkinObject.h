#pragma once
// The engine's object for one taken-over window: it sits in front of the
// window's own procedure, keeps the messages it is handling on a stack, and
// answers the messages the skin changes.
//
// Skin objects do not bind through win::CWnd's window property: the
// framework refuses to subclass a window that already has an object.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace tavrelin::skin {

class CSkinManager;

// Where a message reached the object: 0 in the engine's window procedure,
// else the default procedure the window's own procedure passed it to.
enum ESkinDefProcKind : int {
    kSkinInWindowProc = 0,
    kSkinCallWindowProc = 1,
    kSkinDefWindowProc = 2,
    kSkinDefMdiChildProc = 3,
    kSkinDefFrameProc = 4,
    kSkinDefDlgProc = 5,
};

struct SkinMessageRecord {
    UINT message;
    int kind;
    void* systemProc;   // the system default procedure of kinds 1 to 5
    WNDPROC windowProc; // kind 1: the procedure CallWindowProc was asked to call
    HWND mdiClient;     // kind 4
};

// True for procedures inside USER32 or COMCTL32 and for the system's
// procedure handles (0xFFFF0000 to 0xFFFFFFFF).
bool IsSystemWindowProc(const void* address);

UINT SkinQueryStateMessage();
UINT SkinUpdateStateMessage();

class CSkinObject {
public:
    CSkinObject(std::string objectClass, std::string skinClass);
    virtual ~CSkinObject() = default;
    CSkinObject(const CSkinObject&) = delete;
    CSkinObject& operator=(const CSkinObject&) = delete;

    void AddRef() { m_nReferences.fetch_add(1); }
    void Release();

    HWND Window() const { return m_hWnd; }
    const std::string& ObjectClassName() const { return m_strObjectClass; }
    const std::string& SkinClassName() const { return m_strSkinClass; }
    bool IsOptedOut() const { return m_bOptedOut; }
    bool IsUnicode() const { return m_bUnicode; }
    WNDPROC PreviousProc() const { return m_previousProc; }
    ULONG_PTR DeferralBound() const { return m_nDeferralBound; }
    void SetWinForms(bool winForms) { m_bWinForms = winForms; }

    // Puts the engine's procedure in front of the window's own.
    void Attach(HWND window, CSkinManager& manager, WNDPROC engineProc);
    // Gives the window its previous procedure back.
    void Detach();

    virtual void OnSkinChanged(bool wasLoaded, bool isLoaded);
    virtual void RefreshMetrics() {}
    virtual void OnHookAttached(const CREATESTRUCTA* create, bool automatic);
    virtual void OnHookDetached(bool) {}
    virtual bool OnHookMessage(UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result);
    virtual bool OnHookDefWindowProc(UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result);
    virtual bool IsDefProcMessage(UINT message) const;
    virtual bool IsExcludedMessage(UINT message);

    // Asks the window again whether it wants to stay unskinned.
    void QueryOptOut();

    void Push(const SkinMessageRecord& record);
    void Pop();
    bool IsOnTop(UINT message) const;
    // The records now on the stack, oldest first (for tests).
    std::vector<SkinMessageRecord> Stack() const;

    // The window's previous procedure, called as the window expects.
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;
    // The default processing of the message on top of the stack.
    LRESULT Default(WPARAM wParam, LPARAM lParam);

protected:
    // The object's own handlers; true when it answered.
    virtual bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    CSkinManager* Manager() const { return m_pManager; }

private:
    std::string m_strObjectClass;
    std::string m_strSkinClass;
    HWND m_hWnd = nullptr;
    WNDPROC m_previousProc = nullptr;
    bool m_bUnicode = false;
    bool m_bOptedOut = false;
    bool m_bWinForms = false;
    ULONG_PTR m_nDeferralBound = 0x70000000;
    CSkinManager* m_pManager = nullptr;
    std::atomic<long> m_nReferences{1};
    mutable std::mutex m_stackLock;
    std::vector<SkinMessageRecord> m_stack;
};

// A reference to a skin object, given back when it goes.
class CSkinObjectRef {
public:
    CSkinObjectRef() = default;
    explicit CSkinObjectRef(CSkinObject* object) : m_pObject(object)
    {
        if (m_pObject)
            m_pObject->AddRef();
    }
    CSkinObjectRef(const CSkinObjectRef& other) : CSkinObjectRef(other.m_pObject) {}
    CSkinObjectRef& operator=(const CSkinObjectRef&) = delete;
    ~CSkinObjectRef()
    {
        if (m_pObject)
            m_pObject->Release();
    }
    CSkinObject* operator->() const { return m_pObject; }
    CSkinObject* get() const { return m_pObject; }
    explicit operator bool() const { return m_pObject != nullptr; }

private:
    CSkinObject* m_pObject = nullptr;
};

} // namespace tavrelin::skin
