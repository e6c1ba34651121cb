#pragma once
// The engine's answers to the theme functions, handed out by GetProcAddress
// for the substitute UxTheme module while skin colours apply.
//
// A theme handle names a class list, not a class object: it stays valid
// across skin loads and unloads, and every function refuses handles it did
// not hand out.

#include <windows.h>
#include <uxtheme.h>

namespace tavrelin::skin {

HTHEME WINAPI ThemeOpenThemeData(HWND window, LPCWSTR classList);
HRESULT WINAPI ThemeDrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT WINAPI ThemeCloseThemeData(HTHEME theme);
HRESULT WINAPI ThemeGetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
BOOL WINAPI ThemeIsAppThemed();
BOOL WINAPI ThemeIsThemeActive();
HRESULT WINAPI ThemeGetCurrentThemeName(LPWSTR fileName, int fileNameChars, LPWSTR colorName, int colorNameChars,
                                        LPWSTR sizeName, int sizeNameChars);
BOOL WINAPI ThemeGetThemeSysBool(HTHEME theme, int boolId);
COLORREF WINAPI ThemeGetThemeSysColor(HTHEME theme, int colorId);
HRESULT WINAPI ThemeGetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind,
                                     SIZE* size);

} // namespace tavrelin::skin
