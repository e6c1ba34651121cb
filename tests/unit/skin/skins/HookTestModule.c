/* A module that imports a patched function, to see whether the engine
   patches modules that are loaded before and after a skin. */
#include <windows.h>

__declspec(dllexport) DWORD HookTestSysColor(int index)
{
    return GetSysColor(index);
}
