#include "SoakLimits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace soak {
namespace {

const NamedSample* Find(const std::vector<NamedSample>& samples, const std::string& prefix)
{
    for (const NamedSample& sample : samples)
        if (sample.name.rfind(prefix, 0) == 0)
            return &sample;
    return nullptr;
}

std::string Megabytes(std::size_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
    return text;
}

bool WithinTolerance(long start, long end)
{
    return start >= 0 && end >= 0 && std::abs(end - start) <= std::lround(static_cast<double>(start) * kCountTolerance);
}

} // namespace

void PrintTable(std::ostream& out, const std::vector<NamedSample>& samples, const Activity& activity)
{
    out << "| moment | memory (VmRSS) | GDI objects | handles |\n|---|---|---|---|\n";
    for (const NamedSample& named : samples)
        out << "| " << named.name << " | " << Megabytes(named.sample.memoryBytes) << " | " << named.sample.gdiObjects
            << " | " << named.sample.handles << " |\n";
    out << "\n"
        << activity.recordings << " recordings, " << activity.pictures << " pictures, " << activity.designs
        << " design windows, " << activity.skinSwitches << " skin switches, " << activity.albumChanges
        << " album renames and deletes; " << activity.filesJudged << " files judged, " << activity.invalidFiles.size()
        << " invalid; " << activity.slowAnswers.size() << " answers slower than a second; "
        << (activity.hung ? "hung" : "no hang") << "\n";
    for (const std::string& file : activity.invalidFiles)
        out << "invalid: " << file << "\n";
    for (const std::string& answer : activity.slowAnswers)
        out << "slow: " << answer << "\n";
}

std::vector<std::string> CheckLimits(const std::vector<NamedSample>& samples, const Activity& activity)
{
    std::vector<std::string> broken;
    const NamedSample* warm = Find(samples, "after warm-up");
    const NamedSample* counted = Find(samples, "after 25");
    const NamedSample* end = Find(samples, "end");
    if (!warm || !end)
        return {"the run ended before its first round did"};
    if (counted && counted->sample.memoryBytes > warm->sample.memoryBytes + kMemoryGrowthLimit)
        broken.push_back("memory grew by " + Megabytes(counted->sample.memoryBytes - warm->sample.memoryBytes) +
                         " over 25 recordings and 100 pictures");
    if (!WithinTolerance(warm->sample.gdiObjects, end->sample.gdiObjects))
        broken.push_back("GDI objects went from " + std::to_string(warm->sample.gdiObjects) + " to " +
                         std::to_string(end->sample.gdiObjects));
    if (!WithinTolerance(warm->sample.handles, end->sample.handles))
        broken.push_back("handles went from " + std::to_string(warm->sample.handles) + " to " +
                         std::to_string(end->sample.handles));
    for (const std::string& file : activity.invalidFiles)
        broken.push_back("invalid file " + file);
    for (const std::string& answer : activity.slowAnswers)
        broken.push_back("the main window answered late after " + answer);
    if (activity.hung)
        broken.push_back("the program hung");
    return broken;
}

} // namespace soak
