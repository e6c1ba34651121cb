#pragma once
// A dialog template built in memory, for small dialogs that have no resource:
// the DLGTEMPLATE with its caption and font, then one DLGITEMTEMPLATE per
// control, as the dialog manager reads them.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace win {

class CDialogTemplate {
public:
    // The predefined control classes, named in a template by these atoms.
    enum EControlClass : WORD {
        kButton = 0x0080,
        kEdit = 0x0081,
        kStatic = 0x0082,
        kListBox = 0x0083,
        kComboBox = 0x0085
    };
    // The id of a control nobody addresses (a label).
    static constexpr WORD kNoId = 0xFFFF;

    // A dialog in 8-point "MS Shell Dlg" (DS_SETFONT is added); sizes are in
    // dialog units.
    CDialogTemplate(DWORD style, short width, short height, std::wstring_view caption);

    // A visible child control (WS_CHILD and WS_VISIBLE are added).
    void AddControl(EControlClass controlClass, std::wstring_view text, WORD id, DWORD style, short x, short y,
                    short width, short height);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void PutDword(DWORD value);
    void PutText(std::wstring_view text);

    // Heap storage is DWORD-aligned, as the template's start must be; each
    // item is padded to a DWORD boundary inside it.
    std::vector<WORD> m_words;
    std::size_t m_countIndex = 0;
};

// Text in the ANSI code page, widened for a template.
std::wstring WidenAnsi(std::string_view text);

} // namespace win
