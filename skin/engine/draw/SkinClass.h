#pragma once
// The properties and images of one class of a loaded skin, read through
// caches: a property once looked up (found or absent) is not looked up again,
// an image once loaded is kept until the next load.

#include "skin/SkinPropertyValue.h"
#include "skin/SkinSchema.h"
#include "skin/SkinTypes.h"
#include "skin/engine/draw/SkinImage.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace tavrelin::skin {

// Where a class reads from: the schema of the loaded skin (null when none)
// and the images its files hold.
class ISkinSource {
public:
    virtual const CSkinSchema* GetSchema() const = 0;
    virtual std::unique_ptr<CSkinImage> LoadSkinImage(const std::string& fileName, bool premultiply) = 0;

protected:
    ~ISkinSource() = default;
};

enum ESkinPartSizeKind : int {
    kSkinPartSizeTrue = 1,
    kSkinPartSizeDraw = 2,
};

class CSkinClass {
public:
    CSkinClass(ISkinSource& source, std::string className);
    virtual ~CSkinClass() = default;
    CSkinClass(const CSkinClass&) = delete;
    CSkinClass& operator=(const CSkinClass&) = delete;

    const std::string& Name() const { return m_strName; }
    int ClassId() const { return m_nClassId; }

    // Each reader gives the default when the property is absent or of another type.
    std::string GetString(int part, int state, int property, const std::string& fallback);
    SkinMargins GetRect(int part, int state, int property, const SkinMargins& fallback);
    int GetInt(int part, int state, int property, int fallback);
    bool GetBool(int part, int state, int property, bool fallback);
    COLORREF GetColor(int part, int state, int property, COLORREF fallback);
    int GetEnum(int part, int state, int property, int fallback);
    SkinPoint GetPoint(int part, int state, int property, const SkinPoint& fallback);

    // The image of that file name, loaded on first use; nullptr when it fails.
    CSkinImage* GetImage(const std::string& fileName);

    // The frame size (kind 1) or drawn size (kind 2) of a part's image
    // background; false for other kinds and parts without an image.
    bool GetPartSize(int part, int state, const RECT* rect, int kind, SIZE& size);

    // The name of the image a part's background draws (empty: none).
    std::string BackgroundImageName(int part, int state);

    void DrawSkinText(HDC dc, int part, int state, const char* text, int length, UINT format, RECT rect);

    // How many property lookups went past the cache (for tests).
    int SchemaLookups() const { return m_nSchemaLookups; }

private:
    const CSkinPropertyValue* Find(int part, int state, int property, ESkinPropertyType type);

    ISkinSource& m_source;
    std::string m_strName;
    int m_nClassId;
    std::unordered_map<std::uint64_t, const CSkinPropertyValue*> m_properties;
    std::map<std::string, std::unique_ptr<CSkinImage>> m_images;
    int m_nSchemaLookups = 0;
};

} // namespace tavrelin::skin
