#include "AviWinTestSupport.h"

#include "aviwin/CompressorDialog.h"
#include "grab/DibSectionDC.h"
#include "aviwin/VcmCompressor.h"

#include <vfw.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr int kCompressorListId = 880;
constexpr int kWaitSteps = 1500;
constexpr DWORD kWaitStepMs = 20;

std::wstring ComboText(HWND hList, LRESULT index)
{
    const LRESULT length = ::SendMessageW(hList, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(hList, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

HWND WaitForVisibleDialog()
{
    for (int step = 0; step < kWaitSteps; ++step) {
        const HWND hDialog = ::FindWindowA("#32770", kCompressorDialogTitle);
        if (hDialog != nullptr && ::IsWindowVisible(hDialog))
            return hDialog;
        ::Sleep(kWaitStepMs);
    }
    return nullptr;
}

} // namespace

BITMAPINFO FrameFormat(int width, int height)
{
    BitmapInfoHeader header;
    header.biWidth = width;
    header.biHeight = height;
    return ToBitmapInfo(header);
}

std::uint8_t FramePixel(int x, int row, int channel, int frameNumber)
{
    // Gentle gradients and one soft-edged square: what a camera shows, and
    // what a misplaced row or swapped channel visibly changes.
    const int square = (x / 16 + frameNumber) % 8 == 0 && row / 16 % 2 == 0 ? 60 : 0;
    switch (channel) {
    case 0:
        return static_cast<std::uint8_t>(40 + x / 2 + frameNumber * 4);
    case 1:
        return static_cast<std::uint8_t>(30 + row + square);
    default:
        return static_cast<std::uint8_t>(200 - (x + row) / 3 + frameNumber);
    }
}

CFrameBitmap::CFrameBitmap(int width, int height, int frameNumber) : m_nWidth(width), m_nHeight(height)
{
    if (auto surface = CDibSectionDC::Create(nullptr, width, height))
        m_bitmap = surface->ReleaseBitmap();
    DIBSECTION section{};
    if (!m_bitmap || ::GetObjectW(m_bitmap.get(), sizeof(section), &section) != sizeof(section))
        return;
    m_pBits = static_cast<std::uint8_t*>(section.dsBm.bmBits);
    const int stride = (width * 3 + 3) / 4 * 4;
    for (int row = 0; row < height; ++row) {
        std::uint8_t* pLine = m_pBits + static_cast<std::size_t>(height - 1 - row) * stride;
        for (int x = 0; x < width; ++x) {
            for (int channel = 0; channel < 3; ++channel)
                pLine[x * 3 + channel] = FramePixel(x, row, channel, frameNumber);
        }
    }
}

std::vector<std::uint8_t> CFrameBitmap::TopDownPixels() const
{
    std::vector<std::uint8_t> pixels;
    const int stride = (m_nWidth * 3 + 3) / 4 * 4;
    for (int row = 0; row < m_nHeight && m_pBits != nullptr; ++row) {
        const std::uint8_t* pLine = m_pBits + static_cast<std::size_t>(m_nHeight - 1 - row) * stride;
        pixels.insert(pixels.end(), pLine, pLine + m_nWidth * 3);
    }
    return pixels;
}

CCompressorDialogDriver::CCompressorDialogDriver(std::wstring entry, int button)
    : m_entry(std::move(entry)), m_nButton(button), m_thread([this] { Run(); })
{}

CCompressorDialogDriver::~CCompressorDialogDriver()
{
    if (m_thread.joinable())
        m_thread.join();
}

const DialogObservation& CCompressorDialogDriver::Observation()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_observation;
}

void CCompressorDialogDriver::Run()
{
    const HWND hDialog = WaitForVisibleDialog();
    if (hDialog == nullptr)
        return;
    m_observation.bFound = true;
    wchar_t caption[128] = {};
    ::GetWindowTextW(hDialog, caption, static_cast<int>(std::size(caption)));
    m_observation.caption = caption;
    m_observation.hOwner = ::GetWindow(hDialog, GW_OWNER);
    const HWND hList = ::GetDlgItem(hDialog, kCompressorListId);
    const LRESULT count = ::SendMessageW(hList, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index)
        m_observation.entries.push_back(ComboText(hList, index));
    m_observation.initialSelection = ComboText(hList, ::SendMessageW(hList, CB_GETCURSEL, 0, 0));
    if (!m_entry.empty()) {
        const LRESULT index = ::SendMessageW(hList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(m_entry.c_str()));
        ::SendMessageW(hList, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(kCompressorListId, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(hList));
    }
    ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(m_nButton, BN_CLICKED), 0);
}

std::vector<std::wstring> CodecsRefusingFrames(int width, int height)
{
    BITMAPINFO format = FrameFormat(width, height);
    std::vector<std::wstring> refusing;
    ICINFO info{};
    info.dwSize = sizeof(info);
    for (DWORD index = 0; ::ICInfo(ICTYPE_VIDEO, index, &info); ++index) {
        const HIC hCodec = ::ICOpen(ICTYPE_VIDEO, info.fccHandler, ICMODE_COMPRESS);
        if (hCodec == nullptr)
            continue;
        ICINFO details{};
        details.dwSize = sizeof(details);
        if (::ICGetInfo(hCodec, &details, sizeof(details)) != 0 &&
            ICCompressQuery(hCodec, &format, nullptr) != ICERR_OK)
            refusing.push_back(details.szDescription);
        ::ICClose(hCodec);
    }
    return refusing;
}

std::string OutputFolder()
{
    static const std::string folder = [] {
        const char* pszConfigured = std::getenv("AVIWIN_OUTPUT_DIR");
        const std::filesystem::path path = pszConfigured != nullptr && *pszConfigured != '\0'
                                               ? std::filesystem::path(pszConfigured)
                                               : std::filesystem::temp_directory_path() / "aviwin-files";
        std::error_code error;
        std::filesystem::remove_all(path, error);
        std::filesystem::create_directories(path, error);
        return path.string() + "/";
    }();
    return folder;
}
