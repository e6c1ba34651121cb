#include "core/Globals.h"

std::string g_programFolder;
std::string g_iniPath;
std::string g_albumFolder;
std::string g_skinPath;

std::atomic<bool> g_recording{false};
std::atomic<bool> g_composing{false};
