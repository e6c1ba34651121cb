#pragma once
// Our own compressor dialog, for systems whose compressor dialog does not
// list codecs installed for one process: the same caption, the same list
// (combo box 880) and the same choices.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

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

class CCompressorChoiceDlg {
public:
    CCompressorChoiceDlg(std::vector<CompressorChoice> choices, DWORD presetHandler);

    // Shows the dialog modally; the chosen handler, or none on Cancel.
    std::optional<DWORD> DoModal(HWND hParent, const char* pszTitle);

private:
    static INT_PTR CALLBACK DialogProc(HWND hDialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND hDialog, const char* pszTitle);
    void OnOK(HWND hDialog);

    std::vector<CompressorChoice> m_choices;
    DWORD m_presetHandler;
    std::optional<DWORD> m_chosen;
    const char* m_pszTitle = nullptr;
};
