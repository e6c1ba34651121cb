#include "aviwin/CompressorChoiceDlg.h"

#include <vfw.h>

#include "aviwin/MotionJpegCodec.h"
#include "aviwin/VcmCompressor.h"
#include "avi/VideoCompressor.h"
#include "riff/Fourcc.h"
#include "win/DialogTemplate.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kLabelId = 881;
constexpr wchar_t kFullFrames[] = L"Full Frames (Uncompressed)";

// The codec's description when it accepts the frames.
std::optional<std::wstring> AcceptingCodec(DWORD fccHandler, const BITMAPINFO& input)
{
    const tavrelin::UniqueCodec codec(::ICOpen(ICTYPE_VIDEO, fccHandler, ICMODE_COMPRESS));
    if (!codec)
        return std::nullopt;
    BITMAPINFO format = input;
    ICINFO info{};
    info.dwSize = sizeof(info);
    if (ICCompressQuery(codec.get(), &format, nullptr) != ICERR_OK ||
        ::ICGetInfo(codec.get(), &info, sizeof(info)) == 0) {
        return std::nullopt;
    }
    return info.szDescription[0] != L'\0' ? info.szDescription : info.szName;
}

} // namespace

bool IsListedCodec(DWORD fccHandler)
{
    ICINFO info{};
    info.dwSize = sizeof(info);
    for (DWORD index = 0; ::ICInfo(ICTYPE_VIDEO, index, &info); ++index) {
        if (SameFourccIgnoringCase(info.fccHandler, fccHandler))
            return true;
    }
    return false;
}

std::vector<CompressorChoice> OfferedCompressors(const BITMAPINFO& input)
{
    std::vector<CompressorChoice> choices{{kFourccDib, kFullFrames}};
    std::vector<DWORD> handlers;
    ICINFO info{};
    info.dwSize = sizeof(info);
    for (DWORD index = 0; ::ICInfo(ICTYPE_VIDEO, index, &info); ++index)
        handlers.push_back(info.fccHandler);
    // Ours opens by code even where the list leaves codecs of one process out.
    const bool bOursListed = std::any_of(handlers.begin(), handlers.end(), [](DWORD handler) {
        return SameFourccIgnoringCase(handler, kFourccMotionJpeg);
    });
    if (!bOursListed)
        handlers.push_back(kFourccMotionJpeg);
    for (const DWORD handler : handlers) {
        if (std::optional<std::wstring> description = AcceptingCodec(handler, input))
            choices.push_back({handler, std::move(*description)});
    }
    return choices;
}

CCompressorChoiceDlg::CCompressorChoiceDlg(std::vector<CompressorChoice> choices, DWORD presetHandler)
    : m_choices(std::move(choices)), m_presetHandler(presetHandler)
{}

std::optional<DWORD> CCompressorChoiceDlg::Choose(HWND hParent, const char* pszTitle)
{
    using Template = win::CDialogTemplate;
    m_chosen.reset();
    Template dialogTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 220, 62, win::WidenAnsi(pszTitle));
    dialogTemplate.AddControl(Template::kStatic, L"&Compressor:", kLabelId, SS_LEFT, 7, 9, 50, 8);
    dialogTemplate.AddControl(Template::kComboBox, L"", kCompressorListId, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                              60, 7, 153, 120);
    dialogTemplate.AddControl(Template::kButton, L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 41, 50, 14);
    dialogTemplate.AddControl(Template::kButton, L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 163, 41, 50, 14);
    DoModalIndirect(dialogTemplate.Get(), hParent);
    return m_chosen;
}

BOOL CCompressorChoiceDlg::OnInitDialog()
{
    const HWND hList = GetDlgItem(kCompressorListId);
    std::size_t selection = 0;
    for (std::size_t index = 0; index < m_choices.size(); ++index) {
        ::SendMessageW(hList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_choices[index].description.c_str()));
        if (m_presetHandler != 0 && SameFourccIgnoringCase(m_choices[index].fccHandler, m_presetHandler))
            selection = index;
    }
    ::SendMessageW(hList, CB_SETCURSEL, selection, 0);
    return TRUE;
}

// OK ends the dialog even without a selection, which then chooses nothing.
void CCompressorChoiceDlg::OnOK()
{
    const LRESULT selection = ::SendDlgItemMessageW(m_hWnd, kCompressorListId, CB_GETCURSEL, 0, 0);
    if (selection >= 0 && static_cast<std::size_t>(selection) < m_choices.size())
        m_chosen = m_choices[static_cast<std::size_t>(selection)].fccHandler;
    EndDialog(IDOK);
}
