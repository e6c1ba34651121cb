// The window style dialog: it opens on the stored look, each click writes
// and loads a look at once, and only Escape and the close box end it.
#include "ShellSession.h"

namespace {

using namespace shell;

constexpr int kOffice = 1001, kApple = 1002, kBlack = 1003, kDefault = 1004, kSystem = 1005;
constexpr int kRadios[] = {kOffice, kApple, kBlack, kDefault, kSystem};
constexpr COLORREF kTestSkinFace = RGB(1, 2, 3);

HWND OpenStyleDialog(ShellSession& session)
{
    ::PostMessageA(session.MainWindow(), WM_COMMAND, kWindowStyle, 0);
    return e2e::WaitForTopLevel(session.Program().Pid(), "#32770", "Window Style Config");
}

std::vector<int> CheckedRadios(HWND dialog)
{
    std::vector<int> checked;
    for (const int id : kRadios) {
        if (e2e::SendWithTimeout(e2e::ChildById(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED)
            checked.push_back(id);
    }
    return checked;
}

std::string StoredSkin(ShellSession& session)
{
    char value[MAX_PATH] = {};
    ::GetPrivateProfileStringA("CONFIG", "SKIN", "<none>", value, sizeof value,
                               session.Folder().File("Config.ini").c_str());
    return value;
}

size_t TestSkinFacePixels(HWND window)
{
    const auto image = e2e::ScreenImage::CaptureWindow(window);
    return image ? image->CountColour(kTestSkinFace) : 0;
}

TEST(WindowStyle, OpensOnTheStoredLookAndOnlyEscapeOrTheCloseBoxEndIt)
{
    ShellSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    const std::string ini = session.Folder().File("Config.ini");
    struct Case {
        const char* stored; // null: no SKIN line
        int checked;
        UINT closing; // 0: Escape, else a system command
    } const cases[] = {
        {"Office.skin", kOffice, 0},      {"office.skin", kSystem, SC_CLOSE}, {"red.skin", kDefault, 0},
        {"black.skin", kBlack, SC_CLOSE}, {"apple.skin", kApple, 0},          {nullptr, kSystem, 0},
    };
    for (const Case& stored : cases) {
        SCOPED_TRACE(stored.stored ? stored.stored : "(none)");
        ::WritePrivateProfileStringA("CONFIG", "SKIN", stored.stored, ini.c_str());
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
        HWND dialog = OpenStyleDialog(session);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(CheckedRadios(dialog), std::vector<int>{stored.checked});
        // Enter reaches the dialog's keyboard handling and leaves it open.
        ::PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(dialog, WM_KEYUP, VK_RETURN, 0);
        ASSERT_TRUE(e2e::WaitForPostedMessages(e2e::ChildById(dialog, IDOK)));
        ASSERT_TRUE(::IsWindow(dialog));
        if (stored.closing)
            ::PostMessageA(dialog, WM_SYSCOMMAND, stored.closing, 0);
        else
            ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }));
    }
}

// Skin\red.skin is replaced by a test skin whose button face no Wine prefix
// has, and Skin\apple.skin is missing.
TEST(WindowStyle, EachClickStoresTheLookAndShowsItAtOnce)
{
    ShellSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(::CopyFileA(e2e::ToWindowsPath(SKIN_TEST_MODULE).c_str(),
                            session.Folder().File("Skin\\red.skin").c_str(), FALSE));
    ASSERT_TRUE(::DeleteFileA(session.Folder().File("Skin\\apple.skin").c_str()));
    HWND dialog = OpenStyleDialog(session);
    ASSERT_NE(dialog, nullptr);
    const auto click = [&](int radio) { e2e::SendWithTimeout(e2e::ChildById(dialog, radio), BM_CLICK, 0, 0); };

    for (int twice = 0; twice < 2; ++twice) {
        click(kDefault);
        EXPECT_EQ(StoredSkin(session), "red.skin");
        EXPECT_TRUE(e2e::WaitUntil([&] { return TestSkinFacePixels(dialog) > 1000; }));
        EXPECT_GT(TestSkinFacePixels(session.MainWindow()), 20000u);
    }
    // A missing file is stored all the same and gives the system look, silently.
    click(kApple);
    EXPECT_EQ(StoredSkin(session), "apple.skin");
    EXPECT_TRUE(e2e::WaitUntil([&] { return TestSkinFacePixels(dialog) == 0; }));
    EXPECT_EQ(e2e::FindMessageBox(session.Program().Pid()), nullptr);

    click(kDefault);
    EXPECT_TRUE(e2e::WaitUntil([&] { return TestSkinFacePixels(dialog) > 1000; }));
    click(kSystem);
    EXPECT_EQ(StoredSkin(session), "<none>");
    const auto ini = e2e::ReadWholeFile(session.Folder().File("Config.ini"));
    EXPECT_TRUE(ini && ini->find("SKIN") == std::string::npos) << (ini ? *ini : "");
    EXPECT_TRUE(e2e::WaitUntil([&] { return TestSkinFacePixels(session.MainWindow()) == 0; }));
    EXPECT_EQ(CheckedRadios(dialog), std::vector<int>{kSystem});
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }));
}

} // namespace
