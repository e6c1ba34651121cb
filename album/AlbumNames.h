#pragma once
// What kind of album file a name stands for; what a rename makes of a name is
// in rename/FileNames.h.
#include <string>

// The extension of an album file in lower case: ".jpg", ".avi" or empty.
enum class EAlbumFileKind { Other, Picture, Video };
EAlbumFileKind AlbumFileKind(const std::string& name);
