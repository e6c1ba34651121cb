// Designs in the real program: the library opened from the toolbar, a design
// window dragged over the camera page's design box with the test camera, the
// picture taken and the video recorded then (judged by
// check-design-picture.sh), and a GIF that can't be opened.
#include "DesignDriver.h"
#include "RecordingSession.h"

#include <gtest/gtest.h>

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

class DesignSession : public recording_e2e::RecordingSession {
public:
    explicit DesignSession(const std::vector<std::string>& designs)
        : RecordingSession(camera_e2e::Camera::Virtual, [&](const e2e::ProgramCopy& folder) {
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
        << e2e::DescribeTopLevel(session.Pid());
    // The busy strip runs while the design is made and a frame after: a look
    // at the library now shows it.
    e2e::SaveWindowBmp(OutputFolder() + "\\library-busy.bmp", library);
    e2e::PressButton(library, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(library); }));

    // Dragged by a point inside it, so that its right edge ends at the box's
    // middle and it covers the box from top to bottom.
    const RECT box = e2e::ClientRectOnScreen(session.Control(camera_e2e::kDesignBox));
    const RECT design = e2e::WindowRect(designs[0]);
    const POINT grip{design.left + 200, design.top + 200};
    const POINT target{(box.left + box.right) / 2 - 400 + 200, box.top - 100 + 200};
    ASSERT_TRUE(e2e::DragReal(grip, target));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowRect(designs[0]).right == (box.left + box.right) / 2; }))
        << "the window lies at " << e2e::WindowRect(designs[0]).left << ", " << e2e::WindowRect(designs[0]).top;
    e2e::SaveScreenBmp(OutputFolder() + "\\design-over-camera.bmp", e2e::WindowRect(session.MainWindow()));

    const std::vector<std::string> before = e2e::FolderEntryNames(session.Folder().File("Album"));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(session.MainWindow(), WM_COMMAND, kTakePictures, 0, SMTO_NORMAL, 20000, &answer));
    std::vector<std::string> after = e2e::FolderEntryNames(session.Folder().File("Album"));
    ASSERT_EQ(after.size(), before.size() + 1);
    const std::string picture = after.back();
    ASSERT_TRUE(::CopyFileA(session.Folder().File("Album\\" + picture).c_str(),
                            (OutputFolder() + "\\design-left-half.jpg").c_str(), FALSE));

    const std::string video = session.Record(1500);
    ASSERT_FALSE(video.empty());
    ASSERT_TRUE(::CopyFileA(video.c_str(), (OutputFolder() + "\\design-left-half.avi").c_str(), FALSE));
}

TEST(Design, AGifThatCanNotBeOpenedOpensNoWindowAndSaysSo)
{
    DesignSession session({"cut.gif"});
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND library = session.OpenLibrary();
    ASSERT_NE(library, nullptr);
    session.AddToWindow(library, "cut.gif");
    HWND box = e2e::WaitForMessageBox(session.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageBoxText(box), "can not open the design");
    e2e::PressButton(box, IDOK);
    EXPECT_TRUE(session.DesignWindows().empty());
}

} // namespace
