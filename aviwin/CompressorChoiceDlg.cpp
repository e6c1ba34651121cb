#include "aviwin/CompressorChoiceDlg.h"

#include <vfw.h>

#include "aviwin/MotionJpegCodec.h"
#include "avi/VideoCompressor.h"
#include "riff/Fourcc.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kCompressorListId = 880;
constexpr int kLabelId = 881;
constexpr wchar_t kFullFrames[] = L"Full Frames (Uncompressed)";

// The codec's description when it accepts the frames.
std::optional<std::wstring> AcceptingCodec(DWORD fccHandler, const BITMAPINFO& input)
{
    const HIC hCodec = ::ICOpen(ICTYPE_VIDEO, fccHandler, ICMODE_COMPRESS);
    if (hCodec == nullptr) {
        return std::nullopt;
    }
    BITMAPINFO format = input;
    ICINFO info{};
    info.dwSize = sizeof(info);
    std::optional<std::wstring> description;
    if (ICCompressQuery(hCodec, &format, nullptr) == ICERR_OK && ::ICGetInfo(hCodec, &info, sizeof(info)) != 0) {
        description = info.szDescription[0] != L'\0' ? info.szDescription : info.szName;
    }
    ::ICClose(hCodec);
    return description;
}

// An in-memory dialog template: the words of DLGTEMPLATE and its items.
class CDialogTemplate {
public:
    CDialogTemplate(const wchar_t* pszCaption, short width, short height)
    {
        const DWORD style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        PutDword(style);
        PutDword(0);
        m_countIndex = m_words.size();
        PutWords({0, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height), 0, 0});
        PutText(pszCaption);
        PutWords({8});
        PutText(L"MS Shell Dlg");
    }

    void AddItem(WORD atom, const wchar_t* pszText, int id, DWORD style, short x, short y, short cx, short cy)
    {
        while (m_words.size() % 2 != 0) {
            m_words.push_back(0);
        }
        PutDword(style | WS_CHILD | WS_VISIBLE);
        PutDword(0);
        PutWords({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx), static_cast<WORD>(cy),
                  static_cast<WORD>(id), 0xFFFF, atom});
        PutText(pszText);
        PutWords({0});
        ++m_words[m_countIndex];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void PutDword(DWORD value) { PutWords({LOWORD(value), HIWORD(value)}); }
    void PutWords(std::initializer_list<WORD> words) { m_words.insert(m_words.end(), words); }
    void PutText(const wchar_t* pszText)
    {
        for (; *pszText != L'\0'; ++pszText) {
            m_words.push_back(static_cast<WORD>(*pszText));
        }
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;  // WORD-aligned as the template requires; items DWORD-aligned
    std::size_t m_countIndex = 0;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kComboBoxAtom = 0x0085;

} // namespace

bool IsListedCodec(DWORD fccHandler)
{
    ICINFO info{};
    info.dwSize = sizeof(info);
    for (DWORD index = 0; ::ICInfo(ICTYPE_VIDEO, index, &info); ++index) {
        if (SameFourccIgnoringCase(info.fccHandler, fccHandler)) {
            return true;
        }
    }
    return false;
}

std::vector<CompressorChoice> OfferedCompressors(const BITMAPINFO& input)
{
    std::vector<CompressorChoice> choices{{kFourccDib, kFullFrames}};
    std::vector<DWORD> handlers;
    ICINFO info{};
    info.dwSize = sizeof(info);
    for (DWORD index = 0; ::ICInfo(ICTYPE_VIDEO, index, &info); ++index) {
        handlers.push_back(info.fccHandler);
    }
    // Ours opens by code even where the list leaves codecs of one process out.
    const bool bOursListed = std::any_of(handlers.begin(), handlers.end(),
                                         [](DWORD handler) { return SameFourccIgnoringCase(handler, kFourccMotionJpeg); });
    if (!bOursListed) {
        handlers.push_back(kFourccMotionJpeg);
    }
    for (const DWORD handler : handlers) {
        if (std::optional<std::wstring> description = AcceptingCodec(handler, input)) {
            choices.push_back({handler, std::move(*description)});
        }
    }
    return choices;
}

CCompressorChoiceDlg::CCompressorChoiceDlg(std::vector<CompressorChoice> choices, DWORD presetHandler)
    : m_choices(std::move(choices)), m_presetHandler(presetHandler)
{
}

std::optional<DWORD> CCompressorChoiceDlg::DoModal(HWND hParent, const char* pszTitle)
{
    m_pszTitle = pszTitle;
    m_chosen.reset();
    CDialogTemplate dialogTemplate(L"", 220, 62);
    dialogTemplate.AddItem(kStaticAtom, L"&Compressor:", kLabelId, SS_LEFT, 7, 9, 50, 8);
    dialogTemplate.AddItem(kComboBoxAtom, L"", kCompressorListId,
                           CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 60, 7, 153, 120);
    dialogTemplate.AddItem(kButtonAtom, L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 41, 50, 14);
    dialogTemplate.AddItem(kButtonAtom, L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 163, 41, 50, 14);
    ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate.Get(), hParent,
                              &CCompressorChoiceDlg::DialogProc, reinterpret_cast<LPARAM>(this));
    return m_chosen;
}

INT_PTR CALLBACK CCompressorChoiceDlg::DialogProc(HWND hDialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hDialog, DWLP_USER, lParam);
        auto* pThis = reinterpret_cast<CCompressorChoiceDlg*>(lParam);
        pThis->OnInitDialog(hDialog, pThis->m_pszTitle);
        return TRUE;
    }
    auto* pThis = reinterpret_cast<CCompressorChoiceDlg*>(::GetWindowLongPtrW(hDialog, DWLP_USER));
    if (pThis == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        pThis->OnOK(hDialog);
        ::EndDialog(hDialog, IDOK);
        return TRUE;
    case IDCANCEL:
        ::EndDialog(hDialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CCompressorChoiceDlg::OnInitDialog(HWND hDialog, const char* pszTitle)
{
    ::SetWindowTextA(hDialog, pszTitle);
    const HWND hList = ::GetDlgItem(hDialog, kCompressorListId);
    std::size_t selection = 0;
    for (std::size_t index = 0; index < m_choices.size(); ++index) {
        ::SendMessageW(hList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_choices[index].description.c_str()));
        if (m_presetHandler != 0 && SameFourccIgnoringCase(m_choices[index].fccHandler, m_presetHandler)) {
            selection = index;
        }
    }
    ::SendMessageW(hList, CB_SETCURSEL, selection, 0);
}

void CCompressorChoiceDlg::OnOK(HWND hDialog)
{
    const LRESULT selection = ::SendDlgItemMessageW(hDialog, kCompressorListId, CB_GETCURSEL, 0, 0);
    if (selection >= 0 && static_cast<std::size_t>(selection) < m_choices.size()) {
        m_chosen = m_choices[static_cast<std::size_t>(selection)].fccHandler;
    }
}
