// What the user sees when a snapshot's picture file can't be written.
#pragma once

#include "imaging/DibFile.h"

#include <cstdint>
#include <string>
#include <string_view>

// The application's name as message boxes show it: the module's file name
// without folder and extension.
std::string ApplicationNameFromPath(std::string_view modulePath);

#ifdef _WIN32
// SaveAsJpeg, then "Can not create jpg file!" in a message box when the
// target could not be created.
EJpegSaveResult SaveAsJpegWithNotice(const CDibFile& dib, const char* path, uint16_t quality);
#endif
