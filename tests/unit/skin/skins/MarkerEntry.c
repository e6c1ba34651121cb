/* The entry point of a skin module that carries code: when anything runs it,
   it leaves a file where TAVRELIN_SKIN_MARKER says. */
#include <windows.h>

BOOL WINAPI SkinEntry(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableA("TAVRELIN_SKIN_MARKER", path, sizeof path);
        if (length > 0 && length < sizeof path) {
            HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
    }
    return TRUE;
}
