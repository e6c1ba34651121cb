#include "aviwin/MotionJpegCodec.h"

#include "imaging/JpegEncoder.h"

#include <cwchar>
#include <memory>
#include <mutex>
#include <optional>

namespace {

constexpr wchar_t kCodecName[] = L"MJPG";
constexpr wchar_t kCodecDescription[] = L"Tavrelin Motion-JPEG";
constexpr DWORD kCodecVersion = 0x00010000;

// One open instance of the codec; the compression manager holds its address
// as the driver id between DRV_OPEN and DRV_CLOSE.
class CMotionJpegInstance {
public:
    LRESULT Query(const BITMAPINFOHEADER* pInput, const BITMAPINFOHEADER* pOutput) const;
    LRESULT GetFormat(const BITMAPINFOHEADER* pInput, BITMAPINFOHEADER* pOutput) const;
    LRESULT GetSize(const BITMAPINFOHEADER* pInput) const;
    LRESULT Compress(ICCOMPRESS& request, std::size_t requestSize);
    LRESULT GetQuality(DWORD* pQuality) const;
    LRESULT SetQuality(DWORD quality);

private:
    CJpegEncoder& EncoderFor(DWORD dwQuality);

    DWORD m_dwQuality = kMotionJpegDefaultQuality;
    std::optional<CJpegEncoder> m_encoder;
};

// The frames the encoder takes: 24-bit rows, bottom-up, of a size JPEG allows.
bool IsEncodableInput(const BITMAPINFOHEADER* pInput)
{
    return pInput != nullptr && pInput->biSize >= sizeof(BITMAPINFOHEADER) && pInput->biCompression == BI_RGB &&
           pInput->biBitCount == 24 && pInput->biPlanes == 1 && pInput->biWidth >= 1 &&
           pInput->biWidth <= CJpegEncoder::kMaxDimension && pInput->biHeight >= 1 &&
           pInput->biHeight <= CJpegEncoder::kMaxDimension;
}

DWORD EncodedCapacity(const BITMAPINFOHEADER& input)
{
    return static_cast<DWORD>(CJpegEncoder::MaxEncodedSize(input.biWidth, input.biHeight));
}

LRESULT CMotionJpegInstance::Query(const BITMAPINFOHEADER* pInput, const BITMAPINFOHEADER* pOutput) const
{
    if (!IsEncodableInput(pInput))
        return ICERR_BADFORMAT;
    if (pOutput != nullptr && (pOutput->biCompression != kFourccMotionJpeg || pOutput->biWidth != pInput->biWidth ||
                               pOutput->biHeight != pInput->biHeight)) {
        return ICERR_BADFORMAT;
    }
    return ICERR_OK;
}

LRESULT CMotionJpegInstance::GetFormat(const BITMAPINFOHEADER* pInput, BITMAPINFOHEADER* pOutput) const
{
    if (!IsEncodableInput(pInput))
        return ICERR_BADFORMAT;
    if (pOutput == nullptr)
        return sizeof(BITMAPINFOHEADER);
    *pOutput = BITMAPINFOHEADER{};
    pOutput->biSize = sizeof(BITMAPINFOHEADER);
    pOutput->biWidth = pInput->biWidth;
    pOutput->biHeight = pInput->biHeight;
    pOutput->biPlanes = 1;
    pOutput->biBitCount = 24;
    pOutput->biCompression = kFourccMotionJpeg;
    pOutput->biSizeImage = EncodedCapacity(*pInput);
    return ICERR_OK;
}

LRESULT CMotionJpegInstance::GetSize(const BITMAPINFOHEADER* pInput) const
{
    return IsEncodableInput(pInput) ? static_cast<LRESULT>(EncodedCapacity(*pInput)) : 0;
}

CJpegEncoder& CMotionJpegInstance::EncoderFor(DWORD dwQuality)
{
    const DWORD effective = dwQuality == static_cast<DWORD>(ICQUALITY_DEFAULT) ? m_dwQuality : dwQuality;
    const std::uint16_t quality = JpegQualityFor(effective);
    if (!m_encoder || m_encoder->Quality() != quality)
        m_encoder.emplace(quality);
    return *m_encoder;
}

LRESULT CMotionJpegInstance::Compress(ICCOMPRESS& request, std::size_t requestSize)
{
    if (requestSize < sizeof(ICCOMPRESS) || request.lpInput == nullptr || request.lpOutput == nullptr ||
        request.lpbiOutput == nullptr || Query(request.lpbiInput, nullptr) != ICERR_OK) {
        return ICERR_BADPARAM;
    }
    const BITMAPINFOHEADER& input = *request.lpbiInput;
    // The caller sized the output buffer from ICM_COMPRESS_GET_SIZE or the
    // format's image size; after each frame the latter holds only that
    // frame's length, so the capacity is worked out again from the size.
    const std::size_t capacity = EncodedCapacity(input);
    std::size_t length = 0;
    CJpegEncoder& encoder = EncoderFor(request.dwQuality);
    if (!encoder.Encode(static_cast<const std::uint8_t*>(request.lpInput), static_cast<std::uint8_t*>(request.lpOutput),
                        capacity, input.biWidth, input.biHeight, length)) {
        return ICERR_BADSIZE;
    }
    request.lpbiOutput->biSizeImage = static_cast<DWORD>(length);
    if (request.lpckid != nullptr)
        *request.lpckid = 0;
    if (request.lpdwFlags != nullptr)
        *request.lpdwFlags = AVIIF_KEYFRAME;
    // The sequence functions read the key-frame flag back from here.
    request.dwFlags |= AVIIF_KEYFRAME;
    return ICERR_OK;
}

LRESULT CMotionJpegInstance::GetQuality(DWORD* pQuality) const
{
    if (pQuality == nullptr)
        return ICERR_BADPARAM;
    *pQuality = m_dwQuality;
    return ICERR_OK;
}

LRESULT CMotionJpegInstance::SetQuality(DWORD quality)
{
    m_dwQuality = quality == static_cast<DWORD>(ICQUALITY_DEFAULT) ? kMotionJpegDefaultQuality : quality;
    return ICERR_OK;
}

LRESULT FillInfo(ICINFO* pInfo, LPARAM size)
{
    if (pInfo == nullptr || size < static_cast<LPARAM>(sizeof(ICINFO)))
        return 0;
    pInfo->dwSize = sizeof(ICINFO);
    pInfo->fccType = ICTYPE_VIDEO;
    pInfo->fccHandler = kFourccMotionJpeg;
    pInfo->dwFlags = VIDCF_QUALITY;
    pInfo->dwVersion = kCodecVersion;
    pInfo->dwVersionICM = ICVERSION;
    std::wcsncpy(pInfo->szName, kCodecName, std::size(pInfo->szName) - 1);
    pInfo->szName[std::size(pInfo->szName) - 1] = L'\0';
    std::wcsncpy(pInfo->szDescription, kCodecDescription, std::size(pInfo->szDescription) - 1);
    pInfo->szDescription[std::size(pInfo->szDescription) - 1] = L'\0';
    return sizeof(ICINFO);
}

LRESULT OpenInstance(const ICOPEN* pOpen)
{
    // Opened by the driver framework without parameters, or for video compression only.
    if (pOpen != nullptr && pOpen->fccType != 0 && pOpen->fccType != ICTYPE_VIDEO)
        return 0;
    if (pOpen != nullptr && pOpen->dwFlags != ICMODE_COMPRESS && pOpen->dwFlags != ICMODE_FASTCOMPRESS &&
        pOpen->dwFlags != ICMODE_QUERY) {
        return 0;
    }
    // Ownership passes to the compression manager until DRV_CLOSE.
    return reinterpret_cast<LRESULT>(std::make_unique<CMotionJpegInstance>().release());
}

LRESULT InstanceMessage(CMotionJpegInstance& instance, UINT uMsg, LPARAM lParam1, LPARAM lParam2)
{
    auto* pInput = reinterpret_cast<const BITMAPINFOHEADER*>(lParam1);
    switch (uMsg) {
    case ICM_COMPRESS_QUERY:
        return instance.Query(pInput, reinterpret_cast<const BITMAPINFOHEADER*>(lParam2));
    case ICM_COMPRESS_GET_FORMAT:
        return instance.GetFormat(pInput, reinterpret_cast<BITMAPINFOHEADER*>(lParam2));
    case ICM_COMPRESS_GET_SIZE:
        return instance.GetSize(pInput);
    case ICM_COMPRESS_BEGIN:
        return instance.Query(pInput, reinterpret_cast<const BITMAPINFOHEADER*>(lParam2));
    case ICM_COMPRESS:
        if (lParam1 == 0)
            return ICERR_BADPARAM;
        return instance.Compress(*reinterpret_cast<ICCOMPRESS*>(lParam1), static_cast<std::size_t>(lParam2));
    case ICM_COMPRESS_END:
    case ICM_COMPRESS_FRAMES_INFO:
        return ICERR_OK;
    case ICM_GETQUALITY:
        return instance.GetQuality(reinterpret_cast<DWORD*>(lParam1));
    case ICM_SETQUALITY:
        return instance.SetQuality(static_cast<DWORD>(lParam1));
    default:
        return ICERR_UNSUPPORTED;
    }
}

} // namespace

std::uint16_t JpegQualityFor(DWORD dwQuality)
{
    if (dwQuality == static_cast<DWORD>(ICQUALITY_DEFAULT) || dwQuality > ICQUALITY_HIGH)
        dwQuality = kMotionJpegDefaultQuality;
    const DWORD quality = (dwQuality + 50) / 100;
    return static_cast<std::uint16_t>(quality < 1 ? 1 : quality);
}

LRESULT CALLBACK MotionJpegDriverProc(DWORD_PTR dwDriverId, HDRVR hDriver, UINT uMsg, LPARAM lParam1, LPARAM lParam2)
{
    switch (uMsg) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
        return DRV_OK;
    case DRV_OPEN:
        return OpenInstance(reinterpret_cast<const ICOPEN*>(lParam2));
    case DRV_CLOSE:
        std::unique_ptr<CMotionJpegInstance>(reinterpret_cast<CMotionJpegInstance*>(dwDriverId));
        return DRV_OK;
    case DRV_QUERYCONFIGURE:
        return 0;
    case ICM_GETINFO:
        // Asked before any open as well, with driver id 0.
        return FillInfo(reinterpret_cast<ICINFO*>(lParam1), lParam2);
    case ICM_GETDEFAULTQUALITY:
        if (lParam1 == 0)
            return ICERR_BADPARAM;
        *reinterpret_cast<DWORD*>(lParam1) = kMotionJpegDefaultQuality;
        return ICERR_OK;
    case ICM_GETSTATE:
    case ICM_SETSTATE:
        return 0; // the codec has no settings beyond its quality
    case ICM_ABOUT:
    case ICM_CONFIGURE:
        return ICERR_UNSUPPORTED;
    default:
        break;
    }
    if (uMsg < DRV_USER)
        return ::DefDriverProc(dwDriverId, hDriver, uMsg, lParam1, lParam2);
    if (dwDriverId == 0)
        return ICERR_BADHANDLE;
    return InstanceMessage(*reinterpret_cast<CMotionJpegInstance*>(dwDriverId), uMsg, lParam1, lParam2);
}

bool InstallMotionJpegCompressor()
{
    static std::once_flag installOnce;
    static bool bInstalled = false;
    std::call_once(installOnce, [] {
        // ICInstall keeps the description pointer's text only for display.
        static char description[] = "Tavrelin Motion-JPEG";
        bInstalled = ::ICInstall(ICTYPE_VIDEO, kFourccMotionJpeg, reinterpret_cast<LPARAM>(&MotionJpegDriverProc),
                                 description, ICINSTALL_FUNCTION) != FALSE;
    });
    return bInstalled;
}
