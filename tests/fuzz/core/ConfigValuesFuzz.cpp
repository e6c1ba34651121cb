// Config.ini's counter values, whatever a user or a damaged file left there:
// read as the platform's atoi reads them (checked against strtoll, clamped),
// stepped without wrapping past the largest number, and named as "%06d"
// names them.
#include "core/Counter.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The C library's reading of the same text, with out-of-range values held
// at the ends of int's range as the platform's atoi holds them.
int ReferenceValue(const std::string& text)
{
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A private-profile value is one line of at most 259 characters, without NUL.
    std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 259));
    text = text.substr(0, text.find('\0'));
    const int value = ParseCounter(text);
    Check(value == ReferenceValue(text));
    const std::optional<int> next = NextCounterValue(text);
    Check(next ? *next == value + 1 : value == INT_MAX);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%06d.jpg", value);
    Check(CounterFileName(value, ".jpg") == expected);
    return 0;
}
