#pragma once
// Our own viewer in the play box: a picture scaled to fit by GDI+, held as a
// bitmap so that no file stays open, or one of our AVI files played at its
// own frame period with its sound.
#include "win/UniqueHandle.h"
#include "win/Wnd.h"

#include <memory>
#include <string>

class CVideoPlayback;

class CMediaViewer : public win::CWnd {
public:
    CMediaViewer();
    ~CMediaViewer() override;

    // Binds to the placeholder control that marks the play box.
    bool Attach(win::CWnd* page, int placeholderId);
    // False when the file is neither a readable picture nor a playable video;
    // the box is then left black.
    bool Show(const std::string& path);
    // Stops a video and lets go of its file; the box goes black.
    void Clear();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool ShowPicture(const std::string& path);
    bool ShowVideo(const std::string& path);
    void OnPaint();
    // The video's newest frame, put on show on the window's thread.
    void PresentVideoFrame();
    SIZE BoxSize() const;

    // What the box shows: a bitmap of the box's size.
    win::UniqueBitmap m_picture;
    std::unique_ptr<CVideoPlayback> m_video;
};
