#include "win/Dialog.h"

#include "win/App.h"

namespace win {
namespace {

// The dialog manager calls this for every message; all real handling happens
// in the object's WindowProc, which sees each message first.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

} // namespace

HWND CDataExchange::Control(int controlId) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, controlId); }

void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassDlgItem(controlId, exchange->m_pDlgWnd);
}

void DDX_Text(CDataExchange* exchange, int controlId, std::string& value)
{
    HWND control = exchange->Control(controlId);
    if (exchange->m_bSaveAndValidate) {
        std::string text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
        text.resize(static_cast<size_t>(::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
        value = text;
    } else {
        ::SetWindowTextA(control, value.c_str());
    }
}

void DDX_Check(CDataExchange* exchange, int controlId, int& value)
{
    HWND control = exchange->Control(controlId);
    if (exchange->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* exchange, int controlId, int& value)
{
    HWND control = exchange->Control(controlId);
    if (exchange->m_bSaveAndValidate)
        value = -1;
    for (int index = 0; control; ++index) {
        if (exchange->m_bSaveAndValidate) {
            if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
        if (!control || (::GetWindowLongA(control, GWL_STYLE) & WS_GROUP))
            break;
    }
}

HWND CDialog::CreateFromTemplate(HWND parent)
{
    CreationScope scope(this);
    HWND window = m_pMemoryTemplate ? ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), m_pMemoryTemplate, parent,
                                                                   PassiveDialogProc, 0)
                                    : ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId),
                                                           parent, PassiveDialogProc, 0);
    if (window && m_hWnd != window) {
        ::DestroyWindow(window);
        return nullptr;
    }
    return window;
}

bool CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    m_pMemoryTemplate = nullptr;
    m_pParentWnd = parent;
    m_modal = false;
    return CreateFromTemplate(parent ? parent->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner && AfxGetMainWnd() != this && AfxGetMainWnd())
        owner = AfxGetMainWnd()->m_hWnd;
    // Only a top-level window can own a dialog and be disabled while it runs;
    // a page asking would otherwise leave the main window usable.
    if (owner)
        owner = ::GetAncestor(owner, GA_ROOT);
    m_pMemoryTemplate = nullptr;
    return RunModal(owner);
}

INT_PTR CDialog::DoModalIndirect(const DLGTEMPLATE* dialogTemplate, HWND owner)
{
    m_pMemoryTemplate = dialogTemplate;
    const INT_PTR result = RunModal(owner);
    m_pMemoryTemplate = nullptr;
    return result;
}

INT_PTR CDialog::RunModal(HWND owner)
{
    m_modal = true;
    m_modalDone = false;
    m_modalResult = -1;
    if (!CreateFromTemplate(owner))
        return -1;
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    if (!m_modalDone) {
        ::ShowWindow(m_hWnd, SW_SHOW);
        RunModalLoop();
    }
    if (disableOwner) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    DestroyWindow();
    m_modal = false;
    return m_modalResult;
}

void CDialog::RunModalLoop()
{
    MSG message;
    // A dialog destroyed by someone else (its owner went) ends the loop too.
    while (!m_modalDone && m_hWnd) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Someone asked the thread to quit: end the dialog and pass it on.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            m_modalResult = IDCANCEL;
            break;
        }
        if (got < 0)
            break;
        if (!PreTranslateDialogMessage(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

bool CDialog::PreTranslateDialogMessage(MSG* message)
{
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return false;
    HWND root = ::GetAncestor(message->hwnd, GA_ROOT);
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(root));
    if (!dialog)
        return false;
    return dialog->TranslateKey(*message) || ::IsDialogMessageA(root, message) != FALSE;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_modal) {
        m_modalResult = result;
        m_modalDone = true;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else {
        DestroyWindow();
    }
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return true;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_NCDESTROY:
        // Wakes the modal loop, which may be waiting for a message.
        if (m_modal && !m_modalDone)
            ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

} // namespace win
