#include "ToolRunner.h"

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>

#include <sys/wait.h>

ToolResult RunTool(const std::string& command)
{
    ToolResult result;
    const std::string merged = command + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(merged.c_str(), "r"), pclose);
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    for (std::size_t read = 0; (read = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        result.output.append(buffer.data(), read);
    const int status = pclose(pipe.release());
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const std::string& path)
{
    std::string quoted = "'";
    for (char letter : path)
        quoted += letter == '\'' ? std::string("'\\''") : std::string(1, letter);
    return quoted + "'";
}

std::map<std::string, std::string> ParseKeyValues(const std::string& text)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

namespace {

bool ParseRational(const std::string& text, long long& numerator, long long& denominator)
{
    char slash = 0;
    std::istringstream stream(text);
    return (stream >> numerator >> slash >> denominator) && slash == '/' && denominator != 0;
}

} // namespace

bool SameRational(const std::string& text, long long numerator, long long denominator)
{
    long long textNumerator = 0;
    long long textDenominator = 0;
    return ParseRational(text, textNumerator, textDenominator) &&
           textNumerator * denominator == numerator * textDenominator;
}

double RationalValue(const std::string& text)
{
    long long numerator = 0;
    long long denominator = 0;
    return ParseRational(text, numerator, denominator) ? static_cast<double>(numerator) / denominator : 0.0;
}
