#pragma once
// Runs the command-line tools that check our files (ffprobe, ffmpeg, sox).

#include <map>
#include <string>

struct ToolResult {
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

ToolResult RunTool(const std::string& command);

// Quotes a path for the shell.
std::string Quoted(const std::string& path);

// "key=value" lines of ffprobe's default writer without section wrappers.
std::map<std::string, std::string> ParseKeyValues(const std::string& text);

// "30/1000" and "3/100" are equal rationals.
bool SameRational(const std::string& text, long long numerator, long long denominator);

// The value of "n/d"; 0 when the text is no rational.
double RationalValue(const std::string& text);
