#include "core/CommandLine.h"

#include <cctype>

namespace {

bool EqualIgnoringCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

} // namespace

bool SplashAllowedByCommandLine(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument.size() < 2 || (argument[0] != '-' && argument[0] != '/'))
            continue;
        const char* flag = argument.c_str() + 1;
        if (EqualIgnoringCase(flag, "Embedding") || EqualIgnoringCase(flag, "Automation"))
            return false;
    }
    return true;
}
