#pragma once
// The one skin manager of the process: loads and unloads skins, owns the
// schema, the metrics, the resource reader and the per-class readers, and
// tells the skinned windows when the skin changed.

#include "skin/SkinSchema.h"
#include "skin/engine/SkinClass.h"
#include "skin/engine/SkinMetrics.h"
#include "skin/engine/SkinResourceFile.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace tavrelin::skin {

class CSkinManager {
public:
    static CSkinManager& GetInstance();

    CSkinManager();
    virtual ~CSkinManager();
    CSkinManager(const CSkinManager&) = delete;
    CSkinManager& operator=(const CSkinManager&) = delete;

    virtual CSkinClass& GetSkinClass(const std::string& className);
    // Called after every load and unload with the state before and after.
    virtual void OnSkinChanged(bool wasLoaded, bool isLoaded);

    // Loads and applies a skin; a null or empty path unloads. A failed load
    // always leaves the process unskinned.
    bool LoadSkin(const char* skinPath, const char* propertyFileName);

    unsigned GetApplyOptions() const { return m_nApplyOptions; }
    unsigned SetApplyOptions(unsigned options);

    bool IsLoaded() const { return m_bLoaded; }
    const CSkinSchema* GetSchema() const { return m_schema.get(); }
    const CSkinMetrics& GetMetrics() const { return *m_metrics; }
    CSkinResourceFile& GetResourceFile() { return *m_resourceFile; }
    bool GetSysMetricsBool(int propertyId) const;
    // The metrics colour of SysMetrics ids 1601 to 1631, else -1.
    COLORREF GetMetricsColor(int propertyId) const;
    DWORD CommonControlsVersion() const { return m_nCommonControlsVersion; }

protected:
    // The screen's colour depth; skins need more than 256 colours.
    virtual int ScreenBitsPerPixel() const;

private:
    static BOOL CALLBACK PostColorChange(HWND window, LPARAM);
    bool CanSkinThisProcess() const;
    void FinishLoad(bool wasLoaded, bool success);

    bool m_bLoaded = false;
    bool m_bAutoAttach = true;
    unsigned m_nApplyOptions = SKIN_APPLY_METRICS | SKIN_APPLY_FRAME | SKIN_APPLY_COLORS;
    DWORD m_nCommonControlsVersion = 0x40000;
    std::map<std::string, std::unique_ptr<CSkinClass>> m_classes;
    std::unique_ptr<CSkinSchema> m_schema;
    std::unique_ptr<CSkinMetrics> m_metrics;
    std::unique_ptr<CSkinResourceFile> m_resourceFile;
};

} // namespace tavrelin::skin
