#pragma once
// The schema object of a loaded skin: owns the property store, reads the
// property file into it and answers property lookups with their fallbacks.

#include "skin/SkinLineSource.h"
#include "skin/SkinPropertyReader.h"
#include "skin/SkinPropertyStore.h"
#include "skin/SkinPropertyValue.h"
#include "skin/SkinScreenInfo.h"
#include "skin/SkinTypes.h"

#include <cstdint>
#include <string_view>

namespace tavrelin::skin {

enum class ESkinSchemaVariant {
    Default,
    Office2007,
};

class CSkinSchema {
public:
    explicit CSkinSchema(ESkinSchemaVariant variant = ESkinSchemaVariant::Default);
    virtual ~CSkinSchema() = default;

    CSkinSchema(const CSkinSchema&) = delete;
    CSkinSchema& operator=(const CSkinSchema&) = delete;

    // Empties the store and reads the property file from the source; always 0.
    int ReadProperties(ISkinLineSource& lines, const ISkinScreenInfo& screen = PlatformSkinScreenInfo(),
                       ISkinReadObserver* observer = nullptr);

    // The first value found under (class, part, state), (class, part),
    // (class), then the globals; nullptr when there is none.
    const CSkinPropertyValue* GetValue(int classId, int partId, int stateId, int propertyId) const;

    HRESULT GetIntValue(int classId, int partId, int stateId, int propertyId, std::int32_t& value) const;
    HRESULT GetBoolValue(int classId, int partId, int stateId, int propertyId, bool& value) const;
    HRESULT GetColorValue(int classId, int partId, int stateId, int propertyId, SkinColorRef& value) const;
    HRESULT GetFontValue(int classId, int partId, int stateId, int propertyId, SkinLogFont& value) const;

    ESkinSchemaVariant Variant() const { return m_variant; }
    std::string_view VariantName() const;
    // Whether images with per-pixel alpha are premultiplied when loaded.
    bool Premultiply() const { return m_bPremultiply; }
    int GlobalsClassId() const { return m_nGlobalsClassId; }
    int WindowClassId() const { return m_nWindowClassId; }
    const CSkinPropertyStore& Properties() const { return m_store; }

private:
    template <typename T, typename Extract>
    HRESULT ReadTyped(int classId, int partId, int stateId, int propertyId, ESkinPropertyType type, T& value,
                      Extract extract) const;

    ESkinSchemaVariant m_variant;
    bool m_bPremultiply;
    int m_nGlobalsClassId;
    int m_nWindowClassId;
    CSkinPropertyStore m_store;
};

} // namespace tavrelin::skin
