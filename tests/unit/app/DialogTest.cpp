#include "res/resource.h"
#include "win/Dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The about box's template serves as a dialog with a static text control.
class ProbeDialog : public win::CDialog {
public:
    ProbeDialog() : CDialog(IDD_ABOUTBOX) {}

    std::vector<UINT> seen;
    std::string text = "from the object";
    INT_PTR endWith = IDOK;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_COMMAND, static_cast<WPARAM>(endWith));
        return TRUE;
    }
    void DoDataExchange(win::CDataExchange* exchange) override { win::DDX_Text(exchange, IDC_ABOUT_TEXT, text); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE || message == WM_INITDIALOG || message == WM_DESTROY)
            seen.push_back(message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(Dialog, ModalDialogSeesItsWholeLifeAndReturnsTheEndResult)
{
    ProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const std::vector<UINT> expected{WM_CREATE, WM_INITDIALOG, WM_DESTROY};
    EXPECT_EQ(dialog.seen, expected);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialog, CancelEndsWithCancel)
{
    ProbeDialog dialog;
    dialog.endWith = IDCANCEL;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Dialog, DataExchangeMovesTextBothWays)
{
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    char shown[64] = {};
    ::GetDlgItemTextA(dialog.m_hWnd, IDC_ABOUT_TEXT, shown, sizeof shown);
    EXPECT_STREQ(shown, "from the object");
    ::SetDlgItemTextA(dialog.m_hWnd, IDC_ABOUT_TEXT, "typed by the user");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.text, "typed by the user");
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

} // namespace
