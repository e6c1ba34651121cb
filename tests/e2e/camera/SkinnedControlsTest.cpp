// The program with the probe skin configured in Config.ini: the toolbar, the
// page tabs and the camera page's controls show the skin's parts in the
// states the mouse puts them in, and still do what they did.
#include "CameraSession.h"
#include "ProbeTable.h"

namespace {

using camera_e2e::CameraSession;

class SkinnedControls : public ::testing::Test {
protected:
    SkinnedControls()
        : m_session(camera_e2e::Camera::Virtual, [](const e2e::ProgramCopy& folder) {
              EXPECT_TRUE(e2e::UseSkin(folder, SKIN_PROBE_MODULE, "probe.skin"));
          })
    {}
    void SetUp() override
    {
        ASSERT_NE(m_session.MainWindow(), nullptr);
        e2e::MoveCursor(1200, 1000);
        // Start-up lays the window out and fills the pages after it shows.
        ASSERT_TRUE(e2e::WaitUntil([&] {
            HWND toolbar = e2e::FindChild(m_session.MainWindow(), TOOLBARCLASSNAMEA);
            return toolbar && CountOnScreen(toolbar, "TOOLBAR BUTTON 1 fill") > 0 &&
                   CountOnScreen(m_session.Page(), "BUTTON GROUPBOX 1 fill") > 0 &&
                   CountOnScreen(m_session.Control(camera_e2e::kSpeedSlider), "TRACKBAR TRACK 0 fill") > 0;
        })) << "the skinned main window settles";
    }

    // "CLASS PART STATE ROLE" of the screen pixel at a client point.
    std::string Look(HWND window, int x, int y) const
    {
        POINT point{x, y};
        ::ClientToScreen(window, &point);
        return m_table.Name(e2e::PixelAt(point.x, point.y));
    }
    // Waits until the point shows the look; the last look seen otherwise.
    std::string WaitForLook(HWND window, int x, int y, const std::string& look) const
    {
        std::string seen;
        e2e::WaitUntil([&] { return (seen = Look(window, x, y)) == look; }, e2e::Timeout{5000});
        return seen;
    }
    // Waits until the client point shows the look; the failure names the look seen.
    ::testing::AssertionResult Shows(HWND window, int x, int y, const std::string& look) const
    {
        const std::string seen = WaitForLook(window, x, y, look);
        if (seen == look)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "shows \"" << seen << "\", not \"" << look << "\"";
    }
    size_t CountOnScreen(HWND window, const std::string& look) const
    {
        const auto image = e2e::ScreenImage::Capture(e2e::ClientRectOnScreen(window));
        return image ? image->CountColour(m_table.Colour(look)) : 0;
    }
    // The client rectangle of every pixel of the look; empty when none.
    RECT BoxOf(HWND window, const std::string& look) const
    {
        const auto image = e2e::ScreenImage::Capture(e2e::ClientRectOnScreen(window));
        RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
        for (int y = 0; image && y < image->Height(); ++y) {
            for (int x = 0; x < image->Width(); ++x) {
                if (image->Pixel(x, y) == m_table.Colour(look))
                    box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
        return box.left == LONG_MAX ? RECT{} : box;
    }
    void SaveShot(const std::string& name) const
    {
        const std::string folder = e2e::EnvironmentVariable("TAVRELIN_TEST_ARTEFACTS");
        if (!folder.empty())
            e2e::SaveWindowBmp(folder + "\\" + name + ".bmp", m_session.MainWindow());
    }
    static POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

    mutable CameraSession m_session;
    e2e::CProbeTable m_table{e2e::ToWindowsPath(SKIN_PROBE_TABLE)};
};

TEST_F(SkinnedControls, ToolbarFacesFollowTheMouseAndKeepImagesAndTooltips)
{
    HWND toolbar = e2e::FindChild(m_session.MainWindow(), TOOLBARCLASSNAMEA);
    ASSERT_NE(toolbar, nullptr);
    SaveShot("main-probe");
    int separators = 0, faces = 0;
    for (int index = 0; index < e2e::ToolbarButtonCount(toolbar); ++index) {
        const auto button = e2e::ToolbarButton(toolbar, index);
        const auto rect = e2e::ToolbarItemRect(toolbar, index);
        ASSERT_TRUE(button && rect);
        const char* part = button->IsSeparator() ? "TOOLBAR SEPARATOR 0" : "TOOLBAR BUTTON 1";
        const std::string face = std::string(part) + " border";
        EXPECT_TRUE(Shows(toolbar, rect->left, rect->top, face)) << index;
        (button->IsSeparator() ? separators : faces) += 1;
        if (!button->IsSeparator()) {
            const auto image = e2e::ScreenImage::Capture(e2e::ClientRectOnScreen(toolbar));
            const POINT centre = Centre(*rect);
            EXPECT_FALSE(m_table.Holds(image->Pixel(centre.x, centre.y))) << index << ": the image is drawn";
        }
    }
    EXPECT_EQ(faces, 9);
    EXPECT_EQ(separators, 2);

    const RECT first = *e2e::ToolbarItemRect(toolbar, 0);
    POINT screen = Centre(first);
    ::ClientToScreen(toolbar, &screen);
    e2e::MoveCursor(screen.x, screen.y);
    EXPECT_TRUE(Shows(toolbar, first.left, first.top, "TOOLBAR BUTTON 2 border"));
    const POINT centre = Centre(first);
    ::PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_TRUE(Shows(toolbar, first.left, first.top, "TOOLBAR BUTTON 3 border"));
    // Released outside, so the command does not run.
    ::PostMessageA(toolbar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(centre.x, 400));
    ::PostMessageA(toolbar, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, 400));
    e2e::MoveCursor(1200, 1000);
    EXPECT_TRUE(Shows(toolbar, first.left, first.top, "TOOLBAR BUTTON 1 border"));
    const auto tip = e2e::HoverAndReadTooltip(toolbar, 0);
    ASSERT_TRUE(tip.has_value());
    EXPECT_EQ(*tip, e2e::ToolbarTooltipText(toolbar, 0));
}

TEST_F(SkinnedControls, PageTabsShowSelectionAndHoverAndStillSwitchPages)
{
    HWND tab = m_session.Tab();
    const RECT camera = *e2e::TabItemRect(tab, 0), album = *e2e::TabItemRect(tab, 1);
    const int middle = (camera.top + camera.bottom) / 2;
    EXPECT_TRUE(Shows(tab, camera.left - 2, middle, "TAB TOPTABITEMLEFTEDGE 3 border"));
    EXPECT_TRUE(Shows(tab, album.right - 1, middle, "TAB TOPTABITEMRIGHTEDGE 1 border"));
    EXPECT_GT(CountOnScreen(tab, "TAB PANE 0 border"), 0u) << "the pane around the page";

    POINT screen = Centre(album);
    ::ClientToScreen(tab, &screen);
    e2e::MoveCursor(screen.x, screen.y);
    EXPECT_TRUE(Shows(tab, album.right - 1, middle, "TAB TOPTABITEMRIGHTEDGE 2 border"));
    HWND cameraPage = m_session.Page();
    e2e::ClickClient(tab, Centre(album).x, Centre(album).y);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TabCurSel(tab) == 1 && !e2e::IsVisible(cameraPage); }));
    e2e::MoveCursor(1200, 1000);
    const RECT selected = *e2e::TabItemRect(tab, 1);
    EXPECT_TRUE(Shows(tab, selected.right + 1, middle, "TAB TOPTABITEM 3 border"));
    EXPECT_TRUE(Shows(tab, camera.left, middle, "TAB TOPTABITEMLEFTEDGE 1 border"))
        << "the hot tab is cleared on leaving";
    SaveShot("main-probe-album");
}

TEST_F(SkinnedControls, CameraPageSliderButtonsAndGroupBoxes)
{
    HWND slider = m_session.Control(camera_e2e::kSpeedSlider);
    ASSERT_NE(slider, nullptr);
    EXPECT_GT(CountOnScreen(slider, "TRACKBAR TRACK 0 fill"), 0u);
    EXPECT_GT(CountOnScreen(slider, "TRACKBAR THUMB 1 fill"), 0u);
    EXPECT_EQ(CountOnScreen(slider, "TRACKBAR TICS 1 color"), 0u);

    const POINT thumb = Centre(BoxOf(slider, "TRACKBAR THUMB 1 fill"));
    POINT screen = thumb;
    ::ClientToScreen(slider, &screen);
    e2e::MoveCursor(screen.x, screen.y);
    EXPECT_TRUE(Shows(slider, thumb.x, thumb.y, "TRACKBAR THUMB 2 fill")) << "hovered";
    const LRESULT standard = *e2e::SendWithTimeout(slider, TBM_GETPOS, 0, 0);
    ::PostMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.x, thumb.y));
    // The real cursor goes along, and the move is made again until the thumb
    // has followed: Wine's echo of an earlier cursor move can reach the slider
    // after the posted one and put the thumb back.
    e2e::MoveCursor(screen.x + 30, screen.y);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        ::PostMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(thumb.x + 30, thumb.y));
        return *e2e::SendWithTimeout(slider, TBM_GETPOS, 0, 0) != standard &&
               CountOnScreen(slider, "TRACKBAR THUMB 3 fill") > 0;
    })) << "dragged";
    ::PostMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(thumb.x + 30, thumb.y));
    EXPECT_TRUE(e2e::WaitUntil([&] { return *e2e::SendWithTimeout(slider, TBM_GETPOS, 0, 0) != standard; }));
    e2e::MoveCursor(1200, 1000);

    HWND standardButton = m_session.Control(camera_e2e::kStandardSpeed);
    EXPECT_TRUE(Shows(standardButton, 0, 0, "BUTTON PUSHBUTTON 1 border"));
    e2e::ClickClient(standardButton, 5, 5);
    EXPECT_TRUE(e2e::WaitUntil([&] { return *e2e::SendWithTimeout(slider, TBM_GETPOS, 0, 0) == standard; }));

    int groups = 0;
    for (HWND child : e2e::AllChildren(m_session.Page())) {
        if (e2e::ClassName(child) != "Button" || (::GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX)
            continue;
        RECT client{};
        ::GetClientRect(child, &client);
        EXPECT_TRUE(Shows(child, 0, client.bottom - 1, "BUTTON GROUPBOX 1 border")) << e2e::WindowText(child);
        ++groups;
    }
    EXPECT_EQ(groups, 4);

    HWND mike = m_session.Control(camera_e2e::kMikeRadio), mp3 = m_session.Control(camera_e2e::kMp3Radio);
    const auto glyphTop = [](HWND radio) {
        RECT client{};
        ::GetClientRect(radio, &client);
        return (client.bottom - 13) / 2;
    };
    EXPECT_TRUE(Shows(mike, 0, glyphTop(mike), "BUTTON RADIOBUTTON 5 border"));
    EXPECT_TRUE(Shows(mp3, 0, glyphTop(mp3), "BUTTON RADIOBUTTON 1 border"));
    e2e::ClickClient(mp3, 3, glyphTop(mp3) + 6);
    HWND open = e2e::WaitForTopLevel(m_session.Pid(), "#32770", "Open");
    e2e::MoveCursor(1200, 1000);
    EXPECT_TRUE(Shows(mp3, 0, glyphTop(mp3), "BUTTON RADIOBUTTON 5 border"));
    EXPECT_TRUE(Shows(mike, 0, glyphTop(mike), "BUTTON RADIOBUTTON 1 border"));
    SaveShot("main-probe-mp3");
    if (open)
        ::PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
}

} // namespace
