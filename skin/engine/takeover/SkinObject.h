#pragma once
// The engine's object for one taken-over window: it sits in front of the
// window's own procedure, keeps the messages it is handling on a stack, and
// answers the messages the skin changes.
//
// Skin objects do not bind through win::CWnd's window property: the
// framework refuses to subclass a window that already has an object.

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tavrelin::skin {

class CSkinContext;

// Where a message reached the object: in the engine's window procedure, or
// in the default procedure the window's own procedure passed it to.
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
    void* systemProc;   // the system's default procedure; none in the engine's window procedure
    WNDPROC windowProc; // kSkinCallWindowProc: the procedure CallWindowProc was asked to call
    HWND mdiClient;     // kSkinDefFrameProc
};

// What a window is to the frame object: how it takes activation and paints
// its background.
enum ESkinDialogKind : int {
    kSkinPlainWindow = 1,
    kSkinDialog = 2,
    kSkinSheetPage = 6, // a page inside a tabbed property sheet
};

// The system's CallWindowProcA and W: the process's imports of them may be
// the engine's replacements.
using SkinCallWindowProc = LRESULT(WINAPI*)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
struct SkinSystemProcs {
    SkinCallWindowProc callWindowProcA = nullptr;
    SkinCallWindowProc callWindowProcW = nullptr;
};

// True for procedures inside USER32 or COMCTL32 and for the system's
// procedure handles (0xFFFF0000 to 0xFFFFFFFF).
bool IsSystemWindowProc(const void* address);

UINT SkinQueryStateMessage();
UINT SkinUpdateStateMessage();

class CSkinObject {
public:
    // objectClass names the object's kind; skinClass is the class it draws with.
    CSkinObject(std::string objectClass, std::string skinClass);
    virtual ~CSkinObject() = default;
    CSkinObject(const CSkinObject&) = delete;
    CSkinObject& operator=(const CSkinObject&) = delete;

    void AddRef() { m_nReferences.fetch_add(1); }
    void Release();

    HWND Window() const { return m_hWnd; }
    const std::string& ObjectClassName() const { return m_strObjectClass; }
    const std::string& SkinClassName() const { return m_strSkinClass; }
    // The schema id of the skin class, found once.
    int SkinClassId() const { return m_nSkinClassId; }
    ESkinDialogKind DialogKind() const { return m_nDialogKind; }
    void SetDialogKind(ESkinDialogKind kind) { m_nDialogKind = kind; }
    bool IsOptedOut() const { return m_bOptedOut; }
    bool IsUnicode() const { return m_bUnicode; }
    void SetWinForms(bool winForms) { m_bWinForms = winForms; }

    // Puts the engine's procedure in front of the window's own; the object
    // paints with skin and calls the previous procedure through system.
    void Attach(HWND window, CSkinContext& skin, WNDPROC engineProc, const SkinSystemProcs& system);
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
    // The window's place in the z-order changed.
    virtual void OnReordered() {}
    // The thumb position while the engine drags the window's own scroll bar
    // (SB_HORZ or SB_VERT); false when it drags none.
    virtual bool TrackingPosition(int, int&) const { return false; }
    // The window's own answer to the colour message it sent its parent
    // (WM_CTLCOLOREDIT and the like), given before the parent's; false
    // leaves the answer to the parent.
    virtual bool AnswerOwnColor(UINT, HDC, LRESULT&) { return false; }
    // A custom-draw notification the window sent its parent, answered after
    // the program's answer; askProgram gives the program's answer and is
    // called at most once. False leaves the notification to the program.
    virtual bool ReflectCustomDraw(NMCUSTOMDRAW&, const std::function<LRESULT()>&, LRESULT&) { return false; }

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
    // A custom-draw notification from a skinned child goes to that child's
    // object first; true when it answered.
    bool ReflectChildCustomDraw(WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The object's own handlers; true when it answered.
    virtual bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // The skin the object paints with; null until it is attached.
    CSkinContext* Skin() const { return m_pSkin; }

private:
    std::string m_strObjectClass;
    std::string m_strSkinClass;
    int m_nSkinClassId;
    ESkinDialogKind m_nDialogKind = kSkinPlainWindow;
    HWND m_hWnd = nullptr;
    WNDPROC m_previousProc = nullptr;
    SkinCallWindowProc m_callPrevious = nullptr;
    bool m_bUnicode = false;
    bool m_bOptedOut = false;
    bool m_bWinForms = false;
    bool m_bPreviousIsSystem = false;
    CSkinContext* m_pSkin = nullptr;
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
