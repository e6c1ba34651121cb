#include "skin/engine/hook/SkinThemeApi.h"

#include "skin/engine/hook/SkinApiHook.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinGdi.h"

#include <string>

namespace tavrelin::skin {
namespace {

// The class a valid handle stands for in the loaded skin, or null.
CSkinClass* ThemeClass(HTHEME theme)
{
    std::string classList;
    CSkinContext* skin = CSkinContext::Active();
    if (!skin || !CSkinApiHook::Instance().ThemeHandles().Find(theme, classList))
        return nullptr;
    return &skin->GetSkinClass(classList);
}

bool IsKnownHandle(HTHEME theme)
{
    std::string ignored;
    return CSkinApiHook::Instance().ThemeHandles().Find(theme, ignored);
}

// Writes text when it fits (with its terminator), else an empty string.
void WriteName(LPWSTR buffer, int chars, const std::string& text)
{
    if (!buffer || chars <= 0)
        return;
    if (text.size() >= static_cast<size_t>(chars)) {
        buffer[0] = L'\0';
        return;
    }
    const int written = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, chars);
    if (written <= 0)
        buffer[0] = L'\0';
}

std::string ColorSchemeName(const std::string& propertyFile)
{
    std::string name = SkinUpperCase(propertyFile);
    std::string result = name;
    const auto contains = [&name](const char* word) {
        const size_t at = name.find(word);
        return at != std::string::npos && at > 0;
    };
    if (contains("METALLIC"))
        result = "metallic";
    if (contains("BLUE"))
        result = "normalcolor";
    if (contains("HOMESTEAD"))
        result = "homestead";
    return result;
}

} // namespace

HTHEME WINAPI ThemeOpenThemeData(HWND, LPCWSTR classList)
{
    if (!classList || !CSkinContext::Active())
        return nullptr;
    char narrow[256] = {};
    if (::WideCharToMultiByte(CP_ACP, 0, classList, -1, narrow, sizeof narrow, nullptr, nullptr) <= 0)
        return nullptr;
    return CSkinApiHook::Instance().ThemeHandles().Open(SkinUpperCase(narrow));
}

HRESULT WINAPI ThemeDrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip)
{
    if (!dc || !rect)
        return E_INVALIDARG;
    CSkinClass* skinClass = ThemeClass(theme);
    if (!skinClass)
        return IsKnownHandle(theme) ? E_FAIL : E_HANDLE;
    const int saved = ::SaveDC(dc);
    if (clip)
        ::IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    const bool drawn = DrawSkinBackground(dc, *skinClass, part, state, *rect);
    ::RestoreDC(dc, saved);
    return drawn ? S_OK : E_FAIL;
}

HRESULT WINAPI ThemeCloseThemeData(HTHEME) { return S_OK; }

HRESULT WINAPI ThemeGetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color)
{
    if (!color)
        return E_INVALIDARG;
    CSkinClass* skinClass = ThemeClass(theme);
    if (!skinClass)
        return IsKnownHandle(theme) ? E_FAIL : E_HANDLE;
    const COLORREF value = skinClass->GetColor(part, state, property, CLR_INVALID);
    if (value == CLR_INVALID)
        return E_FAIL;
    *color = value;
    return S_OK;
}

BOOL WINAPI ThemeIsAppThemed() { return TRUE; }

BOOL WINAPI ThemeIsThemeActive() { return TRUE; }

// Every buffer given receives a string, empty where there is nothing to say
// or the text does not fit; lengths are in characters.
HRESULT WINAPI ThemeGetCurrentThemeName(LPWSTR fileName, int fileNameChars, LPWSTR colorName, int colorNameChars,
                                        LPWSTR sizeName, int sizeNameChars)
{
    WriteName(fileName, fileNameChars, "");
    WriteName(colorName, colorNameChars, "");
    WriteName(sizeName, sizeNameChars, "");
    CSkinContext* skin = CSkinContext::Active();
    if (!skin)
        return E_FAIL;
    const CSkinResourceFile& file = skin->GetResourceFile();
    WriteName(fileName, fileNameChars, file.SkinPath());
    WriteName(colorName, colorNameChars, ColorSchemeName(file.PropertyFileName()));
    return S_OK;
}

BOOL WINAPI ThemeGetThemeSysBool(HTHEME, int boolId)
{
    const CSkinContext* skin = CSkinContext::Active();
    return skin && skin->GetSysMetricsBool(boolId);
}

COLORREF WINAPI ThemeGetThemeSysColor(HTHEME, int colorId)
{
    const CSkinContext* skin = CSkinContext::Active();
    return skin ? skin->GetMetricsColor(colorId) : CLR_INVALID;
}

HRESULT WINAPI ThemeGetThemePartSize(HTHEME theme, HDC, int part, int state, const RECT* rect, THEMESIZE kind,
                                     SIZE* size)
{
    if (!size)
        return E_INVALIDARG;
    CSkinClass* skinClass = ThemeClass(theme);
    if (!skinClass)
        return IsKnownHandle(theme) ? E_FAIL : E_HANDLE;
    return skinClass->GetPartSize(part, state, rect, static_cast<int>(kind), *size) ? S_OK : E_FAIL;
}

} // namespace tavrelin::skin
