#pragma once
// The names of the album's files: what a rename makes of the typed name, and
// which names are refused because the file would leave the album folder or
// could not be made.
#include <string>

// The typed name with the old file's last four characters (its extension,
// such as ".jpg") appended unless it already ends in exactly them, compared
// case-sensitively: "holiday" and "holiday.jpg" give holiday.jpg,
// "HOLIDAY.JPG" gives HOLIDAY.JPG.jpg.
std::string RenamedFileName(const std::string& oldName, const std::string& typedName);

// False for a name that is not one file in the album folder: empty, "." or
// "..", any of \ / : * ? " < > |, a control character, or a reserved device
// name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with or without an
// extension, in any letter case). Any other text is taken as typed.
bool IsAlbumFileName(const std::string& name);

// The extension of an album file in lower case: ".jpg", ".avi" or empty.
enum class EAlbumFileKind { Other, Picture, Video };
EAlbumFileKind AlbumFileKind(const std::string& name);
