// The real program shows the test camera in its design box; a separate
// program lays a red, elliptic, top-most window over the left half of the
// box. The grab, done here on the program's design box window, reads the
// screen, as it does wherever no capture window of its own process lies over
// the box (the platform's capture window): it must show the red exactly
// inside the ellipse and the camera picture everywhere else, and no red once
// the window has moved away. The BMP files are checked again by ImageMagick
// after this program. (The program's own grab composes and leaves such a
// window out: tests/e2e/design.)
#include "E2eSupport.h"

#include "grab/BitmapFile.h"
#include "grab/FrameGrab.h"
#include "GrabTestFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

constexpr int kDesignBox = 1005;
constexpr COLORREF kOverlayRed = RGB(240, 24, 48);
constexpr int kOverlaySize = 200;

using grabtest::Picture;
using grabtest::ToRgb;

std::string OutputPath(const std::string& name) { return grabtest::OutputFolder(GRAB_BMP_DIR) + "\\" + name + ".bmp"; }

// How many non-black pixels the screen shows over the box: the camera is live
// once there are many.
size_t LitPixels(const RECT& box)
{
    const std::optional<e2e::ScreenImage> screen = e2e::ScreenImage::Capture(box);
    return screen ? screen->Width() * screen->Height() - screen->CountColour(RGB(0, 0, 0)) : 0;
}

// How many of the overlay's red pixels the screen shows over the box.
size_t RedPixels(const RECT& box)
{
    const std::optional<e2e::ScreenImage> screen = e2e::ScreenImage::Capture(box);
    return screen ? screen->CountColour(kOverlayRed) : 0;
}

// The program with the test camera, and its design box once the camera
// picture shows in it.
class CameraProgram {
public:
    CameraProgram()
        : m_program(e2e::LaunchOptions{
              m_folder.File("Tavrelin.exe"), "/Embedding", {{"TAVRELIN_CAMERA", "test"}}, m_folder.Path()})
    {
        m_hMain = e2e::WaitForProgramMainWindow(m_program.Pid());
        if (m_hMain)
            m_hBox = e2e::WaitForWindow([this] { return e2e::ChildById(m_hMain, kDesignBox); });
    }
    HWND Main() const { return m_hMain; }
    HWND Box() const { return m_hBox; }
    DWORD Pid() const { return m_program.Pid(); }

private:
    e2e::ProgramCopy m_folder;
    e2e::RunningProgram m_program;
    HWND m_hMain = nullptr;
    HWND m_hBox = nullptr;
};

// What a grab holds compared with the overlay's region (in box coordinates)
// and with the screen read back at the same moment.
struct OverlayComparison {
    size_t insideRegion = 0;
    size_t redInside = 0;
    size_t outsideRegion = 0;
    size_t redOutside = 0;
    size_t outsideAsOnScreen = 0;
    std::set<std::uint32_t> outsideColours;
};

OverlayComparison Compare(const Picture& grab, const e2e::ScreenImage& screen, HRGN region)
{
    OverlayComparison result;
    for (int y = 0; y < grab.height; ++y) {
        for (int x = 0; x < grab.width; ++x) {
            const bool red = grab.At(x, y) == ToRgb(kOverlayRed);
            if (region && ::PtInRegion(region, x, y)) {
                ++result.insideRegion;
                result.redInside += red;
                continue;
            }
            ++result.outsideRegion;
            result.redOutside += red;
            result.outsideAsOnScreen += grab.At(x, y) == ToRgb(screen.Pixel(x, y));
            result.outsideColours.insert(grab.At(x, y));
        }
    }
    return result;
}

// Grabs the box at its own size, saves it, and reads the file back.
std::optional<Picture> GrabAndSave(HWND box, const std::string& path)
{
    const win::UniqueBitmap bitmap = GrabDesignBox(box, kGrabBoxWidth, kGrabBoxHeight);
    if (!bitmap || !SaveBitmapFile(bitmap.get(), path, box))
        return std::nullopt;
    const std::optional<grabtest::BmpFile> file = grabtest::ReadFile(path);
    return file ? grabtest::Bmp24Picture(*file) : std::nullopt;
}

TEST(GrabOverlay, AnotherProgramsShapedWindowIsGrabbedInsideItsRegionOnly)
{
    CameraProgram camera;
    ASSERT_NE(camera.Main(), nullptr) << e2e::DescribeTopLevel(camera.Pid());
    ASSERT_NE(camera.Box(), nullptr) << "no design box " << kDesignBox;
    const RECT box = e2e::ClientRectOnScreen(camera.Box());
    ASSERT_EQ(box.right - box.left, kGrabBoxWidth);
    ASSERT_EQ(box.bottom - box.top, kGrabBoxHeight);
    ASSERT_TRUE(e2e::WaitUntil([&] { return LitPixels(box) > 1000; })) << "the camera picture never showed";

    // The ellipse's right edge lies on the box's middle; its top-right corner
    // is cut away inside the box.
    const POINT overlayAt{box.left - 40, box.top + 20};
    std::ostringstream arguments;
    arguments << overlayAt.x << ' ' << overlayAt.y << ' ' << kOverlaySize;
    e2e::RunningProgram overlayProgram(GRAB_OVERLAY_EXE, arguments.str());
    const HWND overlay = e2e::WaitForTopLevel(overlayProgram.Pid(), "TavrelinGrabOverlay");
    ASSERT_NE(overlay, nullptr);
    // The grabs are judged once the whole overlay has reached the box: the
    // screen shows red at every point of the ellipse inside it.
    const win::UniqueRegion region(::CreateEllipticRgn(0, 0, kOverlaySize, kOverlaySize));
    ::OffsetRgn(region.get(), overlayAt.x - box.left, overlayAt.y - box.top);
    size_t insideBox = 0;
    for (int y = 0; y < kGrabBoxHeight; ++y)
        for (int x = 0; x < kGrabBoxWidth; ++x)
            insideBox += ::PtInRegion(region.get(), x, y) ? 1 : 0;
    ASSERT_TRUE(e2e::WaitUntil([&] { return RedPixels(box) >= insideBox; })) << RedPixels(box) << " of " << insideBox;
    {
        SCOPED_TRACE("overlay over the left half");
        const std::string path = OutputPath("overlay_over_box");
        const std::optional<Picture> grab = GrabAndSave(camera.Box(), path);
        const std::optional<e2e::ScreenImage> screen = e2e::ScreenImage::Capture(box);
        ASSERT_TRUE(grab && screen);
        const OverlayComparison seen = Compare(*grab, *screen, region.get());
        EXPECT_GT(seen.insideRegion, 15000u);
        EXPECT_EQ(seen.redInside, seen.insideRegion);
        EXPECT_EQ(seen.redOutside, 0u);
        EXPECT_GE(seen.outsideColours.size(), 3u) << "the camera picture outside the ellipse";
        // The test card moves, so a few pixels may change between the two reads.
        EXPECT_GE(seen.outsideAsOnScreen * 10, seen.outsideRegion * 9);
        EXPECT_NE(grab->At(155, 25), ToRgb(kOverlayRed)) << "the ellipse's cut-away corner";
        EXPECT_NE(grab->At(200, 120), ToRgb(kOverlayRed)) << "the right half";

        grabtest::Expectation expectation{kGrabBoxWidth, kGrabBoxHeight, {}};
        expectation.Count(ToRgb(kOverlayRed), seen.insideRegion);
        for (const POINT point : {POINT{60, 120}, POINT{10, 120}, POINT{150, 120}, POINT{60, 30}, POINT{60, 215}})
            expectation.Pixel(point.x, point.y, ToRgb(kOverlayRed));
        EXPECT_TRUE(grabtest::WriteExpectation(path, expectation));
    }

    ::SetWindowPos(overlay, HWND_TOPMOST, box.right + 40, box.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return RedPixels(box) == 0; })) << "all of the overlay has left the box";
    {
        SCOPED_TRACE("overlay moved away");
        const std::string path = OutputPath("overlay_moved_away");
        const std::optional<Picture> grab = GrabAndSave(camera.Box(), path);
        const std::optional<e2e::ScreenImage> screen = e2e::ScreenImage::Capture(box);
        ASSERT_TRUE(grab && screen);
        const OverlayComparison seen = Compare(*grab, *screen, nullptr);
        EXPECT_EQ(seen.redOutside, 0u);
        EXPECT_GE(seen.outsideColours.size(), 3u);
        EXPECT_GE(seen.outsideAsOnScreen * 10, seen.outsideRegion * 9);

        grabtest::Expectation expectation{kGrabBoxWidth, kGrabBoxHeight, {}};
        expectation.Count(ToRgb(kOverlayRed), 0);
        EXPECT_TRUE(grabtest::WriteExpectation(path, expectation));
    }
}

} // namespace
