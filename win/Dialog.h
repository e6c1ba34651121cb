#pragma once
// Dialogs built from a dialog resource or an in-memory template: modal
// (DoModal runs the dialog's own message loop) or modeless (Create), with
// data exchange for their controls.
//
// Where it differs from the framework it imitates: UpdateData never
// validates (there are no DDV_ routines, it always succeeds), and DDX_ exists
// only for the kinds of value the program exchanges. The modal loop is ours,
// not the dialog manager's: no WM_ENTERIDLE, and keyboard navigation comes
// from PreTranslateDialogMessage. EndDialog on a modeless dialog destroys it
// rather than hiding it.
#include "win/Wnd.h"

#include <string>

namespace win {

class CDialog;

// The direction and target of one UpdateData pass.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    HWND Control(int controlId) const;

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control);
void DDX_Text(CDataExchange* exchange, int controlId, std::string& value);
void DDX_Check(CDataExchange* exchange, int controlId, int& value);
// The index of the checked button in the group that starts at controlId, or -1.
void DDX_Radio(CDataExchange* exchange, int controlId, int& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr) : m_templateId(templateId), m_pParentWnd(parent) {}

    // Owned by the parent, or else by the main window; -1 when the dialog
    // can't be made or is destroyed without EndDialog.
    INT_PTR DoModal();
    // The same from an in-memory template (see CDialogTemplate), owned by
    // `owner` only: none means none. The dialog is a Unicode window, so its
    // controls keep text in any language.
    INT_PTR DoModalIndirect(const DLGTEMPLATE* dialogTemplate, HWND owner);
    bool Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(INT_PTR result);
    // Runs DoDataExchange; always true, as nothing is validated.
    bool UpdateData(bool saveAndValidate = true);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    // A key the dialog takes before the keyboard navigation of dialogs sees
    // it (a key message of any of its windows); true when taken.
    virtual bool TranslateKey(const MSG&) { return false; }

    // Lets the dialog that owns a message's window handle its keyboard
    // navigation; used by every message loop of the program.
    static bool PreTranslateDialogMessage(MSG* message);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_templateId;
    CWnd* m_pParentWnd;

private:
    HWND CreateFromTemplate(HWND parent);
    INT_PTR RunModal(HWND owner);
    void RunModalLoop();

    const DLGTEMPLATE* m_pMemoryTemplate = nullptr;

    bool m_modal = false;
    bool m_modalDone = false;
    INT_PTR m_modalResult = -1;
};

} // namespace win
