#include "skin/SkinSchema.h"

#include "skin/SkinPropertyKey.h"
#include "skin/SkinSchemaTables.h"

namespace tavrelin::skin {
namespace {

// A skin that says it wants no premultiplying gives this alpha level.
constexpr std::int32_t kOpaqueAlphaLevel = 255;

} // namespace

CSkinSchema::CSkinSchema(ESkinSchemaVariant variant)
    : m_variant(variant), m_bPremultiply(variant == ESkinSchemaVariant::Default),
      m_nGlobalsClassId(FindSkinClassId("GLOBALS")), m_nWindowClassId(FindSkinClassId("WINDOW"))
{}

std::string_view CSkinSchema::VariantName() const
{
    return m_variant == ESkinSchemaVariant::Office2007 ? "Office2007" : "Default";
}

int CSkinSchema::ReadProperties(ISkinLineSource& lines, const ISkinScreenInfo& screen, ISkinReadObserver* observer)
{
    m_store.Clear();
    CSkinPropertyReader(m_store, screen, observer).ReadAll(lines);

    const CSkinPropertyValue* alphaLevel =
        m_store.Find(MakeSkinPropertyKey(kSkinClassDocumentation, 0, 0, kSkinPropAlphaLevel));
    if (alphaLevel && alphaLevel->Type() == ESkinPropertyType::Integer && alphaLevel->Number() == kOpaqueAlphaLevel)
        m_bPremultiply = false;
    return 0;
}

const CSkinPropertyValue* CSkinSchema::GetValue(int classId, int partId, int stateId, int propertyId) const
{
    if (stateId != 0) {
        if (const CSkinPropertyValue* value = m_store.Find(MakeSkinPropertyKey(classId, partId, stateId, propertyId)))
            return value;
    }
    if (const CSkinPropertyValue* value = m_store.Find(MakeSkinPropertyKey(classId, partId, 0, propertyId)))
        return value;
    if (const CSkinPropertyValue* value = m_store.Find(MakeSkinPropertyKey(classId, 0, 0, propertyId)))
        return value;
    return m_store.Find(MakeSkinPropertyKey(m_nGlobalsClassId, 0, 0, propertyId));
}

template <typename T, typename Extract>
HRESULT CSkinSchema::ReadTyped(int classId, int partId, int stateId, int propertyId, ESkinPropertyType type, T& value,
                               Extract extract) const
{
    const CSkinPropertyValue* found = GetValue(classId, partId, stateId, propertyId);
    if (!found)
        return E_FAIL;
    if (found->Type() != type)
        return E_INVALIDARG;
    value = extract(*found);
    return S_OK;
}

HRESULT CSkinSchema::GetIntValue(int classId, int partId, int stateId, int propertyId, std::int32_t& value) const
{
    return ReadTyped(classId, partId, stateId, propertyId, ESkinPropertyType::Integer, value,
                     [](const CSkinPropertyValue& found) { return found.Number(); });
}

HRESULT CSkinSchema::GetBoolValue(int classId, int partId, int stateId, int propertyId, bool& value) const
{
    return ReadTyped(classId, partId, stateId, propertyId, ESkinPropertyType::Boolean, value,
                     [](const CSkinPropertyValue& found) { return found.Number() != 0; });
}

HRESULT CSkinSchema::GetColorValue(int classId, int partId, int stateId, int propertyId, SkinColorRef& value) const
{
    return ReadTyped(classId, partId, stateId, propertyId, ESkinPropertyType::Color, value,
                     [](const CSkinPropertyValue& found) { return found.Color(); });
}

HRESULT CSkinSchema::GetFontValue(int classId, int partId, int stateId, int propertyId, SkinLogFont& value) const
{
    return ReadTyped(classId, partId, stateId, propertyId, ESkinPropertyType::Font, value,
                     [](const CSkinPropertyValue& found) { return found.Font(); });
}

} // namespace tavrelin::skin
