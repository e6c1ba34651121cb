#pragma once
// Config.ini: section "CONFIG" read and written through the platform's
// private-profile functions at the moment a value is needed.
#include <optional>
#include <string>

// The key's value, empty when the file, section or key is missing.
std::string ReadConfigValue(const char* key);
// Writes the key; no value removes it. False when the file can't be written.
bool WriteConfigValue(const char* key, const std::optional<std::string>& value);
struct SCounterStep {
    std::string path; // the new file's full path
    bool stored;      // false when Config.ini could not be written
};
// The counter step for album files, stored before the file it names is
// made: the number after the stored one, moved on past any file that
// already has its name in the folder, so an earlier video or picture is
// never replaced (also when Config.ini can't be written and the stored
// number stays behind). None when no number is left.
std::optional<SCounterStep> StepCounterToFreeFile(const char* key, const std::string& folder, const char* extension);
