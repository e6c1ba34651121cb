#pragma once
// What the soak run measures of the program, the limits it holds it to and
// the table it prints.
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace soak {

// Recordings (and four times as many pictures) after the warm-up over which
// the memory may grow by less than kMemoryGrowthLimit.
inline constexpr int kRecordingsToCount = 25;
inline constexpr std::size_t kMemoryGrowthLimit = 40u << 20;
// GDI objects and handles at the end may differ from the warm-up's by this share.
inline constexpr double kCountTolerance = 0.02;

struct Sample {
    std::size_t memoryBytes = 0; // resident set (VmRSS)
    int gdiObjects = -1;
    long handles = -1;
};

struct NamedSample {
    std::string name;
    Sample sample;
};

struct Activity {
    int recordings = 0;
    int pictures = 0;
    int designs = 0;
    int skinSwitches = 0;
    int albumChanges = 0;
    int filesJudged = 0;
    std::vector<std::string> invalidFiles;
    std::vector<std::string> slowAnswers;
    bool hung = false;
};

void PrintTable(std::ostream& out, const std::vector<NamedSample>& samples, const Activity& activity);
// One line per limit the run broke; empty when it held them all.
std::vector<std::string> CheckLimits(const std::vector<NamedSample>& samples, const Activity& activity);

} // namespace soak
