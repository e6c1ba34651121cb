#include "album/MediaViewer.h"

#include "album/AlbumNames.h"
#include "album/BoxFit.h"
#include "album/VideoPlayback.h"
#include "gdiplus/GdiplusImage.h"

CMediaViewer::CMediaViewer() = default;
CMediaViewer::~CMediaViewer() { m_video.reset(); }

bool CMediaViewer::Attach(win::CWnd* page, int placeholderId) { return SubclassDlgItem(placeholderId, page); }

SIZE CMediaViewer::BoxSize() const
{
    const RECT client = GetClientRect();
    return SIZE{client.right - client.left, client.bottom - client.top};
}

bool CMediaViewer::Show(const std::string& path)
{
    Clear();
    const bool shown = AlbumFileKind(path) == EAlbumFileKind::Video ? ShowVideo(path) : ShowPicture(path);
    Invalidate(false);
    return shown;
}

void CMediaViewer::Clear()
{
    m_video.reset();
    m_picture.reset();
    if (m_hWnd)
        Invalidate(false);
}

bool CMediaViewer::ShowPicture(const std::string& path)
{
    // The picture is drawn once into a bitmap of the box's size and the
    // image let go at once: nothing holds the file while it is on show.
    const gdiplus::CImage image = gdiplus::CImage::Load(path);
    const std::optional<SIZE> size = image.Size();
    const SIZE box = BoxSize();
    if (!size || box.cx <= 0 || box.cy <= 0)
        return false;
    const win::WindowDC screen(m_hWnd);
    win::UniqueBitmap canvas(::CreateCompatibleBitmap(screen.get(), box.cx, box.cy));
    const win::UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
    if (!canvas || !dc)
        return false;
    {
        const win::SelectedObject selected(dc.get(), canvas.get());
        const RECT all{0, 0, box.cx, box.cy};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        if (!image.Draw(dc.get(), FitInto(box, *size)))
            return false;
    }
    m_picture = std::move(canvas);
    return true;
}

bool CMediaViewer::ShowVideo(const std::string& path)
{
    m_video = CVideoPlayback::Open(path, m_hWnd, BoxSize());
    return static_cast<bool>(m_video);
}

LRESULT CMediaViewer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        if (message == CVideoPlayback::kFrameDueMessage) {
            PresentVideoFrame();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CMediaViewer::PresentVideoFrame()
{
    if (!m_video)
        return;
    if (win::UniqueBitmap frame = m_video->TakeFrame()) {
        m_picture = std::move(frame);
        Invalidate(false);
    }
}

void CMediaViewer::OnPaint()
{
    const win::PaintDC paint(m_hWnd);
    const SIZE box = BoxSize();
    const RECT all{0, 0, box.cx, box.cy};
    if (!m_picture) {
        ::FillRect(paint.get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    const win::UniqueMemoryDC dc(::CreateCompatibleDC(paint.get()));
    const win::SelectedObject selected(dc.get(), m_picture.get());
    ::BitBlt(paint.get(), 0, 0, box.cx, box.cy, dc.get(), 0, 0, SRCCOPY);
}
