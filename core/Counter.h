#pragma once
// The album's file counters ("JPGSUM", "AVISUM") as stored text.
#include <optional>
#include <string>

// The C library's atoi as the platform's runtime defines it: leading white
// space, an optional sign, the leading digits; saturates instead of
// overflowing.
int ParseCounter(const std::string& text);

// The number that follows the stored counter text; none when the text
// stands for the largest number there is (a step past it would wrap to a
// negative name).
std::optional<int> NextCounterValue(const std::string& storedText);

// "%06d" plus the extension, e.g. 000001.jpg, -00002.jpg, 1000000.avi.
std::string CounterFileName(int number, const char* extension);
