#include "skin/engine/SkinManager.h"

#include "skin/engine/hook/SkinApiHook.h"
#include "win/UniqueHandle.h"

#include <prsht.h>

#include <cstring>
#include <string>

namespace tavrelin::skin {
namespace {

// The wizard flag of the first wizard-97 property sheets, before
// PSH_WIZARD97 took its present value.
constexpr ULONG_PTR kOldWizard97 = 0x2000;

// The system's CallWindowProc functions, as read before anything was patched.
SkinSystemProcs SystemProcs()
{
    SkinSystemProcs system;
    system.callWindowProcA = SystemFunctionAs<SkinCallWindowProc>(kSlotCallWindowProcA);
    system.callWindowProcW = SystemFunctionAs<SkinCallWindowProc>(kSlotCallWindowProcW);
    if (!system.callWindowProcA)
        system.callWindowProcA = &::CallWindowProcA;
    if (!system.callWindowProcW)
        system.callWindowProcW = &::CallWindowProcW;
    return system;
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
    constexpr ULONG_PTR kWizardFlags = PSH_WIZARD | kOldWizard97 | PSH_WIZARD97;
    return record[0] == reinterpret_cast<ULONG_PTR>(parent) && !(record[2] & kWizardFlags);
}

} // namespace

CSkinManager& CSkinManager::GetInstance()
{
    static CSkinManager manager(true);
    return manager;
}

// The hook object is made first (SystemProcs asks it), so that it outlives a
// manager of static storage, whose destructor takes the hooks off.
CSkinManager::CSkinManager(bool takeOverWindows)
    : m_takeover(*this, *this, SystemProcs()), m_bTakesOverWindows(takeOverWindows)
{
    if (takeOverWindows)
        m_takeover.Start();
}

// The hooks come off before the schema, metrics and classes go: other
// threads reach them through the patched functions.
CSkinManager::~CSkinManager()
{
    m_takeover.StopWatchingReorderEvents();
    if (IsActive())
        Deactivate();
    if (m_bTakesOverWindows)
        m_takeover.Stop();
    m_takeover.RemoveAll();
}

void CSkinManager::Activate()
{
    SetActive(this);
    CSkinApiHook::Instance().Install(GetApplyOptions());
}

void CSkinManager::Deactivate()
{
    CSkinApiHook::Instance().Remove();
    SetActive(nullptr);
}

// Windows Forms keeps its system colours in a hidden broadcast window of the
// process, which learns of a change only from WM_SYSCOLORCHANGE.
BOOL CALLBACK CSkinManager::PostColorChange(HWND window, LPARAM)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char className[256] = {};
    if (process == ::GetCurrentProcessId() && ::GetClassNameA(window, className, sizeof className) > 0 &&
        std::strstr(className, ".NET-BroadcastEventWindow"))
        ::PostMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

void CSkinManager::OnSkinChanged(bool wasLoaded, bool isLoaded)
{
    ::EnumWindows(PostColorChange, 0);
    m_takeover.NotifyWindows(wasLoaded, isLoaded);
}

int CSkinManager::ScreenBitsPerPixel() const
{
    win::WindowDC screen(::GetDesktopWindow());
    return screen ? ::GetDeviceCaps(screen.get(), BITSPIXEL) : 0;
}

// A skin needs more than 256 colours, and the window takeover needs to list
// the process's modules.
bool CSkinManager::CanSkinThisProcess() const
{
    const int bits = ScreenBitsPerPixel();
    if (bits >= 1 && bits <= 8)
        return false;
    HMODULE kernel = ::GetModuleHandleA("KERNEL32.DLL");
    if (kernel && ::GetProcAddress(kernel, "CreateToolhelp32Snapshot"))
        return true;
    HMODULE psapi = ::LoadLibraryA("PSAPI.DLL");
    if (!psapi)
        return false;
    ::FreeLibrary(psapi);
    return true;
}

bool CSkinManager::LoadSkin(const char* skinPath, const char* propertyFileName)
{
    // Off first, for the same reason as at destruction; and so that the
    // metrics free their brushes with the system's DeleteObject.
    m_takeover.StopWatchingReorderEvents();
    Deactivate();
    DropSchema();
    const bool bWasLoaded = IsLoaded();
    const bool bRead = CanSkinThisProcess() && skinPath && *skinPath && ReadSkin(skinPath, propertyFileName);
    FinishLoad(bWasLoaded, bRead);
    return bRead;
}

void CSkinManager::FinishLoad(bool wasLoaded, bool success)
{
    SetLoaded(success);
    if (!success)
        DropSkin();
    RefreshMetrics();
    if (success) {
        Activate();
        if (m_bTakesOverWindows)
            m_takeover.WatchReorderEvents();
    }
    OnSkinChanged(wasLoaded, success);
}

unsigned CSkinManager::SetApplyOptions(unsigned options)
{
    const unsigned previous = GetApplyOptions();
    SetOptions(options);
    if (!IsLoaded())
        return 0;
    Deactivate();
    RefreshMetrics();
    Activate();
    OnSkinChanged(true, true);
    return previous;
}

std::unique_ptr<CSkinObjectFrame> CSkinManager::MakeSkinObject(const SkinObjectFactory& kind)
{
    return MakeSkinObjectOfKind(kind);
}

ESkinDialogKind CSkinManager::DialogKind(HWND window, const CREATESTRUCTA* create) const
{
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    if (!create || !create->hwndParent || !(style & DS_CONTROL) || !(style & WS_CHILD))
        return kSkinDialog;
    const CSkinObjectRef parent = FindWindowObject(create->hwndParent);
    if (parent && parent->DialogKind() == kSkinSheetPage)
        return kSkinSheetPage;
    const auto tab = reinterpret_cast<HWND>(::SendMessageA(create->hwndParent, PSM_GETTABCONTROL, 0, 0));
    return tab && ::IsWindow(tab) && IsTabbedSheetRecord(create->hwndParent) ? kSkinSheetPage : kSkinDialog;
}

CSkinObject* CSkinManager::OnWindowCreated(HWND window, const char* className, const CREATESTRUCTA* create,
                                           bool automatic)
{
    if (!window || !className || ::_stricmp(className, "IME") == 0)
        return nullptr;
    std::unique_ptr<CSkinObjectFrame> object;
    if (::_stricmp(className, "#32770") == 0) {
        object = MakeSkinObject(SkinObjectKindOf(ESkinObjectKind::Frame));
        object->SetDialogKind(DialogKind(window, create));
    } else if (std::strstr(className, "WindowsForms")) {
        if (automatic)
            return nullptr;
        const char* first = std::strchr(className, '.');
        const char* second = first ? std::strchr(first + 1, '.') : nullptr;
        const SkinObjectFactory* factory =
            FindSkinObjectFactory(second ? std::string(first + 1, second) : std::string());
        if (factory && factory->kind == ESkinObjectKind::None)
            return nullptr;
        object = MakeSkinObject(factory ? *factory : SkinObjectKindOf(ESkinObjectKind::Frame));
        object->SetWinForms(true);
    } else if (const SkinObjectFactory* factory = FindSkinObjectFactory(className)) {
        if (factory->kind != ESkinObjectKind::None)
            object = MakeSkinObject(*factory);
    } else if (!std::strstr(className, "Internet Explorer")) {
        object = MakeSkinObject(SkinObjectKindOf(ESkinObjectKind::Frame));
    }
    if (!object)
        return nullptr;
    return m_takeover.Add(window, std::move(object), create, automatic);
}

} // namespace tavrelin::skin
