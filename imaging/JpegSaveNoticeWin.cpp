#include "imaging/JpegSaveNotice.h"

#include <windows.h>

namespace {

std::string ApplicationCaption()
{
    char modulePath[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    return ApplicationNameFromPath(std::string_view(modulePath, length < MAX_PATH ? length : 0));
}

} // namespace

EJpegSaveResult SaveAsJpegWithNotice(const CDibFile& dib, const char* path, uint16_t quality)
{
    const EJpegSaveResult result = dib.SaveAsJpeg(path, quality);
    if (result == EJpegSaveResult::CannotCreateFile)
        ::MessageBoxA(::GetActiveWindow(), "Can not create jpg file!", ApplicationCaption().c_str(),
                      MB_OK);
    return result;
}
