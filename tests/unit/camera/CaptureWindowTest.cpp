// Our capture window, in this process: the WM_CAP_ messages the camera page
// relies on, the picture it paints, and the virtual camera's two dialogs.
#include "camera/CameraSource.h"
#include "camera/CaptureWindow.h"
#include "camera/ListChoiceDialog.h"
#include "MessagePump.h"
#include "PatternProbe.h"
#include "camera/TestPattern.h"

#include <gtest/gtest.h>
#include <vfw.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

using e2e::PumpFor;
using e2e::PumpUntil;

// The window's own pixels, top-down, as 0xRRGGBB.
struct WindowPixels {
    explicit WindowPixels(HWND window)
    {
        RECT client{};
        ::GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        HDC windowDc = ::GetDC(window);
        HDC memory = ::CreateCompatibleDC(windowDc);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        pixels.assign(source, source + static_cast<size_t>(width) * static_cast<size_t>(height));
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(window, windowDc);
    }
    std::uint32_t At(int x, int y) const { return pixels.at(static_cast<size_t>(y * width + x)) & 0xFFFFFF; }
    std::optional<std::uint32_t> Counter() const
    {
        return camera_test::ReadFrameCounter([this](int x, int y) { return At(x, y); }, height);
    }
    size_t CountNonBlack() const
    {
        size_t count = 0;
        for (std::uint32_t pixel : pixels)
            count += (pixel & 0xFFFFFF) != 0;
        return count;
    }

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name)
    {
        char old[64] = {};
        const DWORD length = ::GetEnvironmentVariableA(name, old, sizeof old);
        m_hadValue = length > 0 && length < sizeof old;
        if (m_hadValue)
            m_old = old;
        ::SetEnvironmentVariableA(name, value);
    }
    ~ScopedVariable() { ::SetEnvironmentVariableA(m_name, m_hadValue ? m_old.c_str() : nullptr); }

private:
    const char* m_name;
    std::string m_old;
    bool m_hadValue = false;
};

// Operates a list dialog of this process from another thread, as a user
// would: waits for it, selects an entry, presses a button.
class DialogOperator {
public:
    DialogOperator(const char* title, int selection, int button)
        : m_thread([this, title, selection, button] { Operate(title, selection, button); })
    {}
    ~DialogOperator() { m_thread.join(); }
    bool Found() const { return m_found; }
    std::vector<std::string> Entries() const { return m_entries; }

private:
    void Operate(const char* title, int selection, int button)
    {
        HWND dialog = nullptr;
        for (int attempt = 0; attempt < 1000 && !dialog; ++attempt) {
            dialog = ::FindWindowA("#32770", title);
            if (!dialog || !::IsWindowVisible(dialog)) {
                dialog = nullptr;
                ::Sleep(20);
            }
        }
        if (!dialog)
            return;
        m_found = true;
        HWND list = ::GetDlgItem(dialog, kChoiceListId);
        const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            char text[64] = {};
            if (::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) < static_cast<LRESULT>(sizeof text))
                ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
            m_entries.emplace_back(text);
        }
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }

    std::atomic<bool> m_found{false};
    std::vector<std::string> m_entries;
    std::thread m_thread;
};

class CaptureWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent = ::CreateWindowExA(0, "STATIC", "capture test", WS_POPUP | WS_VISIBLE, 0, 0, kWidth + 40,
                                     kHeight + 40, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        m_capture = CreateOwnCaptureWindow("Capture", WS_CHILD | WS_VISIBLE, 10, 10, kWidth, kHeight, m_parent, 0);
        ASSERT_NE(m_capture, nullptr);
    }
    void TearDown() override
    {
        if (m_parent)
            ::DestroyWindow(m_parent);
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_capture, message, wParam, lParam);
    }
    CAPSTATUS Status() const
    {
        CAPSTATUS status{};
        EXPECT_TRUE(Send(WM_CAP_GET_STATUS, sizeof status, reinterpret_cast<LPARAM>(&status)));
        return status;
    }
    void ConnectAndPreview(bool scale = true)
    {
        ASSERT_TRUE(Send(WM_CAP_DRIVER_CONNECT, 0));
        Send(WM_CAP_SET_SCALE, scale);
        Send(WM_CAP_SET_PREVIEWRATE, 66);
        ASSERT_TRUE(Send(WM_CAP_SET_PREVIEW, TRUE));
    }
    // The picture once a live frame has been painted.
    WindowPixels PaintedPicture() const
    {
        PumpUntil([this] { return WindowPixels(m_capture).Counter().has_value(); });
        return WindowPixels(m_capture);
    }

    HWND m_parent = nullptr;
    HWND m_capture = nullptr;
};

TEST_F(CaptureWindowTest, WithoutTheVariableNoDriverConnectsAndNothingAnswers)
{
    ScopedVariable camera(kCameraVariable, nullptr);
    EXPECT_FALSE(Send(WM_CAP_DRIVER_CONNECT, 0));
    CAPTUREPARMS parameters{};
    EXPECT_FALSE(Send(WM_CAP_GET_SEQUENCE_SETUP, sizeof parameters, reinterpret_cast<LPARAM>(&parameters)));
    EXPECT_FALSE(Send(WM_CAP_SET_PREVIEW, TRUE));
    EXPECT_FALSE(Send(WM_CAP_DLG_VIDEOSOURCE));
    EXPECT_FALSE(Send(WM_CAP_DLG_VIDEOFORMAT));
    EXPECT_EQ(Send(WM_CAP_GET_VIDEOFORMAT), 0);
    const CAPSTATUS status = Status();
    EXPECT_EQ(status.uiImageWidth, 0u);
    EXPECT_EQ(status.uiImageHeight, 0u);
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(WindowPixels(m_capture).CountNonBlack(), 0u) << "no driver: a black window";
}

TEST_F(CaptureWindowTest, OtherValuesOrOtherIndexesGiveNoDriver)
{
    for (const char* value : {"", "Test", "test ", "camera"}) {
        ScopedVariable camera(kCameraVariable, value);
        EXPECT_FALSE(Send(WM_CAP_DRIVER_CONNECT, 0)) << '"' << value << '"';
    }
    ScopedVariable camera(kCameraVariable, "test");
    EXPECT_FALSE(Send(WM_CAP_DRIVER_CONNECT, 1));
    EXPECT_TRUE(Send(WM_CAP_DRIVER_CONNECT, 0));
}

TEST_F(CaptureWindowTest, ConnectedDriverAnswersTheQueriesWithinTheCallersBuffer)
{
    ScopedVariable camera(kCameraVariable, "test");
    ASSERT_TRUE(Send(WM_CAP_DRIVER_CONNECT, 0));

    std::vector<std::uint8_t> buffer(sizeof(CAPTUREPARMS) + 16, 0xCC);
    EXPECT_EQ(sizeof(CAPTUREPARMS), 96u);
    EXPECT_TRUE(Send(WM_CAP_GET_SEQUENCE_SETUP, sizeof(CAPTUREPARMS), reinterpret_cast<LPARAM>(buffer.data())));
    CAPTUREPARMS parameters{};
    std::memcpy(&parameters, buffer.data(), sizeof parameters);
    EXPECT_GT(parameters.dwRequestMicroSecPerFrame, 0u);
    for (size_t index = sizeof(CAPTUREPARMS); index < buffer.size(); ++index)
        EXPECT_EQ(buffer[index], 0xCC) << "written past the stated size at " << index;

    std::vector<std::uint8_t> shortBuffer(16, 0xCC);
    EXPECT_TRUE(Send(WM_CAP_GET_STATUS, 8, reinterpret_cast<LPARAM>(shortBuffer.data())));
    UINT width = 0;
    std::memcpy(&width, shortBuffer.data(), sizeof width);
    EXPECT_EQ(width, 320u);
    for (size_t index = 8; index < shortBuffer.size(); ++index)
        EXPECT_EQ(shortBuffer[index], 0xCC) << "written past the stated size at " << index;
    EXPECT_FALSE(Send(WM_CAP_GET_STATUS, sizeof(CAPSTATUS), 0)) << "no buffer";

    EXPECT_EQ(sizeof(CAPSTATUS), sizeof(void*) == 4 ? 76u : 80u);
    const CAPSTATUS status = Status();
    EXPECT_EQ(status.uiImageWidth, 320u);
    EXPECT_EQ(status.uiImageHeight, 240u);
    EXPECT_FALSE(status.fLiveWindow);

    char name[8] = {};
    EXPECT_TRUE(Send(WM_CAP_DRIVER_GET_NAMEA, sizeof name, reinterpret_cast<LPARAM>(name)));
    EXPECT_EQ(std::strlen(name), sizeof name - 1) << "cut to the buffer";

    BITMAPINFOHEADER format{};
    EXPECT_EQ(Send(WM_CAP_GET_VIDEOFORMAT), static_cast<LRESULT>(sizeof format));
    Send(WM_CAP_GET_VIDEOFORMAT, sizeof format, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.biWidth, 320);
    EXPECT_EQ(format.biHeight, 240);
    EXPECT_EQ(format.biBitCount, 24);
    EXPECT_EQ(format.biSizeImage, 960u * 240u);
}

TEST_F(CaptureWindowTest, DisconnectEndsTheAnswersAndThePicture)
{
    ScopedVariable camera(kCameraVariable, "test");
    ConnectAndPreview();
    EXPECT_GT(PaintedPicture().CountNonBlack(), 0u);
    EXPECT_TRUE(Send(WM_CAP_DRIVER_DISCONNECT));
    CAPTUREPARMS parameters{};
    EXPECT_FALSE(Send(WM_CAP_GET_SEQUENCE_SETUP, sizeof parameters, reinterpret_cast<LPARAM>(&parameters)));
    EXPECT_EQ(Status().uiImageWidth, 0u);
    EXPECT_TRUE(PumpUntil([this] { return WindowPixels(m_capture).CountNonBlack() == 0; }));
}

TEST_F(CaptureWindowTest, PreviewPaintsTheLivePictureUprightAndMoving)
{
    ScopedVariable camera(kCameraVariable, "test");
    ConnectAndPreview();
    EXPECT_TRUE(Status().fLiveWindow);
    const WindowPixels first = PaintedPicture();
    ASSERT_TRUE(first.Counter().has_value()) << "the frame counter reads at the top left";
    for (int bar = 0; bar < 8; ++bar)
        EXPECT_EQ(first.At(kWidth * bar / 8 + kWidth / 16, kHeight / 2), kColourBars[bar]) << "bar " << bar;
    EXPECT_TRUE(PumpUntil([&] {
        const auto later = WindowPixels(m_capture).Counter();
        return later && *later > *first.Counter();
    })) << "the counter goes up";
}

TEST_F(CaptureWindowTest, ScaleFitsALargerPictureToTheWindowOtherwiseItIsCut)
{
    ScopedVariable camera(kCameraVariable, "test");
    ConnectAndPreview(false);
    {
        DialogOperator choose("Video Format", 2, IDOK);
        EXPECT_TRUE(Send(WM_CAP_DLG_VIDEOFORMAT));
    }
    ASSERT_EQ(Status().uiImageWidth, 640u);
    // Unscaled, the window shows the picture's top-left quarter: at x = 300
    // the 640-wide bars are in the fourth bar (green).
    EXPECT_TRUE(PumpUntil([this] { return WindowPixels(m_capture).At(300, kHeight / 2) == kColourBars[3]; }));
    Send(WM_CAP_SET_SCALE, TRUE);
    EXPECT_TRUE(PumpUntil([this] { return WindowPixels(m_capture).At(300, kHeight / 2) == kColourBars[7]; }));
}

TEST_F(CaptureWindowTest, FormatDialogListsTheSizesAndOkAppliesTheChoice)
{
    ScopedVariable camera(kCameraVariable, "test");
    ConnectAndPreview();
    struct Case {
        int selection;
        int button;
        UINT width;
        UINT height;
    };
    for (const Case& step : {Case{2, IDOK, 640, 480}, Case{0, IDCANCEL, 640, 480}, Case{3, IDOK, 1280, 720},
                             Case{0, IDOK, 160, 120}, Case{1, IDOK, 320, 240}}) {
        DialogOperator choose("Video Format", step.selection, step.button);
        EXPECT_TRUE(Send(WM_CAP_DLG_VIDEOFORMAT));
        ASSERT_TRUE(choose.Found());
        EXPECT_EQ(choose.Entries(), (std::vector<std::string>{"160 x 120", "320 x 240", "640 x 480", "1280 x 720"}));
        const CAPSTATUS status = Status();
        EXPECT_EQ(status.uiImageWidth, step.width) << "selection " << step.selection;
        EXPECT_EQ(status.uiImageHeight, step.height) << "selection " << step.selection;
    }
}

TEST_F(CaptureWindowTest, SourceDialogSwitchesThePicture)
{
    ScopedVariable camera(kCameraVariable, "test");
    ConnectAndPreview();
    PaintedPicture();
    {
        DialogOperator choose("Video Source", 2, IDOK);
        EXPECT_TRUE(Send(WM_CAP_DLG_VIDEOSOURCE));
        ASSERT_TRUE(choose.Found());
        EXPECT_EQ(choose.Entries(), (std::vector<std::string>{"Colour bars", "Gradient", "Checkerboard"}));
    }
    // Checkerboard cells are 40 pixels: (20, 140) is dark, (60, 140) light.
    EXPECT_TRUE(PumpUntil([this] {
        const WindowPixels picture(m_capture);
        return picture.At(20, 140) == 0x202020 && picture.At(60, 140) == 0xE0E0E0;
    }));
    {
        DialogOperator cancel("Video Source", 0, IDCANCEL);
        EXPECT_TRUE(Send(WM_CAP_DLG_VIDEOSOURCE));
    }
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(WindowPixels(m_capture).At(60, 140), 0xE0E0E0u) << "Cancel keeps the picture";
}

TEST(CreateCaptureWindow, GivesAWindowThatAnswersTheStatusQuery)
{
    HWND parent =
        ::CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND capture = CreateCaptureWindow("Capture", WS_CHILD | WS_VISIBLE, 0, 0, 80, 60, parent, 0);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(::GetParent(capture), parent);
    CAPSTATUS status{};
    EXPECT_TRUE(::SendMessageA(capture, WM_CAP_GET_STATUS, sizeof status, reinterpret_cast<LPARAM>(&status)));
    ::DestroyWindow(parent);
    EXPECT_FALSE(::IsWindow(capture));
}

} // namespace
