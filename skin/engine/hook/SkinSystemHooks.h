#pragma once
// Replacements for the system's metrics answers and class registration.

#include <windows.h>

namespace tavrelin::skin {

BOOL WINAPI HookSystemParametersInfoA(UINT action, UINT uiParam, PVOID data, UINT winIni);
BOOL WINAPI HookAdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
ATOM WINAPI HookRegisterClassA(const WNDCLASSA* windowClass);
ATOM WINAPI HookRegisterClassW(const WNDCLASSW* windowClass);

} // namespace tavrelin::skin
