#pragma once
// The album page: every picture and video in the album folder with a small
// picture, shown or played with one click, renamed, deleted, the folder
// opened from the item menu.
#include "album/AlbumPlayer.h"
#include "album/ThumbnailQueue.h"
#include "core/AppMessages.h"
#include "win/Controls.h"
#include "win/TabPage.h"

#include <string>

class CAlbumPage : public CTabPage {
public:
    CAlbumPage() = default;
    ~CAlbumPage() override;

    // Lists the album folder: every picture, then every video, each in the
    // order the file system gives. Called once at start-up, after recordings
    // cut short have been repaired.
    void ListAlbumFolder();
    // A file the program has just made in the album folder; a name already
    // listed or a file that does not exist adds nothing.
    void AddNewestPicture(const std::string& path);
    void AddNewestVideo(const std::string& path);

    // Stops making thumbnails and closes what the play box shows; GDI+ may
    // then be shut down.
    void StopImageWork();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT* result) override;

private:
    void AddPictureItem(const std::string& name, int index);
    void AddVideoItem(const std::string& name, int index);
    void AddNewestFile(const std::string& path, bool picture);
    // Lists the files without their pictures; returns how many.
    int ListFiles(const char* pattern, bool pictures);
    void MakeSlotPictures();
    void PutMadeThumbnails();

    void OnClick();
    void OnRightClick();
    void OnOpenFolder();
    void OnDelete();
    void OnRename();

    CAlbumPlayer m_player;
    win::CListCtrl m_list;
    win::CImageList m_imageList;
    // The image index of the last picture added; the image list only grows.
    int m_nImageCounter = -1;
    std::string m_strSelectedPath;
    // What every picture's slot shows until its picture is made, and every
    // video's; the image list copies them.
    win::UniqueBitmap m_blank;
    win::UniqueBitmap m_videoPicture;
    CThumbnailQueue m_thumbnails;
};
