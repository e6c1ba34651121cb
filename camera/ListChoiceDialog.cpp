#include "camera/ListChoiceDialog.h"

#include <cstdint>

namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;

// Writes a dialog template word by word: DLGTEMPLATE, its strings, then one
// DLGITEMTEMPLATE per control on a 32-bit boundary.
class CTemplateWriter {
public:
    void Header(DWORD style, short width, short height, const char* title, WORD controls)
    {
        PutDword(style | DS_SETFONT);
        PutDword(0);
        m_words.push_back(controls);
        PutShorts({0, 0, width, height});
        m_words.push_back(0);  // no menu
        m_words.push_back(0);  // the dialog class
        PutText(title);
        m_words.push_back(8);
        PutText("MS Shell Dlg");
    }

    void Control(DWORD style, short x, short y, short width, short height, WORD id, WORD atom,
                 const char* text)
    {
        if (m_words.size() % 2)
            m_words.push_back(0);
        PutDword(style | WS_CHILD | WS_VISIBLE);
        PutDword(0);
        PutShorts({x, y, width, height});
        m_words.push_back(id);
        m_words.push_back(0xFFFF);
        m_words.push_back(atom);
        PutText(text);
        m_words.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* Template() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void PutDword(DWORD value)
    {
        m_words.push_back(LOWORD(value));
        m_words.push_back(HIWORD(value));
    }
    void PutShorts(std::initializer_list<short> values)
    {
        for (short value : values)
            m_words.push_back(static_cast<WORD>(value));
    }
    // The texts are ASCII, so widening byte by byte is exact.
    void PutText(const char* text)
    {
        for (; *text; ++text)
            m_words.push_back(static_cast<unsigned char>(*text));
        m_words.push_back(0);
    }

    // DWORD-aligned storage, as the dialog manager requires.
    std::vector<WORD> m_words;
};

struct ChoiceState {
    const std::vector<std::string>* entries;
    int selected;
};

void Accept(HWND dialog)
{
    auto* state = reinterpret_cast<ChoiceState*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    const LRESULT index = ::SendDlgItemMessageA(dialog, kChoiceListId, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return;
    state->selected = static_cast<int>(index);
    ::EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK ChoiceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        const auto* state = reinterpret_cast<const ChoiceState*>(lParam);
        for (const std::string& entry : *state->entries)
            ::SendDlgItemMessageA(dialog, kChoiceListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        ::SendDlgItemMessageA(dialog, kChoiceListId, LB_SETCURSEL, static_cast<WPARAM>(state->selected), 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == kChoiceListId && HIWORD(wParam) == LBN_DBLCLK)) {
            Accept(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<int> ChooseFromList(HWND owner, const char* title, const char* prompt,
                                  const std::vector<std::string>& entries, int selected)
{
    CTemplateWriter writer;
    writer.Header(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 160, 120, title, 4);
    writer.Control(0, 7, 7, 146, 8, 0xFFFF, kStaticClass, prompt);
    writer.Control(LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 18, 146, 74, kChoiceListId,
                   kListBoxClass, "");
    writer.Control(BS_DEFPUSHBUTTON | WS_TABSTOP, 49, 98, 50, 14, IDOK, kButtonClass, "OK");
    writer.Control(BS_PUSHBUTTON | WS_TABSTOP, 103, 98, 50, 14, IDCANCEL, kButtonClass, "Cancel");
    ChoiceState state{&entries, selected};
    const INT_PTR result = ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), writer.Template(), owner,
                                                     ChoiceDialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return std::nullopt;
    return state.selected;
}
