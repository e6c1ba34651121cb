#pragma once
// The built-in virtual camera: a moving test picture in a few sizes, for
// machines (and test runs) without a camera.
#include "camera/CameraSource.h"
#include "camera/TestPattern.h"

class CVirtualCamera final : public CCameraSource {
public:
    std::string Name() const override { return "Tavrelin virtual camera"; }
    std::vector<FrameSize> SupportedSizes() const override;
    FrameSize CurrentSize() const override { return m_size; }
    bool SetSize(FrameSize size) override;
    bool ProduceFrame(std::vector<std::uint8_t>& pixels) override;
    bool ShowSourceDialog(HWND owner) override;

    TestPicture Picture() const { return m_picture; }
    void SetPicture(TestPicture picture) { m_picture = picture; }

private:
    FrameSize m_size{320, 240};
    TestPicture m_picture = TestPicture::ColourBars;
    std::uint32_t m_frameNumber = 0;
};
