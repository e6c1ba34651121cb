#include "skin/engine/context/SkinContext.h"

#include "skin/engine/draw/SkinGdi.h"

#include <shlwapi.h>
#include <vssym32.h>

#include <atomic>

namespace tavrelin::skin {
namespace {

// Set while a skin is loaded and its hooks are in: replacements read it on
// any thread.
std::atomic<CSkinContext*> g_activeSkin{nullptr};

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

CSkinContext::CSkinContext()
    : m_nCommonControlsVersion(ReadCommonControlsVersion()), m_metrics(std::make_unique<CSkinMetrics>()),
      m_resourceFile(std::make_unique<CSkinResourceFile>())
{}

CSkinContext* CSkinContext::Active(unsigned options)
{
    CSkinContext* skin = g_activeSkin.load();
    return skin && skin->Applies(options) ? skin : nullptr;
}

bool CSkinContext::IsActive() const { return g_activeSkin.load() == this; }

void CSkinContext::SetActive(CSkinContext* skin) { g_activeSkin.store(skin); }

CSkinClass& CSkinContext::GetSkinClass(const std::string& className)
{
    const std::string name = SkinUpperCase(className);
    std::unique_ptr<CSkinClass>& skinClass = m_classes[name];
    if (!skinClass)
        skinClass = std::make_unique<CSkinClass>(*this, name);
    return *skinClass;
}

CSkinClass& CSkinContext::GetSkinClassById(int classId)
{
    const auto byName = [this, classId]() -> CSkinClass& {
        return GetSkinClass(std::string(SkinNameOfId(SkinClassTable(), classId)));
    };
    if (classId <= 0 || classId >= kSkinClassIdLimit)
        return byName();
    CSkinClass*& known = m_classesById[classId];
    if (!known)
        known = &byName();
    return *known;
}

void CSkinContext::ClearClasses()
{
    m_classesById.fill(nullptr);
    m_classes.clear();
}

std::unique_ptr<CSkinImage> CSkinContext::LoadSkinImage(const std::string& fileName, bool premultiply)
{
    return m_resourceFile->LoadImage(fileName, premultiply);
}

bool CSkinContext::ReadSkin(const char* skinPath, const char* propertyFileName)
{
    ClearClasses();
    m_resourceFile->Close();
    if (!m_resourceFile->Open(skinPath, propertyFileName ? propertyFileName : ""))
        return false;
    m_schema = m_resourceFile->CreateSchema();
    m_schema->ReadProperties(*m_resourceFile);
    return true;
}

// Class readers must not keep values of a schema that is gone.
void CSkinContext::DropSkin()
{
    m_schema.reset();
    ClearClasses();
    m_resourceFile->Close();
}

void CSkinContext::RefreshMetrics() { m_metrics->Refresh(m_schema.get(), (m_nApplyOptions & SKIN_APPLY_METRICS) != 0); }

bool CSkinContext::GetSysMetricsBool(int propertyId) const
{
    bool value = false;
    return m_schema && m_schema->GetBoolValue(kSkinClassSysMetrics, 0, 0, propertyId, value) == S_OK && value;
}

COLORREF CSkinContext::GetMetricsColor(int propertyId) const
{
    if (propertyId < TMT_FIRSTCOLOR || propertyId > TMT_LASTCOLOR)
        return CLR_INVALID;
    return m_metrics->Color(propertyId - TMT_FIRSTCOLOR);
}

} // namespace tavrelin::skin
