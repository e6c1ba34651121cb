// Designs in the real program: the library opened from the toolbar, a design
// window dragged over the camera page's design box with the test camera, the
// picture taken and the video recorded then, also with a window of this test
// over the box and with the main window minimized (all judged by
// check-design-picture.sh), every design the program ships listed, opened,
// animated and photographed over the box (judged by
// check-shipped-pictures.py), and a GIF that can't be opened.
#include "DesignDriver.h"
#include "PatternWindow.h"
#include "RecordingSession.h"

#include "design/DesignFrames.h"
#include "gdiplus/GdiplusImage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using design_e2e::kDesignManagement;
constexpr int kTakePictures = 32771;

std::string MadeDesign(const std::string& name) { return e2e::ToWindowsPath(DESIGN_FILES_DIR) + "\\" + name; }

std::string OutputFolder()
{
    static const std::string folder = [] {
        const std::string path = e2e::ToWindowsPath(DESIGN_OUTPUT_DIR);
        e2e::RemoveFolder(path);
        ::CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }();
    return folder;
}

// The designs the program ships, as the source tree holds them.
std::vector<std::string> ShippedDesigns()
{
    std::vector<std::string> names;
    for (const std::string& name : e2e::FolderEntryNames(e2e::ToWindowsPath(SHIPPED_DESIGNS_DIR)))
        if (name.size() > 4 && name.substr(name.size() - 4) == ".gif")
            names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

// A point of the design that every frame draws, with some room around it, so
// that the window takes a press there whichever frame is on show.
std::optional<POINT> GripOf(const std::string& gifPath)
{
    const gdiplus::CGdiplusSession gdiplus;
    const std::optional<tavrelin::SDesignFrames> design = tavrelin::LoadDesignFrames(gifPath);
    if (!design)
        return std::nullopt;
    const win::UniqueRegion drawn(::CreateRectRgn(0, 0, design->size.cx, design->size.cy));
    for (const win::UniqueRegion& region : design->regions)
        ::CombineRgn(drawn.get(), drawn.get(), region.get(), RGN_AND);
    constexpr int kRoom = 3;
    for (int y = kRoom; y < design->size.cy - kRoom; ++y)
        for (int x = kRoom; x < design->size.cx - kRoom; ++x)
            if (::PtInRegion(drawn.get(), x - kRoom, y - kRoom) && ::PtInRegion(drawn.get(), x + kRoom, y - kRoom) &&
                ::PtInRegion(drawn.get(), x - kRoom, y + kRoom) && ::PtInRegion(drawn.get(), x + kRoom, y + kRoom) &&
                ::PtInRegion(drawn.get(), x, y))
                return POINT{x, y};
    return std::nullopt;
}

// The share of magenta, the shipped designs' key colour, in the 40 x 30
// picture of a library item: a picture of the design shows some, a blank one none.
double KeyShareOfPicture(HWND list, int item)
{
    const std::optional<RECT> bounds = e2e::ListViewItemRect(list, item);
    if (!bounds)
        return -1;
    POINT corner{bounds->left, bounds->top};
    ::ClientToScreen(list, &corner);
    const std::optional<e2e::ScreenImage> picture =
        e2e::ScreenImage::Capture({corner.x, corner.y, corner.x + 40, corner.y + 30});
    if (!picture)
        return -1;
    int magenta = 0;
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x) {
            const COLORREF c = picture->Pixel(x, y);
            magenta += GetRValue(c) > 200 && GetGValue(c) < 70 && GetBValue(c) > 200;
        }
    return magenta / double(picture->Width() * picture->Height());
}

class DesignSession : public recording_e2e::RecordingSession {
public:
    // The Design folder holds the given designs, and the shipped ones only when asked.
    explicit DesignSession(const std::vector<std::string>& designs, bool keepShipped = false)
        : RecordingSession(camera_e2e::Camera::Virtual, [&](const e2e::ProgramCopy& folder) {
              if (!keepShipped)
                  for (const std::string& name : ShippedDesigns())
                      ::DeleteFileA(folder.File("Design\\" + name).c_str());
              for (const std::string& name : designs)
                  ::CopyFileA(MadeDesign(name).c_str(), folder.File("Design\\" + name).c_str(), FALSE);
          })
    {}

    HWND Library() { return e2e::FindTopLevel(Pid(), "#32770", "design management"); }
    HWND OpenLibrary()
    {
        Command(kDesignManagement);
        return design_e2e::WaitForLibrary(Pid());
    }
    void AddToWindow(HWND library, const std::string& name)
    {
        ASSERT_TRUE(design_e2e::AddToWindow(library, name)) << name;
    }
    // Opens the design from the library and closes the library; the design's window or null.
    HWND AddDesign(const std::string& name)
    {
        HWND library = OpenLibrary();
        if (!library)
            return nullptr;
        AddToWindow(library, name);
        std::vector<HWND> designs;
        e2e::WaitUntil([&] { return (designs = DesignWindows()).size() == 1; });
        e2e::PressButton(library, IDCANCEL);
        e2e::WaitUntil([&] { return !::IsWindow(library); });
        return designs.size() == 1 ? designs[0] : nullptr;
    }
    // Drags the 400 x 400 design by a point inside it, so that its right edge
    // ends at the box's middle and it covers the box from top to bottom.
    bool PlaceOverLeftHalf(HWND design)
    {
        const RECT box = e2e::ClientRectOnScreen(Control(camera_e2e::kDesignBox));
        const RECT from = e2e::WindowRect(design);
        const POINT grip{from.left + 200, from.top + 200};
        const POINT target{(box.left + box.right) / 2 - 400 + 200, box.top - 100 + 200};
        return e2e::DragReal(grip, target) &&
               e2e::WaitUntil([&] { return e2e::WindowRect(design).right == (box.left + box.right) / 2; });
    }
    // Takes a picture and keeps the new album file under the name in the output folder.
    bool TakePicture(const std::string& keepAs)
    {
        const std::vector<std::string> before = e2e::FolderEntryNames(Folder().File("Album"));
        DWORD_PTR answer = 0;
        if (!::SendMessageTimeoutA(MainWindow(), WM_COMMAND, kTakePictures, 0, SMTO_NORMAL, 20000, &answer))
            return false;
        for (const std::string& name : e2e::FolderEntryNames(Folder().File("Album")))
            if (std::find(before.begin(), before.end(), name) == before.end())
                return ::CopyFileA(Folder().File("Album\\" + name).c_str(), (OutputFolder() + "\\" + keepAs).c_str(),
                                   FALSE);
        return false;
    }
    std::vector<HWND> DesignWindows() { return design_e2e::DesignWindows(Pid()); }
};

TEST(Design, LibraryOpensOnceAndAgainAfterEscape)
{
    DesignSession session({"orange.gif"});
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND library = session.OpenLibrary();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(e2e::ListViewColumnTexts(::GetDlgItem(library, design_e2e::kList)),
              std::vector<std::string>{"orange.gif"});
    session.Command(kDesignManagement);
    int libraries = 0;
    for (HWND window : e2e::AllTopLevel(session.Pid()))
        libraries += window != library && e2e::WindowText(window) == "design management";
    EXPECT_EQ(libraries, 0) << "a second press opens no second library";
    e2e::PressButton(library, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(library); }));
    EXPECT_NE(session.OpenLibrary(), nullptr);
}

TEST(Design, DraggedOverTheLeftHalfOfTheDesignBoxItIsInThePictureThere)
{
    DesignSession session({"orange.gif"});
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND library = session.OpenLibrary();
    ASSERT_NE(library, nullptr);
    session.AddToWindow(library, "orange.gif");
    std::vector<HWND> designs;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (designs = session.DesignWindows()).size() == 1; }))
        << e2e::DescribeTopLevel(session.Pid()) << e2e::MessageBoxText(e2e::FindMessageBox(session.Pid()));
    // The busy strip runs while the design is made and a frame after: a look
    // at the library now shows it.
    e2e::SaveWindowBmp(OutputFolder() + "\\library-busy.bmp", library);
    e2e::PressButton(library, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(library); }));

    ASSERT_TRUE(session.PlaceOverLeftHalf(designs[0]))
        << "the window lies at " << e2e::WindowRect(designs[0]).left << ", " << e2e::WindowRect(designs[0]).top;
    e2e::SaveScreenBmp(OutputFolder() + "\\design-over-camera.bmp", e2e::WindowRect(session.MainWindow()));
    ASSERT_TRUE(session.TakePicture("design-left-half.jpg"));

    const std::string video = session.Record(1500);
    ASSERT_FALSE(video.empty());
    ASSERT_TRUE(::CopyFileA(video.c_str(), (OutputFolder() + "\\design-left-half.avi").c_str(), FALSE));
}

// What is saved is composed from the camera and the designs, not read from the
// screen: a window of another program over the box, or the main window
// minimized, leaves it as it was.
TEST(Design, CoveredOrMinimizedTheSavedPicturesStillHoldTheCameraAndTheDesign)
{
    DesignSession session({"orange.gif"});
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND design = session.AddDesign("orange.gif");
    ASSERT_TRUE(design && session.PlaceOverLeftHalf(design)) << e2e::DescribeTopLevel(session.Pid());
    const RECT box = e2e::ClientRectOnScreen(session.Control(camera_e2e::kDesignBox));
    const grabtest::CPatternWindow cover(box.left, box.top, box.right - box.left, box.bottom - box.top,
                                         [](int, int) { return RGB(128, 128, 128); });
    ASSERT_TRUE(grabtest::WaitForScreenPixel(box.left + 60, box.top + 120, RGB(128, 128, 128))) << "over the design";
    ASSERT_TRUE(session.TakePicture("covered.jpg"));

    const std::vector<std::string> before = session.AlbumVideos();
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_TRUE(dialog && session.AnswerDialog(dialog, recording_e2e::kFullFrames, IDOK));
    ::PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsIconic(session.MainWindow()); }));
    ASSERT_TRUE(session.TakePicture("minimized.jpg"));
    // The last frames of the video are taken while the window is minimized.
    const std::string writing = session.NewVideo(before);
    ASSERT_FALSE(writing.empty());
    ASSERT_TRUE(recording_e2e::WaitForFrames(writing, 10, e2e::FileSize(writing)));
    ASSERT_TRUE(session.Command(camera_e2e::kEndRecord));
    const std::string video = session.WaitForNewVideo(before);
    ASSERT_TRUE(!video.empty() && ::CopyFileA(video.c_str(), (OutputFolder() + "\\minimized.avi").c_str(), FALSE));
}

TEST(Design, EveryShippedDesignIsListedWithItsPictureAnimatesAndGoesIntoThePicture)
{
    const std::vector<std::string> shipped = ShippedDesigns();
    ASSERT_GE(shipped.size(), 8u);
    DesignSession session({}, true);
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND library = session.OpenLibrary();
    ASSERT_NE(library, nullptr);
    std::vector<std::string> listed = e2e::ListViewColumnTexts(::GetDlgItem(library, design_e2e::kList));
    for (int item = 0; item < static_cast<int>(listed.size()); ++item) {
        double share = 0;
        EXPECT_TRUE(e2e::WaitUntil([&] {
            share = KeyShareOfPicture(::GetDlgItem(library, design_e2e::kList), item);
            return share > 0.1 && share < 0.99;
        })) << listed[item]
            << ": magenta covers " << share << " of its picture";
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, shipped);
    e2e::PressButton(library, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(library); }));
    library = nullptr;

    // The camera's own picture first, for what must show through the designs.
    // Once the camera's picture shows (its second bar is yellow).
    const RECT box = e2e::ClientRectOnScreen(session.Control(camera_e2e::kDesignBox));
    ASSERT_TRUE(e2e::WaitUntil([&] {
        const COLORREF shown = e2e::PixelAt(box.left + 60, box.top + 120);
        return GetRValue(shown) > 200 && GetGValue(shown) > 200 && GetBValue(shown) < 80;
    }));
    ASSERT_TRUE(session.TakePicture("shipped-none.jpg"));
    for (const std::string& name : shipped) {
        SCOPED_TRACE(name);
        const std::optional<POINT> grip = GripOf(e2e::ToWindowsPath(SHIPPED_DESIGNS_DIR) + "\\" + name);
        ASSERT_TRUE(grip);
        library = session.OpenLibrary();
        ASSERT_NE(library, nullptr);
        session.AddToWindow(library, name);
        std::vector<HWND> windows;
        ASSERT_TRUE(e2e::WaitUntil([&] { return (windows = session.DesignWindows()).size() == 1; }))
            << e2e::DescribeTopLevel(session.Pid()) << e2e::MessageBoxText(e2e::FindMessageBox(session.Pid()));
        HWND design = windows[0];
        // The library would show through the design's cut-out pixels.
        e2e::PressButton(library, IDCANCEL);
        ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(library); }));
        library = nullptr;

        const std::optional<e2e::ScreenImage> first = e2e::ScreenImage::CaptureWindow(design);
        ASSERT_TRUE(first);
        EXPECT_TRUE(e2e::WaitUntil([&] {
            const std::optional<e2e::ScreenImage> now = e2e::ScreenImage::CaptureWindow(design);
            return now && !now->SamePixels(*first);
        })) << "the design moves";
        const RECT at = e2e::WindowRect(design);
        ASSERT_TRUE(e2e::DragReal({at.left + grip->x, at.top + grip->y}, {box.left + grip->x, box.top + grip->y}));
        ASSERT_TRUE(e2e::WaitUntil([&] {
            const RECT now = e2e::WindowRect(design);
            return now.left == box.left && now.top == box.top;
        })) << "the window lies at "
            << e2e::WindowRect(design).left << ", " << e2e::WindowRect(design).top;

        ASSERT_TRUE(session.TakePicture("shipped-" + name.substr(0, name.size() - 4) + ".jpg"));
        ::PostMessageA(design, WM_COMMAND, design_e2e::kCloseDesign, 0);
        ASSERT_TRUE(e2e::WaitUntil([&] { return session.DesignWindows().empty(); }));
    }
}

// A GIF cut short, and one whose 100 frames of 4000 x 4000 would not fit in
// a 32-bit process.
TEST(Design, AGifThatCanNotBeOpenedOpensNoWindowAndSaysSo)
{
    for (const char* name : {"cut.gif", "huge.gif"}) {
        SCOPED_TRACE(name);
        DesignSession session({name});
        ASSERT_NE(session.MainWindow(), nullptr);
        HWND library = session.OpenLibrary();
        ASSERT_NE(library, nullptr);
        session.AddToWindow(library, name);
        HWND box = e2e::WaitForMessageBox(session.Pid());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(e2e::MessageBoxText(box), "can not open the design");
        e2e::PressButton(box, IDOK);
        EXPECT_TRUE(session.DesignWindows().empty());
        DWORD_PTR answer = 0;
        EXPECT_TRUE(::SendMessageTimeoutA(library, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) << "the library answers";
    }
}

} // namespace
