#include "rename/FileNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace {

std::string LastFour(const std::string& text) { return text.size() <= 4 ? text : text.substr(text.size() - 4); }

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsReservedDeviceName(const std::string& name)
{
    // The device is named by what stands before the first dot, trailing
    // blanks ignored: "con.txt" and "NUL .jpg" open the device too.
    std::string stem = Upper(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    static constexpr std::array<const char*, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kPlain)
        if (stem == device)
            return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '0' &&
           stem[3] <= '9';
}

} // namespace

std::string RenamedFileName(const std::string& oldName, const std::string& typedName)
{
    const std::string extension = LastFour(oldName);
    return LastFour(typedName) == extension ? typedName : typedName + extension;
}

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || std::strchr("\\/:*?\"<>|", c))
            return false;
    }
    return !IsReservedDeviceName(name);
}
