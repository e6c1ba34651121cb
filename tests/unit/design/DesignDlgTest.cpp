// The design library under Wine, hosted by this test: the test thread sends
// what a click would, and another thread answers the dialogs and message
// boxes that come up, as the user would.
#include "design/DesignDlg.h"

#include "E2eSupport.h"
#include "core/Globals.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <thread>

namespace {

const std::string kFolder = DESIGN_FILES_DIR;

// Paths as a Windows user types them, with backslashes.
std::string WindowsPath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string Design(const std::string& name) { return WindowsPath(kFolder + "/" + name); }

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs `action` on this thread, whose modal loops then pump, while `user`
// answers from another thread.
void WithUser(const std::function<void()>& action, const std::function<void()>& user)
{
    std::thread answering(user);
    action();
    answering.join();
}

// Answers the next message box with `button` and gives its text, after its
// caption when it has one of its own (the test program has no name).
std::string AnswerMessageBox(int button = IDOK)
{
    HWND box = e2e::WaitForMessageBox(::GetCurrentProcessId());
    if (!box)
        return "no message box";
    const std::string caption = e2e::Caption(box);
    const std::string said = (caption.empty() ? "" : caption + ": ") + e2e::MessageBoxText(box);
    e2e::PressButton(box, button);
    e2e::WaitUntil([&] { return !::IsWindow(box); });
    return said;
}

class DesignLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int s_library = 0;
        m_folder = kFolder + "/library" + std::to_string(++s_library);
        ::CreateDirectoryA(WindowsPath(m_folder).c_str(), nullptr);
        ::CreateDirectoryA(DesignPath("").c_str(), nullptr);
        g_programFolder = WindowsPath(m_folder + "/");
    }
    void TearDown() override
    {
        if (m_dialog && m_dialog->m_hWnd)
            m_dialog->DestroyWindow();
        m_windows.CloseAll();
    }

    std::string DesignPath(const std::string& name) const { return WindowsPath(m_folder + "/Design/" + name); }
    void Put(const char* source, const std::string& as)
    {
        ::CopyFileA(Design(source).c_str(), DesignPath(as).c_str(), FALSE);
    }
    bool Exists(const std::string& name) const
    {
        return ::GetFileAttributesA(DesignPath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    void OpenLibrary()
    {
        m_dialog = std::make_unique<CDesignDlg>(m_windows, [this] { m_closed = true; });
        ASSERT_TRUE(m_dialog->Open());
        m_list = ::GetDlgItem(m_dialog->m_hWnd, IDC_DESIGN_LIST);
    }
    std::multiset<std::string> Names() const
    {
        const std::vector<std::string> texts = e2e::ListViewColumnTexts(m_list);
        return {texts.begin(), texts.end()};
    }
    void Select(const std::string& name) const
    {
        LVFINDINFOA find{LVFI_STRING, name.c_str(), 0, {}, 0};
        const int item = static_cast<int>(
            ::SendMessageA(m_list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
        LVITEMA state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    }
    void Notify(UINT code) const
    {
        NMITEMACTIVATE click{};
        click.hdr = {m_list, IDC_DESIGN_LIST, code};
        ::SendMessageA(m_dialog->m_hWnd, WM_NOTIFY, IDC_DESIGN_LIST, reinterpret_cast<LPARAM>(&click));
    }
    void Command(UINT id) const { ::SendMessageA(m_dialog->m_hWnd, WM_COMMAND, id, 0); }
    // The right-click menu comes up; the user leaves it, and the command is sent.
    void MenuCommand(const std::string& name, UINT id) const
    {
        Select(name);
        WithUser([&] { Notify(NM_RCLICK); },
                 [] {
                     HWND menu = e2e::WaitForTopLevel(::GetCurrentProcessId(), "#32768");
                     ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                 });
        Command(id);
    }
    void Rename(const std::string& name, const std::string& typed) const
    {
        Select(name);
        WithUser([&] { Command(ID_DESIGN_RENAME); },
                 [&] {
                     HWND dialog = e2e::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Rename");
                     e2e::SendWithTimeout(::GetDlgItem(dialog, IDC_RENAME_EDIT), WM_SETTEXT, 0,
                                          reinterpret_cast<LPARAM>(typed.c_str()));
                     e2e::PressButton(dialog, IDOK);
                 });
    }

    gdiplus::CGdiplusSession m_gdiplus;
    CDesignWindows m_windows;
    std::unique_ptr<CDesignDlg> m_dialog;
    HWND m_list = nullptr;
    bool m_closed = false;
    std::string m_folder;
};

TEST_F(DesignLibrary, ListsEveryGifWithAPictureAndAnEmptyFolderAsAnEmptyList)
{
    OpenLibrary();
    EXPECT_TRUE(Names().empty());
    m_dialog->DestroyWindow();

    Put("still.gif", "flower.gif");
    Put("animated.gif", "rose.gif");
    Put("broken.gif", "broken.gif");
    OpenLibrary();
    EXPECT_EQ(Names(), (std::multiset<std::string>{"broken.gif", "flower.gif", "rose.gif"}));
    const HIMAGELIST pictures = reinterpret_cast<HIMAGELIST>(::SendMessageA(m_list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_EQ(::ImageList_GetImageCount(pictures), 3) << "the broken design keeps its picture slot";
    int width = 0, height = 0;
    ::ImageList_GetIconSize(pictures, &width, &height);
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);
}

TEST_F(DesignLibrary, RenameAddsGifUnlessTypedExactlyAndRefusesNamesOutsideTheFolder)
{
    Put("still.gif", "flower.gif");
    OpenLibrary();
    Rename("flower.gif", "rose");
    EXPECT_TRUE(Exists("rose.gif"));
    Rename("rose.gif", "rose.GIF");
    EXPECT_TRUE(Exists("rose.GIF.gif"));
    Rename("rose.GIF.gif", "..\\up");
    EXPECT_TRUE(Exists("rose.GIF.gif"));
    EXPECT_EQ(Names(), std::multiset<std::string>{"rose.GIF.gif"});
}

TEST_F(DesignLibrary, WindowsOpenOnDoubleClickAndEachPressAndTheirDesignIsInUse)
{
    Put("animated.gif", "rose.gif");
    OpenLibrary();
    WithUser([&] { Command(IDC_ADD_TO_WINDOW); }, [] { EXPECT_EQ(AnswerMessageBox(), "please select a file"); });
    Select("rose.gif");
    Notify(NM_DBLCLK);
    Command(IDC_ADD_TO_WINDOW);
    EXPECT_EQ(m_windows.Count(), 2u);

    // Shown in a window, the design can be neither deleted nor renamed.
    WithUser([&] { MenuCommand("rose.gif", ID_DESIGN_DELETE); },
             [] { EXPECT_EQ(AnswerMessageBox(), "resource useing"); });
    WithUser([&] { Rename("rose.gif", "tulip"); }, [] { EXPECT_EQ(AnswerMessageBox(), "resource useing"); });
    EXPECT_TRUE(Exists("rose.gif"));

    // Closed, it can; and a design that is gone is not opened again.
    m_windows.CloseAll();
    MenuCommand("rose.gif", ID_DESIGN_DELETE);
    EXPECT_FALSE(Exists("rose.gif"));
    EXPECT_TRUE(Names().empty());
    WithUser([&] { Command(IDC_ADD_TO_WINDOW); }, [] { EXPECT_EQ(AnswerMessageBox(), "please select a file"); });
}

TEST_F(DesignLibrary, ADesignThatCanNotBeOpenedOpensNoWindowAndSaysSo)
{
    Put("broken.gif", "broken.gif");
    OpenLibrary();
    Select("broken.gif");
    Notify(NM_CLICK);
    WithUser([&] { Command(IDC_ADD_TO_WINDOW); }, [] { EXPECT_EQ(AnswerMessageBox(), "can not open the design"); });
    EXPECT_EQ(m_windows.Count(), 0u);
}

TEST_F(DesignLibrary, ImportCopiesTheFileAndReplacesOnlyWhenAnswered)
{
    Put("still.gif", "rose.gif");
    OpenLibrary();
    const auto import = [&](const std::string& source, int answer) {
        WithUser([&] { Command(IDC_ADD_MY_DESIGN); },
                 [&] {
                     HWND open = e2e::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Open");
                     EXPECT_EQ(::GetWindow(open, GW_OWNER), m_dialog->m_hWnd);
                     EXPECT_TRUE(e2e::ChooseFile(open, source));
                     if (answer) {
                         EXPECT_EQ(AnswerMessageBox(answer), "Whether displace the old file?: find  rose.gif");
                     }
                     // A dialog that did not take the name must not hang the test.
                     if (!e2e::WaitUntil([&] { return !::IsWindow(open); }, e2e::Timeout(5000)))
                         e2e::PressButton(open, IDCANCEL);
                 });
    };
    // New, then the same name answered Cancel, then OK.
    const std::string tulip = Design("tulip.gif");
    ::CopyFileA(Design("animated.gif").c_str(), tulip.c_str(), FALSE);
    import(tulip, 0);
    EXPECT_EQ(Bytes(DesignPath("tulip.gif")), Bytes(Design("animated.gif")));
    const std::string newRose = Design("rose.gif");
    ::CopyFileA(Design("animated.gif").c_str(), newRose.c_str(), FALSE);
    import(newRose, IDCANCEL);
    EXPECT_EQ(Bytes(DesignPath("rose.gif")), Bytes(Design("still.gif")));
    import(newRose, IDOK);
    EXPECT_EQ(Bytes(DesignPath("rose.gif")), Bytes(Design("animated.gif")));
    EXPECT_EQ(Names(), (std::multiset<std::string>{"rose.gif", "tulip.gif"}));
    // Chosen from the folder itself: nothing to replace, nothing lost.
    import(DesignPath("rose.gif"), 0);
    EXPECT_EQ(Bytes(DesignPath("rose.gif")), Bytes(Design("animated.gif")));
}

TEST_F(DesignLibrary, EscapeClosesItAndTellsItsOpener)
{
    OpenLibrary();
    Command(IDOK);
    EXPECT_TRUE(::IsWindow(m_dialog->m_hWnd)) << "Enter does nothing";
    Command(IDCANCEL);
    EXPECT_FALSE(m_dialog->m_hWnd);
    EXPECT_TRUE(m_closed);
}

} // namespace
