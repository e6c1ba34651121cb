#pragma once
// The skin the engine paints with: the file it was read from, its schema,
// the readers of its classes, its metrics and the options it is applied
// with. The manager loads it and makes it the active one; the engine's
// hooks, window procedures and skin objects ask Active() and Applies(),
// the one answer to "does the skin apply here".

#include "skin/SkinSchema.h"
#include "skin/SkinSchemaTables.h"
#include "skin/engine/context/SkinResourceFile.h"
#include "skin/engine/draw/SkinClass.h"
#include "skin/engine/draw/SkinMetrics.h"
#include "win/OffscreenBuffer.h"

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace tavrelin::skin {

enum ESkinApplyOptions : unsigned {
    SKIN_APPLY_METRICS = 1,
    SKIN_APPLY_FRAME = 2,
    SKIN_APPLY_COLORS = 4,
};

class CSkinContext : public ISkinSource {
public:
    CSkinContext();
    virtual ~CSkinContext() = default;
    CSkinContext(const CSkinContext&) = delete;
    CSkinContext& operator=(const CSkinContext&) = delete;

    // The skin the process is painted with now, when it applies with all of
    // options; else null.
    static CSkinContext* Active(unsigned options = 0);

    bool IsLoaded() const { return m_bLoaded; }
    unsigned GetApplyOptions() const { return m_nApplyOptions; }
    // Loaded, and applied with all of options.
    bool Applies(unsigned options) const { return m_bLoaded && (m_nApplyOptions & options) == options; }

    CSkinClass& GetSkinClass(const std::string& className);
    // The class of a schema class id, found without its name.
    CSkinClass& GetSkinClassById(int classId);
    const CSkinSchema* GetSchema() const override { return m_schema.get(); }
    std::unique_ptr<CSkinImage> LoadSkinImage(const std::string& fileName, bool premultiply) override;
    const CSkinMetrics& GetMetrics() const { return *m_metrics; }
    CSkinResourceFile& GetResourceFile() { return *m_resourceFile; }
    bool GetSysMetricsBool(int propertyId) const;
    // The metrics colour of the SysMetrics colour properties, else CLR_INVALID.
    COLORREF GetMetricsColor(int propertyId) const;
    DWORD CommonControlsVersion() const { return m_nCommonControlsVersion; }

    // Every caption painted with this skin is composed in one buffer, kept
    // between paints; windows of any thread take turns with it.
    struct SCaptionCanvas {
        std::mutex lock;
        win::COffscreenBuffer buffer;
    };
    SCaptionCanvas& CaptionCanvas() { return m_captionCanvas; }

protected:
    // The steps of a load, in the order the manager takes them.
    bool ReadSkin(const char* skinPath, const char* propertyFileName);
    void DropSchema() { m_schema.reset(); }
    // Forgets the skin: schema, class readers and the open file.
    void DropSkin();
    void SetLoaded(bool loaded) { m_bLoaded = loaded; }
    void SetOptions(unsigned options) { m_nApplyOptions = options; }
    void RefreshMetrics();
    bool IsActive() const;
    // Makes this skin the active one, or no skin (null).
    static void SetActive(CSkinContext* skin);

private:
    void ClearClasses();

    bool m_bLoaded = false;
    unsigned m_nApplyOptions = SKIN_APPLY_METRICS | SKIN_APPLY_FRAME | SKIN_APPLY_COLORS;
    DWORD m_nCommonControlsVersion = 0x40000;
    std::map<std::string, std::unique_ptr<CSkinClass>> m_classes;
    std::array<CSkinClass*, kSkinClassIdLimit> m_classesById{};
    std::unique_ptr<CSkinSchema> m_schema;
    std::unique_ptr<CSkinMetrics> m_metrics;
    std::unique_ptr<CSkinResourceFile> m_resourceFile;
    SCaptionCanvas m_captionCanvas;
};

} // namespace tavrelin::skin
