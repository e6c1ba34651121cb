#pragma once
// The one skin manager of the process: loads and unloads skins, owns the
// schema, the metrics, the resource reader and the per-class readers, and
// tells the skinned windows when the skin changed.

#include "skin/SkinSchema.h"
#include "skin/engine/draw/SkinClass.h"
#include "skin/engine/draw/SkinMetrics.h"
#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/context/SkinResourceFile.h"

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tavrelin::skin {

class CSkinManager {
public:
    static CSkinManager& GetInstance();

    // A manager that takes windows over hooks window creation on this
    // thread and on the threads started while a skin is loaded; the
    // process's one manager does.
    explicit CSkinManager(bool takeOverWindows = false);
    virtual ~CSkinManager();
    // The manager that takes windows over, or none.
    static CSkinManager* WindowManager();
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

    // Takes a window over; the new skin object, or null when the window is
    // left alone.
    CSkinObject* OnWindowCreated(HWND window, const char* className, const CREATESTRUCTA* create, bool automatic);
    // Gives a window back and drops the map's reference to its object.
    void RemoveWindow(HWND window, bool automatic);
    CSkinObjectRef FindWindowObject(HWND window) const;
    size_t WindowCount() const;
    bool AutoAttach() const { return m_bAutoAttach; }
    // Hooks window creation on the calling thread, once per thread.
    static void HookCurrentThread();

protected:
    // Every skin object is made here (tests record what reaches them).
    virtual std::unique_ptr<CSkinObjectFrame> MakeSkinObject(const char* objectClass, const char* skinClass);
    // The screen's colour depth; skins need more than 256 colours.
    virtual int ScreenBitsPerPixel() const;

private:
    static BOOL CALLBACK PostColorChange(HWND window, LPARAM);
    bool CanSkinThisProcess() const;
    // Every skinned window is told of the change; windows gone are released.
    void NotifyWindows(bool wasLoaded, bool isLoaded);
    std::vector<CSkinObjectRef> WindowObjects() const;
    void RemoveAllWindows();
    void StartWindowTakeover();
    void StopWindowTakeover();
    void HookReorderEvents();
    void UnhookReorderEvents();
    int DialogKind(HWND window, const CREATESTRUCTA* create) const;
    void FinishLoad(bool wasLoaded, bool success);

    bool m_bLoaded = false;
    bool m_bAutoAttach = true;
    unsigned m_nApplyOptions = SKIN_APPLY_METRICS | SKIN_APPLY_FRAME | SKIN_APPLY_COLORS;
    DWORD m_nCommonControlsVersion = 0x40000;
    std::map<std::string, std::unique_ptr<CSkinClass>> m_classes;
    std::unique_ptr<CSkinSchema> m_schema;
    std::unique_ptr<CSkinMetrics> m_metrics;
    std::unique_ptr<CSkinResourceFile> m_resourceFile;
    bool m_bTakesOverWindows = false;
    mutable std::mutex m_windowsLock;
    std::map<HWND, CSkinObject*> m_windows;
    HWINEVENTHOOK m_reorderHook = nullptr;
};

} // namespace tavrelin::skin
