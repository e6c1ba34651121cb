#pragma once
// What the command line changes: only the flags "Embedding" and "Automation"
// (after "-" or "/", any letter case) matter, and they suppress the splash.
#include <string>
#include <vector>

bool SplashAllowedByCommandLine(const std::vector<std::string>& arguments);
