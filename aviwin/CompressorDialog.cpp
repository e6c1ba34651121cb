#include "aviwin/CompressorDialog.h"

#include "aviwin/CompressorChoiceDlg.h"
#include "aviwin/MotionJpegCodec.h"
#include "aviwin/VcmCompressor.h"

#include <string>

namespace {

// The text the dialog lists for a codec: its description.
std::wstring CodecDescription(DWORD fccHandler)
{
    if (fccHandler == 0)
        return {};
    const tavrelin::UniqueCodec codec(::ICOpen(ICTYPE_VIDEO, fccHandler, ICMODE_QUERY));
    ICINFO info{};
    info.dwSize = sizeof(info);
    if (!codec || ::ICGetInfo(codec.get(), &info, sizeof(info)) == 0)
        return {};
    return info.szDescription;
}

// Some versions of the dialog always start on "Full Frames"; the hook moves
// the selection to the preset codec once the dialog has filled its list.
class CPreselectHook {
public:
    explicit CPreselectHook(std::wstring description) : m_description(std::move(description))
    {
        if (!m_description.empty()) {
            s_pActive = this;
            m_hHook =
                ::SetWindowsHookExW(WH_CALLWNDPROCRET, &CPreselectHook::HookProc, nullptr, ::GetCurrentThreadId());
        }
    }
    ~CPreselectHook()
    {
        if (m_hHook != nullptr)
            ::UnhookWindowsHookEx(m_hHook);
        s_pActive = nullptr;
    }
    CPreselectHook(const CPreselectHook&) = delete;
    CPreselectHook& operator=(const CPreselectHook&) = delete;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMessage = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && pMessage->message == WM_INITDIALOG && s_pActive != nullptr)
            s_pActive->Preselect(pMessage->hwnd);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void Preselect(HWND hDialog)
    {
        const HWND hList = ::GetDlgItem(hDialog, kCompressorListId);
        if (hList == nullptr)
            return;
        const LRESULT index = ::SendMessageW(hList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(m_description.c_str()));
        if (index == CB_ERR)
            return;
        ::SendMessageW(hList, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(kCompressorListId, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(hList));
    }

    static thread_local CPreselectHook* s_pActive;
    std::wstring m_description;
    HHOOK m_hHook = nullptr;
};

thread_local CPreselectHook* CPreselectHook::s_pActive = nullptr;

bool ChooseInPlatformDialog(HWND hParent, BITMAPINFO input, AviCompressOptions& options)
{
    COMPVARS compVars{};
    compVars.cbSize = sizeof(compVars);
    compVars.dwFlags = ICMF_COMPVARS_VALID;
    compVars.fccType = ICTYPE_VIDEO;
    compVars.fccHandler = options.fccHandler;
    compVars.lQ = options.dwQuality == 0 ? ICQUALITY_DEFAULT : static_cast<LONG>(options.dwQuality);
    compVars.lKey = static_cast<LONG>(options.dwKeyFrameEvery);
    // Some versions of the dialog ignore the input format argument and
    // filter by this field instead; it is ours, so it is cleared before the free.
    compVars.lpbiIn = &input;
    char title[sizeof(kCompressorDialogTitle)];
    std::copy(std::begin(kCompressorDialogTitle), std::end(kCompressorDialogTitle), title);

    BOOL bChosen = FALSE;
    {
        CPreselectHook preselect(CodecDescription(options.fccHandler));
        // With the input format the dialog lists only codecs that accept the
        // frames: a codec that failed on the first frame would lose the recording.
        bChosen = ::ICCompressorChoose(hParent, ICMF_CHOOSE_KEYFRAME, &input, nullptr, &compVars, title);
    }
    compVars.lpbiIn = nullptr;
    if (!bChosen)
        return false;
    options.fccHandler = compVars.fccHandler == 0 ? kFourccDib : compVars.fccHandler;
    options.dwQuality = compVars.lQ == ICQUALITY_DEFAULT ? 0 : static_cast<std::uint32_t>(compVars.lQ);
    options.dwKeyFrameEvery = compVars.lKey < 0 ? 0 : static_cast<std::uint32_t>(compVars.lKey);
    // The writer opens the codec again by its code; this handle is not needed.
    ::ICCompressorFree(&compVars);
    return true;
}

bool ChooseInOwnDialog(HWND hParent, const BITMAPINFO& input, AviCompressOptions& options)
{
    CCompressorChoiceDlg dialog(OfferedCompressors(input), options.fccHandler);
    const std::optional<DWORD> chosen = dialog.Choose(hParent, kCompressorDialogTitle);
    if (!chosen)
        return false;
    options.fccHandler = *chosen;
    return true;
}

} // namespace

CompressorChooser MakeCompressorDialogChooser(HWND hParent, const BitmapInfoHeader& input, ECompressorDialog which)
{
    const BITMAPINFO inputInfo = ToBitmapInfo(input);
    return [hParent, inputInfo, which](AviCompressOptions& options) {
        const bool bOwn = which == ECompressorDialog::own ||
                          (which == ECompressorDialog::automatic && !IsListedCodec(kFourccMotionJpeg));
        return bOwn ? ChooseInOwnDialog(hParent, inputInfo, options)
                    : ChooseInPlatformDialog(hParent, inputInfo, options);
    };
}

AviCompressOptions FromAviCompressOptions(const AVICOMPRESSOPTIONS& options)
{
    AviCompressOptions out;
    out.fccHandler = options.fccHandler;
    out.dwQuality = options.dwQuality;
    out.dwKeyFrameEvery = options.dwKeyFrameEvery;
    return out;
}

void ToAviCompressOptions(const AviCompressOptions& options, AVICOMPRESSOPTIONS& platformOptions)
{
    platformOptions.fccType = streamtypeVIDEO;
    platformOptions.fccHandler = options.fccHandler;
    platformOptions.dwQuality = options.dwQuality;
    platformOptions.dwKeyFrameEvery = options.dwKeyFrameEvery;
}
