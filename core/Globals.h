#pragma once
// Process-wide paths and recording flags.
#include <atomic>
#include <string>

// Drive and directory of the executable, ending in a backslash.
extern std::string g_programFolder;
extern std::string g_iniPath;
extern std::string g_albumFolder;
// The current skin file; also changed by the window style dialog.
extern std::string g_skinPath;

// A recording is capturing frames.
extern std::atomic<bool> g_recording;
// A recording's capture loop has ended and its sound is being added.
extern std::atomic<bool> g_composing;
