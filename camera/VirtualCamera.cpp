#include "camera/VirtualCamera.h"

#include "camera/ListChoiceDialog.h"

#include <algorithm>

std::vector<FrameSize> CVirtualCamera::SupportedSizes() const
{
    // 1280 x 720 is the usual format of a real webcam today.
    return {{160, 120}, {320, 240}, {640, 480}, {1280, 720}};
}

bool CVirtualCamera::SetSize(FrameSize size)
{
    const std::vector<FrameSize> sizes = SupportedSizes();
    if (std::find(sizes.begin(), sizes.end(), size) == sizes.end())
        return false;
    m_size = size;
    return true;
}

bool CVirtualCamera::ProduceFrame(std::vector<std::uint8_t>& pixels)
{
    RenderTestPattern(m_picture, m_size.width, m_size.height, m_frameNumber++, pixels);
    return !pixels.empty();
}

bool CVirtualCamera::ShowSourceDialog(HWND owner)
{
    std::vector<std::string> names;
    for (int index = 0; index < kTestPictureCount; ++index)
        names.emplace_back(TestPictureName(static_cast<TestPicture>(index)));
    const std::optional<int> chosen =
        ChooseFromList(owner, "Video Source", "Picture:", names, static_cast<int>(m_picture));
    if (!chosen || *chosen < 0 || *chosen >= kTestPictureCount)
        return false;
    m_picture = static_cast<TestPicture>(*chosen);
    return true;
}
