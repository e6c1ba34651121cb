// The driver against programs that Wine ships, which the driver's authors did
// not write: their windows are the independent check.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>

namespace e2e::test {
namespace {

std::string SystemProgram(const std::string& name)
{
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + name;
}

std::string WindowsProgram(const std::string& name)
{
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + name;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

TEST(NotepadTest, EditsTextAndAnswersTheSavePrompt)
{
    RunningProgram notepad(SystemProgram("notepad.exe"));
    const HWND main = WaitForTopLevel(notepad.Pid(), "Notepad");
    ASSERT_NE(main, nullptr);
    const HWND edit = FindChild(main, "Edit");
    ASSERT_NE(edit, nullptr);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed by the test"));
    ::SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    EXPECT_EQ(WindowText(edit), "typed by the test");

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    const HWND prompt = WaitForMessageBox(notepad.Pid());
    ASSERT_NE(prompt, nullptr);
    const std::string text = MessageBoxText(prompt);
    std::cout << "notepad asks: [" << Caption(prompt) << "] " << text << "\n";
    EXPECT_NE(Lower(text).find("save"), std::string::npos) << text;
    EXPECT_EQ(Caption(prompt), "Notepad");
    ASSERT_TRUE(PressButton(prompt, IDNO));
    EXPECT_EQ(notepad.WaitForExit(), std::optional<DWORD>(0));
}

// Under a 64-bit prefix the 32-bit regedit and winecfg start their 64-bit
// build as a child process, whose window this finds by class and title. The
// window's process is ended with the test.
class WineToolWindow {
public:
    WineToolWindow(const std::string& program, const char* className, const char* title)
        : m_program(program), m_hWnd(WaitForWindow([&] { return ::FindWindowA(className, title); }))
    {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(m_hWnd, &pid);
        m_hProcess.reset(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, pid));
    }
    ~WineToolWindow()
    {
        if (!m_hProcess)
            return;
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_hProcess.get(), 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_hProcess.get(), 1);
    }
    WineToolWindow(const WineToolWindow&) = delete;
    WineToolWindow& operator=(const WineToolWindow&) = delete;

    HWND Window() const { return m_hWnd; }
    HANDLE Process() const { return m_hProcess.get(); }
    // Pointer-carrying messages need a target of this process's bitness.
    bool Drivable() const { return SameBitness(m_hProcess.get()); }

private:
    RunningProgram m_program;
    HWND m_hWnd;
    UniqueHandle m_hProcess;
};

// Reading the tree needs nothing remote: item handles are plain values.
void SelectFirstRegistryRoot(HWND tree)
{
    const LPARAM root = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    const LPARAM firstKey = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, root);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, firstKey);
}

TEST(RegeditTest, ListsTheValuesOfTheSelectedKey)
{
    WineToolWindow regedit(WindowsProgram("regedit.exe"), "RegEdit_RegEdit", "Registry Editor");
    ASSERT_NE(regedit.Window(), nullptr);
    ASSERT_TRUE(regedit.Process());
    const HWND tree = WaitForWindow([&] { return FindChild(regedit.Window(), "SysTreeView32"); });
    ASSERT_NE(tree, nullptr);
    SelectFirstRegistryRoot(tree);
    // The value list exists once a key is selected.
    const HWND list = WaitForWindow([&] { return FindChild(regedit.Window(), "SysListView32"); });
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ListViewItemCount(list) > 0; }));
    if (!regedit.Drivable()) {
        EXPECT_THROW(ListViewItemText(list, 0), std::runtime_error);
        GTEST_SKIP() << "regedit runs with the other bitness; the other build's self-test reads it";
    }
    const std::vector<std::string> names = ListViewColumnTexts(list, 0);
    const std::vector<std::string> types = ListViewColumnTexts(list, 1);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "(Default)");
    EXPECT_EQ(types.front(), "REG_SZ");
}

TEST(WinecfgTest, ReadsAndSwitchesThePropertySheetTabs)
{
    WineToolWindow winecfg(SystemProgram("winecfg.exe"), "#32770", "Wine configuration");
    ASSERT_NE(winecfg.Window(), nullptr);
    const HWND tab = FindChild(winecfg.Window(), "SysTabControl32");
    ASSERT_NE(tab, nullptr);
    ASSERT_GE(TabCount(tab), 5);
    EXPECT_EQ(TabCurSel(tab), 0);
    if (!winecfg.Drivable()) {
        EXPECT_THROW(TabText(tab, 0), std::runtime_error);
        GTEST_SKIP() << "winecfg runs with the other bitness; the other build's self-test reads it";
    }
    EXPECT_EQ(TabText(tab, 0), "Applications");
    const int last = TabCount(tab) - 1;
    const std::optional<RECT> rect = TabItemRect(tab, last);
    ASSERT_TRUE(rect.has_value());
    ClickClient(tab, (rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] { return TabCurSel(tab) == last; }));
    ASSERT_TRUE(PressButton(winecfg.Window(), IDCANCEL));
    EXPECT_EQ(::WaitForSingleObject(winecfg.Process(), 20000), WAIT_OBJECT_0);
}

// A driver cannot lay out structures of the other bitness: the buffer
// refuses such a target instead of letting a test read garbage.
TEST(RemoteBufferBitnessTest, RefusesAProcessOfTheOtherBitness)
{
    BOOL wow64 = FALSE;
    ::IsWow64Process(::GetCurrentProcess(), &wow64);
    // sysnative reaches the 64-bit system folder from a 32-bit process.
    const std::string otherNotepad = WindowsProgram(wow64 ? "sysnative\\notepad.exe" : "syswow64\\notepad.exe");
    if (::GetFileAttributesA(otherNotepad.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no program of the other bitness here";
    RunningProgram notepad(LaunchOptions{otherNotepad, "", {}, WindowsProgram("")});
    ASSERT_NE(WaitForTopLevel(notepad.Pid(), "Notepad"), nullptr);
    EXPECT_FALSE(SameBitness(notepad.Process()));
    EXPECT_THROW(RemoteBuffer(notepad.Pid(), 16), std::runtime_error);
}

} // namespace
} // namespace e2e::test
