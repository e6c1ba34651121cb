// The rename dialog, run modally on this thread and answered from another
// the way a user would: through its window.
#include "rename/RenameDlg.h"
#include "res/resource.h"
#include "win/App.h"

#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

// A top-level window that asks, as the album page's main window does.
class AskingWindow : public win::CWnd {
public:
    AskingWindow()
    {
        const std::string windowClass = win::RegisterClassForFramework(0, nullptr, nullptr, nullptr);
        CreateEx(0, windowClass.c_str(), "asking", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
    }
};

// Runs the dialog while `user` acts on its window from another thread.
INT_PTR RunWithUser(CRenameDlg& dialog, const std::function<void(HWND)>& user)
{
    std::thread acting([&] {
        HWND window = e2e::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Rename");
        if (window)
            user(window);
        else
            ADD_FAILURE() << "no Rename dialog";
    });
    const INT_PTR result = dialog.DoModal();
    acting.join();
    return result;
}

void Type(HWND dialog, const char* text)
{
    e2e::SendWithTimeout(::GetDlgItem(dialog, IDC_RENAME_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST(RenameDlg, OpensAsAToolWindowOwnedByTheAskerWithTheEditFocused)
{
    AskingWindow asking;
    CRenameDlg dialog(&asking);
    const INT_PTR result = RunWithUser(dialog, [&](HWND window) {
        EXPECT_EQ(::GetWindow(window, GW_OWNER), asking.m_hWnd);
        EXPECT_FALSE(::IsWindowEnabled(asking.m_hWnd)) << "the asker can't be used meanwhile";
        EXPECT_TRUE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(e2e::ControlId(e2e::FocusedControl(window)), IDC_RENAME_EDIT);
        EXPECT_EQ(e2e::WindowText(::GetDlgItem(window, IDOK)), "OK");
        EXPECT_EQ(e2e::WindowText(::GetDlgItem(window, IDCANCEL)), "Cancel");
        EXPECT_NE(e2e::FindChild(window, "Button", "New Name"), nullptr);
        e2e::PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(::IsWindowEnabled(asking.m_hWnd));
}

TEST(RenameDlg, EmptyNameIsAskedForAgainAndOneBlankIsAName)
{
    CRenameDlg dialog;
    const INT_PTR result = RunWithUser(dialog, [](HWND window) {
        e2e::PressButton(window, IDOK);
        HWND box = e2e::WaitForMessageBox(::GetCurrentProcessId());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(e2e::MessageBoxText(box), "please input name");
        EXPECT_EQ(::GetWindow(box, GW_OWNER), window);
        e2e::PressButton(box, IDOK);
        ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(box); }));
        EXPECT_TRUE(::IsWindowVisible(window)) << "the dialog stays open";
        Type(window, " ");
        e2e::PressButton(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_strName, " ");
}

TEST(RenameDlg, EscapeAndCancelGiveCancelWithTextTyped)
{
    for (const bool escape : {true, false}) {
        CRenameDlg dialog;
        const INT_PTR result = RunWithUser(dialog, [&](HWND window) {
            Type(window, "holiday");
            if (escape)
                e2e::PressKeyToFocus(window, VK_ESCAPE);
            else
                e2e::PressButton(window, IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL) << (escape ? "Escape" : "Cancel");
    }
}

TEST(RenameDlg, EnterTakesTheNameExactlyAsTyped)
{
    CRenameDlg dialog;
    const INT_PTR result = RunWithUser(dialog, [](HWND window) {
        Type(window, "  Holiday 2026.JPG ");
        e2e::PressKeyToFocus(window, VK_RETURN);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_strName, "  Holiday 2026.JPG ");
}

} // namespace
