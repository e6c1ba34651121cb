#include "skin/engine/SkinManager.h"

#include "skin/engine/hook/SkinApiHook.h"
#include "skin/engine/draw/SkinGdi.h"

#include "skin/SkinScreenInfo.h"
#include "win/UniqueHandle.h"

#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tavrelin::skin {
namespace {

constexpr int kSysMetricsFirstColor = 1601;
constexpr int kSysMetricsLastColor = 1631;

DWORD ReadCommonControlsVersion()
{
    HMODULE module = ::GetModuleHandleA("COMCTL32.DLL");
    const auto getVersion =
        module ? reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(module, "DllGetVersion")))
               : nullptr;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (!getVersion || getVersion(&info) != S_OK)
        return 0x40000;
    return (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
}

} // namespace

CSkinManager& CSkinManager::GetInstance()
{
    static CSkinManager manager(true);
    return manager;
}

CSkinManager::CSkinManager(bool takeOverWindows)
    : m_nCommonControlsVersion(ReadCommonControlsVersion()), m_metrics(std::make_unique<CSkinMetrics>()),
      m_resourceFile(std::make_unique<CSkinResourceFile>())
{
    // Made now, so that it outlives a manager of static storage, whose
    // destructor takes the hooks off.
    CSkinApiHook::Instance();
    m_bTakesOverWindows = takeOverWindows;
    if (takeOverWindows)
        StartWindowTakeover();
}

// The hooks come off before the schema, metrics and classes go: other
// threads reach them through the patched functions.
CSkinManager::~CSkinManager()
{
    UnhookReorderEvents();
    if (CSkinApiHook::Instance().Manager() == this)
        CSkinApiHook::Instance().Remove();
    if (m_bTakesOverWindows)
        StopWindowTakeover();
    RemoveAllWindows();
}

CSkinClass& CSkinManager::GetSkinClass(const std::string& className)
{
    const std::string name = SkinUpperCase(className);
    std::unique_ptr<CSkinClass>& skinClass = m_classes[name];
    if (!skinClass)
        skinClass = std::make_unique<CSkinClass>(*this, name);
    return *skinClass;
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
    NotifyWindows(wasLoaded, isLoaded);
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
    UnhookReorderEvents();
    CSkinApiHook::Instance().Remove();
    m_schema.reset();
    const bool bWasLoaded = m_bLoaded;
    if (!CanSkinThisProcess() || !skinPath || !*skinPath) {
        FinishLoad(bWasLoaded, false);
        return false;
    }
    m_classes.clear();
    m_resourceFile->Close();
    if (!m_resourceFile->Open(skinPath, propertyFileName ? propertyFileName : "")) {
        FinishLoad(bWasLoaded, false);
        return false;
    }
    m_schema = m_resourceFile->CreateSchema();
    m_schema->ReadProperties(*m_resourceFile);
    FinishLoad(bWasLoaded, true);
    return true;
}

void CSkinManager::FinishLoad(bool wasLoaded, bool success)
{
    m_bLoaded = success;
    if (!success) {
        m_schema.reset();
        // Class readers must not keep values of a schema that is gone.
        m_classes.clear();
        m_resourceFile->Close();
    }
    m_metrics->Refresh(m_schema.get(), m_nApplyOptions);
    if (success) {
        CSkinApiHook::Instance().Install(*this);
        if (m_bTakesOverWindows)
            HookReorderEvents();
    }
    OnSkinChanged(wasLoaded, success);
}

unsigned CSkinManager::SetApplyOptions(unsigned options)
{
    const unsigned previous = m_nApplyOptions;
    m_nApplyOptions = options;
    if (!m_bLoaded)
        return 0;
    CSkinApiHook::Instance().Remove();
    m_metrics->Refresh(m_schema.get(), m_nApplyOptions);
    CSkinApiHook::Instance().Install(*this);
    OnSkinChanged(true, true);
    return previous;
}

bool CSkinManager::GetSysMetricsBool(int propertyId) const
{
    bool value = false;
    return m_schema && m_schema->GetBoolValue(kSkinClassSysMetrics, 0, 0, propertyId, value) == S_OK && value;
}

COLORREF CSkinManager::GetMetricsColor(int propertyId) const
{
    if (propertyId < kSysMetricsFirstColor || propertyId > kSysMetricsLastColor)
        return CLR_INVALID;
    return m_metrics->Color(propertyId - kSysMetricsFirstColor);
}

} // namespace tavrelin::skin
