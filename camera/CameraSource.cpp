#include "camera/CameraSource.h"

#include "camera/ListChoiceDialog.h"
#include "camera/VirtualCamera.h"

#include <cstring>

bool CCameraSource::ShowFormatDialog(HWND owner)
{
    const std::vector<FrameSize> sizes = SupportedSizes();
    std::vector<std::string> names;
    int current = 0;
    for (const FrameSize& size : sizes) {
        if (size == CurrentSize())
            current = static_cast<int>(names.size());
        names.push_back(std::to_string(size.width) + " x " + std::to_string(size.height));
    }
    const std::optional<int> chosen = ChooseFromList(owner, "Video Format", "Image size:", names, current);
    if (!chosen || *chosen < 0 || static_cast<size_t>(*chosen) >= sizes.size())
        return false;
    return SetSize(sizes[static_cast<size_t>(*chosen)]);
}

std::unique_ptr<CCameraSource> OpenCameraDriver(unsigned index)
{
    char value[16] = {};
    const DWORD length = ::GetEnvironmentVariableA(kCameraVariable, value, sizeof value);
    if (index == 0 && length > 0 && length < sizeof value && std::strcmp(value, "test") == 0)
        return std::make_unique<CVirtualCamera>();
    return nullptr;
}
