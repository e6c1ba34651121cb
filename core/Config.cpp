#include "core/Config.h"

#include "core/Counter.h"
#include "core/Globals.h"

#include <windows.h>

namespace {
const char kSection[] = "CONFIG";
}

std::string ReadConfigValue(const char* key)
{
    char value[260] = {};
    ::GetPrivateProfileStringA(kSection, key, nullptr, value, sizeof value, g_iniPath.c_str());
    return value;
}

bool WriteConfigValue(const char* key, const std::optional<std::string>& value)
{
    return ::WritePrivateProfileStringA(kSection, key, value ? value->c_str() : nullptr, g_iniPath.c_str()) != FALSE;
}

std::string StepCounterToFreeFile(const char* key, const std::string& folder, const char* extension)
{
    int next = NextCounterValue(ReadConfigValue(key));
    std::string path = folder + CounterFileName(next, extension);
    while (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        next = NextCounterValue(std::to_string(next));
        path = folder + CounterFileName(next, extension);
    }
    WriteConfigValue(key, std::to_string(next));
    return path;
}

int StepConfigCounter(const char* key)
{
    const int next = NextCounterValue(ReadConfigValue(key));
    WriteConfigValue(key, std::to_string(next));
    return next;
}
