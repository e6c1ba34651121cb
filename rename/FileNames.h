#pragma once
// What a rename makes of the typed name, and which names are refused because
// the file would leave its folder or could not be made. The album and the
// design library ask the same questions.
#include <string>

// The typed name with the old file's last four characters (its extension,
// such as ".jpg") appended unless it already ends in exactly them, compared
// case-sensitively: "holiday" and "holiday.jpg" give holiday.jpg,
// "HOLIDAY.JPG" gives HOLIDAY.JPG.jpg.
std::string RenamedFileName(const std::string& oldName, const std::string& typedName);

// False for a name that is not one file in the folder: empty, "." or "..",
// any of \ / : * ? " < > |, a control character, or a reserved device name
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with or without an extension,
// in any letter case). Any other text is taken as typed.
bool IsPlainFileName(const std::string& name);
