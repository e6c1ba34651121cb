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

std::optional<SCounterStep> StepCounterToFreeFile(const char* key, const std::string& folder, const char* extension)
{
    std::optional<int> next = NextCounterValue(ReadConfigValue(key));
    while (next &&
           ::GetFileAttributesA((folder + CounterFileName(*next, extension)).c_str()) != INVALID_FILE_ATTRIBUTES)
        next = NextCounterValue(std::to_string(*next));
    if (!next)
        return std::nullopt;
    const bool stored = WriteConfigValue(key, std::to_string(*next));
    return SCounterStep{folder + CounterFileName(*next, extension), stored};
}
