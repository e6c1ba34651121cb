#pragma once
// Start-up work on the process-wide paths and the configured skin.
#include <string>

// Drive and directory of the running executable, ending in a backslash.
std::string GetProgramFolder();
// Fills g_programFolder, g_iniPath, g_albumFolder and g_skinPath.
void InitializeProgramPaths();
// Hands g_skinPath to the skin engine before any window exists; a file that
// can't be loaded leaves the system look.
void LoadConfiguredSkin();
