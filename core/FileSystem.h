#pragma once
// The small questions about files the program asks in several places: a
// path's file name, whether a file is there, which files a folder holds.
#include <string>
#include <vector>

// The part after the last folder separator ('\\' or '/'): "b.gif" of
// "C:\\a\\b.gif"; the whole path when it has none.
std::string FileNameOf(const std::string& path);
// True when path names an existing file; a folder is no file.
bool IsExistingFile(const std::string& path);
// The names (without folder) of the files matching pattern, for example
// "C:\\Album\\*.jpg", in the order the system lists them; folders are left
// out. Empty when nothing matches or the folder can't be read.
std::vector<std::string> ListFiles(const std::string& pattern);
