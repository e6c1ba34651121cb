#include "album/VideoPlayback.h"

#include "album/BoxFit.h"
#include "avi/AviReader.h"
#include "aviwin/VcmCompressor.h"
#include "gdiplus/GdiplusImage.h"
#include "riff/Fourcc.h"
#include "riff/WaveFormatEx.h"

#include <mmsystem.h>
#include <vfw.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Sound beyond this is not played: the frames go on silently.
constexpr size_t kMaxSoundBytes = 64u << 20;

bool IsMotionJpeg(const AviVideoTrack& video)
{
    return SameFourccIgnoringCase(video.format.biCompression, kFourccMotionJpeg);
}

bool IsUncompressed(const AviVideoTrack& video)
{
    return video.format.biCompression == kBiRgb && (video.format.biBitCount == 24 || video.format.biBitCount == 32);
}

// The platform's decompressor for a codec we don't decode ourselves, to
// 24-bit frames.
class CSystemDecompressor {
public:
    explicit CSystemDecompressor(const BitmapInfoHeader& format) : m_input(ToBitmapInfo(format).bmiHeader)
    {
        m_output = m_input;
        m_output.biCompression = BI_RGB;
        m_output.biBitCount = 24;
        m_output.biSizeImage = static_cast<DWORD>(
            DibImageSize(BitmapInfoHeader{40, format.biWidth, format.biHeight, 1, 24, 0, 0, 0, 0, 0, 0}));
        m_hic = ::ICLocate(ICTYPE_VIDEO, 0, &m_input, &m_output, ICMODE_DECOMPRESS);
        if (m_hic && ::ICDecompressBegin(m_hic, &m_input, &m_output) != ICERR_OK) {
            ::ICClose(m_hic);
            m_hic = nullptr;
        }
        if (m_hic)
            m_pixels.resize(m_output.biSizeImage);
    }
    ~CSystemDecompressor()
    {
        if (m_hic) {
            ::ICDecompressEnd(m_hic);
            ::ICClose(m_hic);
        }
    }
    CSystemDecompressor(const CSystemDecompressor&) = delete;
    CSystemDecompressor& operator=(const CSystemDecompressor&) = delete;

    bool IsOpen() const { return m_hic != nullptr; }
    const BITMAPINFOHEADER& Output() const { return m_output; }
    // The decoded frame's pixels, or null.
    const BYTE* Decode(std::vector<std::uint8_t>& data)
    {
        BITMAPINFOHEADER input = m_input;
        input.biSizeImage = static_cast<DWORD>(data.size());
        if (!m_hic || ::ICDecompress(m_hic, 0, &input, data.data(), &m_output, m_pixels.data()) != ICERR_OK)
            return nullptr;
        return m_pixels.data();
    }

private:
    BITMAPINFOHEADER m_input;
    BITMAPINFOHEADER m_output{};
    HIC m_hic = nullptr;
    std::vector<BYTE> m_pixels;
};

// The PCM sound of the file, played once from start to end.
class CSoundOutput {
public:
    bool Start(const WaveFormat& format, std::vector<std::uint8_t> sound)
    {
        if (format.wFormatTag != kWaveFormatPcm || sound.empty())
            return false;
        const WAVEFORMATEX wave = ToWaveFormatEx(format);
        if (::waveOutOpen(&m_device, WAVE_MAPPER, &wave, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            m_device = nullptr;
            return false;
        }
        m_sound = std::move(sound);
        m_header.lpData = reinterpret_cast<LPSTR>(m_sound.data());
        m_header.dwBufferLength = static_cast<DWORD>(m_sound.size());
        m_bPrepared = ::waveOutPrepareHeader(m_device, &m_header, sizeof m_header) == MMSYSERR_NOERROR;
        return m_bPrepared && ::waveOutWrite(m_device, &m_header, sizeof m_header) == MMSYSERR_NOERROR;
    }
    ~CSoundOutput()
    {
        if (!m_device)
            return;
        ::waveOutReset(m_device);
        if (m_bPrepared)
            ::waveOutUnprepareHeader(m_device, &m_header, sizeof m_header);
        ::waveOutClose(m_device);
    }

private:
    HWAVEOUT m_device = nullptr;
    WAVEHDR m_header{};
    bool m_bPrepared = false;
    std::vector<std::uint8_t> m_sound;
};

class CAviPlayback final : public CVideoPlayback {
public:
    CAviPlayback(std::unique_ptr<CAviReader> reader, HWND viewer, SIZE box)
        : m_reader(std::move(reader)), m_hViewer(viewer), m_box(box)
    {
        const AviVideoTrack& video = m_reader->Video();
        if (!IsMotionJpeg(video) && !IsUncompressed(video))
            m_decompressor = std::make_unique<CSystemDecompressor>(video.format);
    }

    bool CanPlay() const
    {
        const AviVideoTrack& video = m_reader->Video();
        return !video.frames.empty() && video.format.biWidth > 0 && video.format.biHeight != 0 &&
               (!m_decompressor || m_decompressor->IsOpen());
    }

    void Start()
    {
        if (const std::optional<AviAudioTrack>& audio = m_reader->Audio())
            m_sound.Start(audio->format, ReadSound(*audio));
        m_thread = std::thread(&CAviPlayback::Run, this);
    }

    ~CAviPlayback() override
    {
        {
            const std::lock_guard<std::mutex> guard(m_lock);
            m_bStop = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }

    win::UniqueBitmap TakeFrame() override
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        return std::move(m_newest);
    }

    long FramesShown() const override
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        return m_framesShown;
    }

private:
    std::vector<std::uint8_t> ReadSound(const AviAudioTrack& audio) const
    {
        std::vector<std::uint8_t> sound;
        for (const AviChunkPlace& chunk : audio.chunks) {
            if (sound.size() + chunk.size > kMaxSoundBytes)
                break;
            const std::vector<std::uint8_t> bytes = m_reader->ReadChunk(chunk);
            sound.insert(sound.end(), bytes.begin(), bytes.end());
        }
        return sound;
    }

    void Run()
    {
        const AviVideoTrack& video = m_reader->Video();
        const auto period = std::chrono::microseconds(std::max<std::uint64_t>(video.FramePeriodMicroseconds(), 1000));
        const Clock::time_point start = Clock::now();
        const size_t count = video.frames.size();
        for (size_t index = 0; index < count; ++index) {
            // A frame whose successor is already due is skipped, so the
            // picture keeps to the clock when decoding is slow.
            if (index + 1 < count && Clock::now() >= start + period * (index + 1))
                continue;
            {
                std::unique_lock<std::mutex> guard(m_lock);
                if (m_wake.wait_until(guard, start + period * index, [this] { return m_bStop; }))
                    return;
            }
            win::UniqueBitmap frame = DrawFrame(video.frames[index]);
            if (!frame)
                continue;
            {
                const std::lock_guard<std::mutex> guard(m_lock);
                m_newest = std::move(frame);
                ++m_framesShown;
            }
            ::PostMessageA(m_hViewer, kFrameDueMessage, 0, 0);
        }
    }

    // The frame fitted into a black bitmap of the box's size.
    win::UniqueBitmap DrawFrame(const AviChunkPlace& place)
    {
        std::vector<std::uint8_t> data = m_reader->ReadChunk(place);
        if (data.empty())
            return {};
        const win::WindowDC screen(nullptr);
        win::UniqueBitmap canvas(::CreateCompatibleBitmap(screen.get(), m_box.cx, m_box.cy));
        const win::UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
        if (!canvas || !dc)
            return {};
        const win::SelectedObject selected(dc.get(), canvas.get());
        const RECT all{0, 0, m_box.cx, m_box.cy};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        const BitmapInfoHeader& format = m_reader->Video().format;
        const SIZE picture{format.biWidth, format.biHeight < 0 ? -format.biHeight : format.biHeight};
        const RECT target = FitInto(m_box, picture);
        bool drawn = false;
        if (IsMotionJpeg(m_reader->Video()))
            drawn = gdiplus::CImage::FromBytes(data.data(), data.size()).Draw(dc.get(), target);
        else if (IsUncompressed(m_reader->Video()))
            drawn = data.size() >= DibImageSize(format) &&
                    Stretch(dc.get(), target, ToBitmapInfo(format).bmiHeader, data.data());
        else if (const BYTE* pixels = m_decompressor->Decode(data))
            drawn = Stretch(dc.get(), target, m_decompressor->Output(), pixels);
        return drawn ? std::move(canvas) : win::UniqueBitmap{};
    }

    static bool Stretch(HDC dc, const RECT& target, const BITMAPINFOHEADER& header, const void* pixels)
    {
        BITMAPINFO info{};
        info.bmiHeader = header;
        info.bmiHeader.biCompression = BI_RGB;
        ::SetStretchBltMode(dc, HALFTONE);
        const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
        return ::StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0,
                               0, header.biWidth, height, pixels, &info, DIB_RGB_COLORS, SRCCOPY) != 0;
    }

    std::unique_ptr<CAviReader> m_reader;
    HWND m_hViewer;
    SIZE m_box;
    std::unique_ptr<CSystemDecompressor> m_decompressor;
    CSoundOutput m_sound;
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_bStop = false;
    win::UniqueBitmap m_newest;
    long m_framesShown = 0;
    std::thread m_thread;
};

} // namespace

std::unique_ptr<CVideoPlayback> CVideoPlayback::Open(const std::string& path, HWND viewer, SIZE box)
{
    auto reader = std::make_unique<CAviReader>();
    if (box.cx <= 0 || box.cy <= 0 || !reader->Open(path))
        return nullptr;
    auto playback = std::make_unique<CAviPlayback>(std::move(reader), viewer, box);
    if (!playback->CanPlay())
        return nullptr;
    playback->Start();
    return playback;
}
