// The picture composed in memory from our capture window (a still 1280 x 720
// test card scaled into the box) and our design windows (over one another,
// partly outside the box) equals, pixel for pixel, the screen grab of the box
// while nothing else lies over it. The screen grab is the oracle.
#include "camera/CameraSource.h"
#include "camera/CaptureWindow.h"
#include "camera/ListChoiceDialog.h"
#include "design/DesignWindows.h"
#include "grab/BoxComposition.h"
#include "grab/FrameGrab.h"
#include "GrabTestFiles.h"
#include "PatternWindow.h"

#include <gtest/gtest.h>
#include <vfw.h>

#include <thread>

namespace {

constexpr POINT kBox{130, 130};
constexpr UINT_PTR kDesignFrameTimer = 1000;

// Picks the entry of the format dialog from another thread, as a user would.
void ChooseFormat(HWND capture, int entry)
{
    std::thread choosing([entry] {
        HWND dialog = nullptr;
        for (int attempt = 0; attempt < 500 && !dialog; ++attempt, ::Sleep(20)) {
            dialog = ::FindWindowA("#32770", "Video Format");
            dialog = dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
        }
        ::SendMessageA(::GetDlgItem(dialog, kChoiceListId), LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ::SendMessageA(capture, WM_CAP_DLG_VIDEOFORMAT, 0, 0);
    choosing.join();
}

// How many pixels of the composed grab differ from the screen grab; -1 when
// either grab failed.
int DifferingPixels(HWND box, SIZE size)
{
    const win::UniqueBitmap composed = GrabDesignBox(box, size.cx, size.cy);
    const win::UniqueBitmap screen = GrabScreenBox(box, size.cx, size.cy);
    const std::optional<grabtest::Picture> ours = grabtest::SectionPicture(composed.get());
    const std::optional<grabtest::Picture> oracle = grabtest::SectionPicture(screen.get());
    if (!ours || !oracle || ours->pixels.size() != oracle->pixels.size())
        return -1;
    int differing = 0;
    for (size_t index = 0; index < ours->pixels.size(); ++index)
        differing += ours->pixels[index] != oracle->pixels[index];
    return differing;
}

TEST(ComposedGrab, EqualsTheScreenGrabWhileNothingElseLiesOverTheBox)
{
    ::SetEnvironmentVariableA(kCameraVariable, "test");
    const gdiplus::CGdiplusSession gdiplus;
    HWND page = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, kBox.x - 30, kBox.y - 30, 400, 300, nullptr,
                                  nullptr, nullptr, nullptr);
    // The box itself is hidden under the capture window, as on the camera page.
    HWND box = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 30, 30, kGrabBoxWidth, kGrabBoxHeight, page, nullptr,
                                 nullptr, nullptr);
    HWND capture =
        CreateOwnCaptureWindow("Capture", WS_CHILD | WS_VISIBLE, 30, 30, kGrabBoxWidth, kGrabBoxHeight, page, 0);
    ASSERT_TRUE(capture && ::SendMessageA(capture, WM_CAP_DRIVER_CONNECT, 0, 0));
    ChooseFormat(capture, 3);
    ::SendMessageA(capture, WM_CAP_SET_SCALE, TRUE, 0);

    struct Placed {
        const char* name;
        POINT at;
    };
    CDesignWindows designs;
    for (const Placed design :
         {Placed{"still.gif", {kBox.x - 20, kBox.y + 10}}, Placed{"animated.gif", {kBox.x + 20, kBox.y + 30}},
          Placed{"zoom300x230.gif", {kBox.x + 220, kBox.y + 160}}}) {
        const std::string path = grabtest::WindowsPath(DESIGN_FILES_DIR) + "\\" + design.name;
        std::optional<tavrelin::SDesignFrames> frames = tavrelin::LoadDesignFrames(path);
        ASSERT_TRUE(frames && designs.Open(path, std::move(*frames), design.at.x, design.at.y)) << design.name;
        // A still picture: the screen and the composition must show the same frame.
        ::KillTimer(designs.At(designs.Count() - 1)->m_hWnd, kDesignFrameTimer);
    }
    ASSERT_TRUE(ComposeDesignBox(box)) << "the grab composes rather than reads the screen";
    for (const SIZE size : {SIZE{320, 240}, SIZE{1280, 720}, SIZE{640, 480}, SIZE{176, 144}}) {
        int differing = -1;
        for (int attempt = 0; attempt < 100 && differing != 0; ++attempt) {
            grabtest::PumpMessages(30);
            differing = DifferingPixels(box, size);
        }
        EXPECT_EQ(differing, 0) << size.cx << " x " << size.cy;
    }
    designs.CloseAll();
    ::DestroyWindow(page);
}

} // namespace
