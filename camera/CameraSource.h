#pragma once
// A capture driver as the capture window sees it. The virtual camera is one;
// a real camera back end (DirectShow, Media Foundation) fits behind the same
// interface.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FrameSize {
    int width = 0;
    int height = 0;
    bool operator==(const FrameSize&) const = default;
};

class CCameraSource {
public:
    CCameraSource() = default;
    CCameraSource(const CCameraSource&) = delete;
    CCameraSource& operator=(const CCameraSource&) = delete;
    virtual ~CCameraSource() = default;

    virtual std::string Name() const = 0;
    virtual std::vector<FrameSize> SupportedSizes() const = 0;
    virtual FrameSize CurrentSize() const = 0;
    // False when the size is not one of SupportedSizes().
    virtual bool SetSize(FrameSize size) = 0;
    // The picture of this moment as a bottom-up 24-bit BGR bitmap of
    // CurrentSize(), rows padded to whole 32-bit words; false when the driver
    // has no picture.
    virtual bool ProduceFrame(std::vector<std::uint8_t>& pixels) = 0;
    // The driver's modal dialogs; true when the user applied a change.
    virtual bool ShowSourceDialog(HWND owner) = 0;
    // By default a list of SupportedSizes(); OK applies the chosen one.
    virtual bool ShowFormatDialog(HWND owner);
};

// The environment variable that installs the virtual camera as driver 0 when
// it holds "test".
inline constexpr const char* kCameraVariable = "TAVRELIN_CAMERA";

// The capture driver installed at the index, or null when there is none.
std::unique_ptr<CCameraSource> OpenCameraDriver(unsigned index);
