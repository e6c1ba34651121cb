#include "core/Counter.h"

#include <climits>
#include <cstdint>
#include <cstdio>

namespace {

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

} // namespace

int ParseCounter(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT_MAX} + 1)
            value = int64_t{INT_MAX} + 1;
    }
    if (negative)
        return value > INT_MAX ? INT_MIN : static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::optional<int> NextCounterValue(const std::string& storedText)
{
    const int stored = ParseCounter(storedText);
    if (stored == INT_MAX)
        return std::nullopt;
    return stored + 1;
}

std::string CounterFileName(int number, const char* extension)
{
    char name[32];
    std::snprintf(name, sizeof name, "%06d%s", number, extension);
    return name;
}
