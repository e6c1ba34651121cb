#include "app/StartupPaths.h"

#include "core/Config.h"
#include "core/Globals.h"

#include <windows.h>

#include <cstdlib>

std::string GetProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char drive[_MAX_DRIVE] = {};
    char directory[_MAX_DIR] = {};
    _splitpath(path, drive, directory, nullptr, nullptr);
    return std::string(drive) + directory;
}

void InitializeProgramPaths()
{
    g_programFolder = GetProgramFolder();
    g_iniPath = g_programFolder + "Config.ini";
    g_albumFolder = g_programFolder + "Album\\";
    g_skinPath = g_programFolder + "Skin\\" + ReadConfigValue("SKIN");
}

void LoadConfiguredSkin()
{
    // The skin engine takes g_skinPath here, with the metrics option added
    // to its apply options, once it is part of the program.
}
