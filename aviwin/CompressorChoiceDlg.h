#pragma once
// Our own compressor dialog, for systems whose compressor dialog does not
// list codecs installed for one process: the same caption, the same list
// (combo box 880) and the same choices.

#include "win/Dialog.h"

#include <optional>
#include <string>
#include <vector>

// The compressor list's control id, in the platform's dialog as in ours.
inline constexpr int kCompressorListId = 880;

struct CompressorChoice {
    DWORD fccHandler = 0;
    std::wstring description;
};

// "Full Frames (Uncompressed)" first, then every codec the compression
// manager lists or opens by code (ours included) that accepts the frames.
std::vector<CompressorChoice> OfferedCompressors(const BITMAPINFO& input);

// True when the compression manager's list of codecs names the handler, so
// that the platform's dialog shows it.
bool IsListedCodec(DWORD fccHandler);

class CCompressorChoiceDlg final : public win::CDialog {
public:
    CCompressorChoiceDlg(std::vector<CompressorChoice> choices, DWORD presetHandler);

    // Shows the dialog modally over hParent (none: no owner); the chosen
    // handler, or none on Cancel.
    std::optional<DWORD> Choose(HWND hParent, const char* pszTitle);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<CompressorChoice> m_choices;
    DWORD m_presetHandler;
    std::optional<DWORD> m_chosen;
};
