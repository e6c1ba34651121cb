#include "app/StartupPaths.h"

#include "core/Config.h"
#include "core/Globals.h"
#include "skin/engine/SkinManager.h"
#include "win/Text.h"

#include <windows.h>

#include <cstdlib>

std::string GetProgramFolder()
{
    // Drive and directory of the executable, whatever their length or script.
    return win::FolderOf(win::ModuleFileName(nullptr));
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
    auto& manager = tavrelin::skin::CSkinManager::GetInstance();
    manager.SetApplyOptions(manager.GetApplyOptions() | tavrelin::skin::SKIN_APPLY_METRICS);
    // The result does not matter: a skin that can't be loaded leaves the
    // system look, as does an empty SKIN value naming the folder itself.
    manager.LoadSkin(g_skinPath.c_str(), nullptr);
}
