#include "app/WindowStyleDlg.h"

#include "core/Config.h"
#include "core/Globals.h"
#include "res/resource.h"
#include "skin/engine/SkinManager.h"

#include <iterator>

namespace {

struct StyleChoice {
    UINT radio;
    const char* skinFile; // null: the system look
};

// In the order a stored name is matched against them.
constexpr StyleChoice kChoices[] = {
    {IDC_STYLE_OFFICE, "Office.skin"}, {IDC_STYLE_APPLE, "apple.skin"}, {IDC_STYLE_BLACK, "black.skin"},
    {IDC_STYLE_DEFAULT, "red.skin"},   {IDC_STYLE_SYSTEM, nullptr},
};

const StyleChoice* ChoiceOfRadio(UINT id)
{
    for (const StyleChoice& choice : kChoices) {
        if (choice.radio == id)
            return &choice;
    }
    return nullptr;
}

// The name written before the load, whether or not the file loads: the next
// start tries the same file and, like this one, shows the system look
// without a message when it can't. False when Config.ini could not keep the
// choice: the look changes for this run only.
bool ApplyChoice(const StyleChoice& choice)
{
    bool stored = false;
    if (choice.skinFile) {
        stored = WriteConfigValue("SKIN", std::string(choice.skinFile));
        g_skinPath = g_programFolder + "Skin\\" + choice.skinFile;
    } else {
        stored = WriteConfigValue("SKIN", std::nullopt);
        g_skinPath.clear();
    }
    tavrelin::skin::CSkinManager::GetInstance().LoadSkin(choice.skinFile ? g_skinPath.c_str() : nullptr, nullptr);
    return stored;
}

} // namespace

CWindowStyleDlg::CWindowStyleDlg() : CDialog(IDD_WINDOW_STYLE) {}

BOOL CWindowStyleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Names match exactly, letter case included; anything else is the
    // system look.
    const std::string stored = ReadConfigValue("SKIN");
    UINT checked = IDC_STYLE_SYSTEM;
    for (const StyleChoice& choice : kChoices) {
        if (choice.skinFile && stored == choice.skinFile) {
            checked = choice.radio;
            break;
        }
    }
    ::SendDlgItemMessageA(m_hWnd, checked, BM_SETCHECK, BST_CHECKED, 0);
    return TRUE;
}

void CWindowStyleDlg::OnOK() {}

void CWindowStyleDlg::OnCancel() { EndDialog(IDCANCEL); }

bool CWindowStyleDlg::OnCommand(UINT id, UINT code, HWND control)
{
    const StyleChoice* choice = ChoiceOfRadio(id);
    if (!choice || code != BN_CLICKED)
        return CDialog::OnCommand(id, code, control);
    if (!ApplyChoice(*choice))
        MessageBox("Can not write Config.ini!");
    return true;
}
