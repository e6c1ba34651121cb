// The camera page under Wine: the live picture in both boxes, the driver's
// dialogs, start-up without a camera, and the dub and speed controls.
#include "CameraSession.h"
#include "PatternProbe.h"
#include "camera/TestPattern.h"

#include <fstream>
#include <map>

namespace {

using namespace camera_e2e;

std::uint32_t ToRgb(COLORREF colour)
{
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
           GetBValue(colour);
}

// One grab of both boxes at the same moment: the preview box left, the design box right.
struct BothBoxes {
    static std::optional<BothBoxes> Grab(HWND previewBox, HWND designBox)
    {
        const RECT preview = e2e::ClientRectOnScreen(previewBox);
        const RECT design = e2e::ClientRectOnScreen(designBox);
        const RECT both{std::min(preview.left, design.left), std::min(preview.top, design.top),
                        std::max(preview.right, design.right), std::max(preview.bottom, design.bottom)};
        auto image = e2e::ScreenImage::Capture(both);
        if (!image)
            return std::nullopt;
        return BothBoxes{std::move(*image),
                         {preview.left - both.left, preview.top - both.top},
                         {design.left - both.left, design.top - both.top},
                         {preview.right - preview.left, preview.bottom - preview.top}};
    }
    std::uint32_t Preview(int x, int y) const { return ToRgb(image.Pixel(previewOrigin.x + x, previewOrigin.y + y)); }
    std::uint32_t Design(int x, int y) const { return ToRgb(image.Pixel(designOrigin.x + x, designOrigin.y + y)); }
    std::optional<std::uint32_t> PreviewCounter() const
    {
        return camera_test::ReadFrameCounter([this](int x, int y) { return Preview(x, y); }, size.cy);
    }
    std::optional<std::uint32_t> DesignCounter() const
    {
        return camera_test::ReadFrameCounter([this](int x, int y) { return Design(x, y); }, size.cy);
    }
    // Pixels where a box of this grab differs from another grab's design box.
    size_t DesignDiffersFrom(const BothBoxes& other) const
    {
        return CountWhere([&](int x, int y) { return Design(x, y) != other.Design(x, y); });
    }
    size_t PreviewDiffersFrom(const BothBoxes& other) const
    {
        return CountWhere([&](int x, int y) { return Preview(x, y) != other.Design(x, y); });
    }
    template <typename Condition>
    size_t CountWhere(Condition condition) const
    {
        size_t count = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                count += condition(x, y);
        return count;
    }
    size_t BlackDesignPixels() const
    {
        return CountWhere([&](int x, int y) { return Design(x, y) == 0; });
    }

    e2e::ScreenImage image;
    POINT previewOrigin;
    POINT designOrigin;
    SIZE size;
};

std::optional<BothBoxes> GrabBoxes(CameraSession& session)
{
    return BothBoxes::Grab(session.Control(kPreviewBox), session.Control(kDesignBox));
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(CameraPage, ControlsAndStartingState)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND page = session.Page();
    ASSERT_NE(page, nullptr);
    struct Expected {
        int id;
        const char* className;
        const char* text;
    };
    // The two boxes' "text" is the bitmap's resource number, so it is not compared.
    for (const Expected& control :
         {Expected{kPreviewBox, "Static", nullptr}, Expected{kDesignBox, "Static", nullptr},
          Expected{kStandardSpeed, "Button", "standard"}, Expected{kSpeedSlider, "msctls_trackbar32", ""},
          Expected{kMikeRadio, "Button", "mike"}, Expected{kMp3Radio, "Button", "mp3 file"},
          Expected{kMp3Path, "Static", ""}}) {
        HWND window = session.Control(control.id);
        ASSERT_NE(window, nullptr) << control.id;
        EXPECT_EQ(e2e::ClassName(window), control.className) << control.id;
        if (control.text)
            EXPECT_EQ(e2e::WindowText(window), control.text) << control.id;
    }
    for (const char* label : {"preview", "design window", "video record speed", "dub", "rapidness", "slow"})
        EXPECT_NE(e2e::FindChild(page, "", label), nullptr) << label;
    for (int box : {kPreviewBox, kDesignBox}) {
        EXPECT_EQ(::GetWindowLongA(session.Control(box), GWL_STYLE) & SS_TYPEMASK, SS_BITMAP) << box;
        EXPECT_NE(e2e::SendWithTimeout(session.Control(box), STM_GETIMAGE, IMAGE_BITMAP, 0).value_or(0), 0) << box;
    }
    EXPECT_EQ(::GetWindowLongA(session.Control(kMp3Path), GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
    const LONG sliderStyle = ::GetWindowLongA(session.Control(kSpeedSlider), GWL_STYLE);
    EXPECT_TRUE(sliderStyle & TBS_BOTH);
    EXPECT_TRUE(sliderStyle & TBS_NOTICKS);

    for (int box : {kPreviewBox, kDesignBox}) {
        const RECT client = e2e::ClientRectOnScreen(session.Control(box));
        EXPECT_EQ(client.right - client.left, 320) << box;
        EXPECT_EQ(client.bottom - client.top, 240) << box;
    }
    HWND capture = session.CaptureWindow();
    ASSERT_NE(capture, nullptr);
    EXPECT_TRUE(SameRect(e2e::ClientRectOnScreen(capture), e2e::ClientRectOnScreen(session.Control(kDesignBox))))
        << "the capture window lies exactly over the design box";

    EXPECT_TRUE(session.IsChecked(kMikeRadio));
    EXPECT_FALSE(session.IsChecked(kMp3Radio));
    HWND slider = session.Control(kSpeedSlider);
    EXPECT_EQ(e2e::SendWithTimeout(slider, TBM_GETRANGEMIN, 0, 0), 100);
    EXPECT_EQ(e2e::SendWithTimeout(slider, TBM_GETRANGEMAX, 0, 0), 700);
    EXPECT_EQ(e2e::SendWithTimeout(slider, TBM_GETPOS, 0, 0), 400);

    const auto status = session.CaptureStatus();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->uiImageWidth, 320u);
    EXPECT_EQ(status->uiImageHeight, 240u);
}

TEST(CameraPage, DesignBoxShowsTheMovingPictureAndThePreviewBoxItsCopy)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    std::optional<BothBoxes> first;
    ASSERT_TRUE(e2e::WaitUntil([&] {
        first = GrabBoxes(session);
        return first && first->DesignCounter() && first->PreviewCounter();
    })) << "both boxes show a picture with a readable frame counter";
    EXPECT_LT(first->BlackDesignPixels(), 320u * 240u / 4) << "not black";
    for (int bar = 0; bar < 8; ++bar) {
        const int x = 320 * bar / 8 + 20;
        EXPECT_EQ(first->Design(x, 120), kColourBars[bar]) << "design box, bar " << bar;
        EXPECT_EQ(first->Preview(x, 120), kColourBars[bar]) << "preview box, bar " << bar;
    }

    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto later = GrabBoxes(session);
        return later && later->DesignCounter() > first->DesignCounter() && later->DesignDiffersFrom(*first) > 0;
    })) << "the picture moves";

    // The preview is a copy made ten times a second and reaches the screen a
    // little later, so it lags the design box by a frame or two: it must equal
    // the design box as an earlier grab saw it showing the same frame.
    std::map<std::uint32_t, BothBoxes> designByFrame;
    size_t differing = 0;
    EXPECT_TRUE(e2e::WaitUntil([&] {
        auto boxes = GrabBoxes(session);
        if (!boxes)
            return false;
        const auto preview = boxes->PreviewCounter();
        const auto design = boxes->DesignCounter();
        EXPECT_TRUE(preview && design && *preview <= *design) << "the preview never runs ahead";
        if (!preview || !design)
            return false;
        const auto earlier = designByFrame.find(*preview);
        if (earlier != designByFrame.end()) {
            differing = boxes->PreviewDiffersFrom(earlier->second);
            return true;
        }
        designByFrame.emplace(*design, std::move(*boxes));
        return false;
    })) << "the preview showed a frame that a grab of the design box had seen";
    EXPECT_EQ(differing, 0u);
}

TEST(CameraPage, FormatDialogSwitchesTo640By480)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    session.PostCommand(kVideoFormat);
    HWND dialog = e2e::WaitForTopLevel(session.Pid(), "#32770", "Video Format");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(session.MainWindow())) << "modal";
    HWND list = ::GetDlgItem(dialog, kChoiceList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(e2e::SendWithTimeout(list, LB_GETCOUNT, 0, 0), 4) << "160 x 120 up to 1280 x 720";
    EXPECT_EQ(e2e::SendWithTimeout(list, LB_GETCURSEL, 0, 0), 1) << "320 x 240 is current";
    e2e::SendWithTimeout(list, LB_SETCURSEL, 2, 0);
    ASSERT_TRUE(e2e::PressButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(session.MainWindow()) != FALSE; }));

    const auto status = session.CaptureStatus();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->uiImageWidth, 640u);
    EXPECT_EQ(status->uiImageHeight, 480u);
    // Scaled into the same box: the bars stay where they were.
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto boxes = GrabBoxes(session);
        return boxes && boxes->Design(3 * 40 + 20, 120) == kColourBars[3] && boxes->Design(7 * 40 + 20, 120) == 0;
    }));

    session.PostCommand(kVideoFormat);
    dialog = e2e::WaitForTopLevel(session.Pid(), "#32770", "Video Format");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(e2e::SendWithTimeout(::GetDlgItem(dialog, kChoiceList), LB_GETCURSEL, 0, 0), 2);
    e2e::SendWithTimeout(::GetDlgItem(dialog, kChoiceList), LB_SETCURSEL, 0, 0);
    ASSERT_TRUE(e2e::PressButton(dialog, IDCANCEL));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }));
    EXPECT_EQ(session.CaptureStatus().value_or(CAPSTATUS{}).uiImageWidth, 640u) << "Cancel changes nothing";
}

TEST(CameraPage, SourceDialogSwitchesThePicture)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    session.PostCommand(kCameraConfig);
    HWND dialog = e2e::WaitForTopLevel(session.Pid(), "#32770", "Video Source");
    ASSERT_NE(dialog, nullptr);
    e2e::SendWithTimeout(::GetDlgItem(dialog, kChoiceList), LB_SETCURSEL, 2, 0);
    ASSERT_TRUE(e2e::PressButton(dialog, IDOK));
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto boxes = GrabBoxes(session);
        return boxes && boxes->Design(20, 140) == 0x202020 && boxes->Design(60, 140) == 0xE0E0E0 &&
               boxes->Preview(20, 140) == 0x202020 && boxes->Preview(60, 140) == 0xE0E0E0;
    })) << "both boxes show the checkerboard";
}

TEST(CameraPage, DriverDialogsAreRefusedWhileRecording)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.Command(kStartRecord));
    EXPECT_TRUE(session.Command(kVideoFormat)) << "returns at once: no modal dialog";
    EXPECT_TRUE(session.Command(kCameraConfig));
    EXPECT_EQ(e2e::FindTopLevel(session.Pid(), "#32770", "Video Format"), nullptr);
    ASSERT_TRUE(session.Command(kEndRecord));
}

TEST(NoCamera, OneMessageAtStartUpThenTheProgramWorks)
{
    CameraSession session(Camera::None);
    HWND box = e2e::WaitForMessageBox(session.Pid());
    ASSERT_NE(box, nullptr) << e2e::DescribeTopLevel(session.Pid());
    EXPECT_EQ(e2e::MessageBoxText(box), "Not Discover PC Camrea");
    EXPECT_EQ(e2e::Caption(box), "Tavrelin");
    ASSERT_TRUE(e2e::PressButton(box, IDOK));
    ASSERT_NE(session.MainWindow(), nullptr);
    EXPECT_FALSE(e2e::WaitUntil([&] { return e2e::FindMessageBox(session.Pid()) != nullptr; }, e2e::Timeout{1500}))
        << "shown once";

    EXPECT_NE(session.CaptureWindow(), nullptr) << "the window exists but shows no picture";
    const auto status = session.CaptureStatus();
    EXPECT_EQ(status.value_or(CAPSTATUS{}).uiImageWidth, 0u);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto boxes = GrabBoxes(session);
        return boxes && boxes->BlackDesignPixels() == 320u * 240u;
    })) << "the design box turns black";

    EXPECT_TRUE(session.Command(kVideoFormat)) << "no driver: no dialog";
    EXPECT_TRUE(session.Command(kCameraConfig));

    HWND tab = session.Tab();
    const auto albumTab = e2e::TabItemRect(tab, 1);
    ASSERT_TRUE(albumTab.has_value());
    e2e::ClickClient(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::IsVisible(session.Page()); })) << "the album page comes up";

    ::PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto exitCode = session.Program().WaitForExit();
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
}

TEST(Dub, Mp3ClickWhileRecordingOpensNoDialogAndStaysChecked)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.Command(kStartRecord));
    EXPECT_TRUE(session.ClickAndWait(kMp3Radio)) << "the handler returned: no dialog";
    EXPECT_EQ(e2e::FindTopLevel(session.Pid(), "#32770", "Open"), nullptr);
    EXPECT_TRUE(session.IsChecked(kMp3Radio));
    EXPECT_FALSE(session.IsChecked(kMikeRadio));
    ASSERT_TRUE(session.Command(kEndRecord));
}

// The open-file dialog that the "mp3 file" click shows.
HWND WaitForOpenDialog(CameraSession& session) { return e2e::WaitForTopLevel(session.Pid(), "#32770", "Open"); }

TEST(Dub, Mp3DialogOkShowsThePathCancelWithoutEarlierChoiceReturnsToMike)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);

    session.Click(kMp3Radio);
    HWND dialog = WaitForOpenDialog(session);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr) << "no parent";
    EXPECT_TRUE(::IsWindowEnabled(session.MainWindow()));
    ASSERT_TRUE(e2e::PressButton(dialog, IDCANCEL));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog) && session.IsChecked(kMikeRadio); }));
    EXPECT_FALSE(session.IsChecked(kMp3Radio));
    EXPECT_EQ(e2e::WindowText(session.Control(kMp3Path)), "");

    const std::string song = session.Folder().File("song.mp3");
    std::ofstream(song, std::ios::binary) << "ID3";
    session.Click(kMp3Radio);
    dialog = WaitForOpenDialog(session);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(e2e::ChooseFile(dialog, song));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(session.Control(kMp3Path)) == song; }))
        << e2e::WindowText(session.Control(kMp3Path));
    EXPECT_TRUE(session.IsChecked(kMp3Radio));

    // Cancelling after an earlier choice keeps it.
    session.Click(kMp3Radio);
    dialog = WaitForOpenDialog(session);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(e2e::PressButton(dialog, IDCANCEL));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(session.ClickAndWait(kStandardSpeed)) << "the page is back in its message loop";
    EXPECT_TRUE(session.IsChecked(kMp3Radio));
    EXPECT_FALSE(session.IsChecked(kMikeRadio));
    EXPECT_EQ(e2e::WindowText(session.Control(kMp3Path)), song);

    // "mike" forgets the file.
    ASSERT_TRUE(session.ClickAndWait(kMikeRadio));
    EXPECT_TRUE(session.IsChecked(kMikeRadio));
    EXPECT_FALSE(session.IsChecked(kMp3Radio));
    EXPECT_EQ(e2e::WindowText(session.Control(kMp3Path)), "");
}

TEST(Speed, StandardResetsTheSliderExceptDuringARecording)
{
    CameraSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND slider = session.Control(kSpeedSlider);
    e2e::SendWithTimeout(slider, TBM_SETPOS, TRUE, 250);
    ASSERT_TRUE(session.Command(kStartRecord));
    ASSERT_TRUE(session.ClickAndWait(kStandardSpeed));
    EXPECT_EQ(e2e::SendWithTimeout(slider, TBM_GETPOS, 0, 0), 250) << "left alone while recording";
    ASSERT_TRUE(session.Command(kEndRecord));
    ASSERT_TRUE(session.ClickAndWait(kStandardSpeed));
    EXPECT_EQ(e2e::SendWithTimeout(slider, TBM_GETPOS, 0, 0), 400);

    // The preview copy stops with the page, so closing ends the program cleanly.
    ::PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto exitCode = session.Program().WaitForExit();
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
}

} // namespace
