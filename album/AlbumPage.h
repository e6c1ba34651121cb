#pragma once
// The album page: every picture and video in the album folder with a small
// picture, shown or played with one click, renamed, deleted, the folder
// opened from the item menu.
#include "album/AlbumPlayer.h"
#include "album/ThumbnailQueue.h"
#include "album/ThumbnailSlots.h"
#include "core/AppMessages.h"
#include "win/Controls.h"
#include "win/TabPage.h"

#include <string>
#include <unordered_set>
#include <vector>

// Thumbnails the image list holds at once.
inline constexpr int kThumbnailPlacesInList = 1000;

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
    // Lists the files without their pictures.
    void ListFiles(const char* pattern, bool pictures);
    void ShowAsRows();
    // Widens the list's column to the widest of the names, if need be.
    void FitNames(std::vector<std::string> names);
    void MakeSlotPictures();
    void StartThumbnails();
    void PutMadeThumbnails();
    // The listed item of that name, compared as the file system compares names; -1 when none is.
    int FindItem(const std::string& name) const;
    std::string ItemName(int item) const;
    // Tells the list how many items there are, after the items changed.
    void UpdateItemCount();
    struct SItem {
        std::string name;
        int imageIndex;
        bool picture; // a picture, or else a video
    };
    // Lists a file that came after the album was read.
    void ListNewItem(const SItem& item);
    // The image the list shows for the item: its thumbnail if it has one in
    // the image list, else the blank one while it is made (or for good, when
    // its file can't be read), or the video picture.
    int ImageOf(int item);
    // Asks for the picture a little ahead of the item drawn, in the
    // direction the list was last scrolled.
    void MakeAhead(int item);
    // What the list asks of an item it shows (LVN_GETDISPINFO, ANSI or wide).
    template <class DispInfo>
    void OnGetItem(DispInfo& info);
    // The item whose name is or begins with the text typed (LVN_ODFINDITEM); -1 when none is.
    int OnFindItem(int start, const std::string& text, UINT flags) const;

    void OnClick();
    void OnRightClick();
    void OnOpenFolder();
    void OnDelete();
    void OnRename();

    CAlbumPlayer m_player;
    // The list holds no items of its own (it is an owner-data list): inserting
    // items one by one takes seconds for a large album; telling their count
    // takes nothing.
    std::vector<SItem> m_items;
    win::CListCtrl m_list;
    win::CImageList m_imageList;
    // The image index of the last picture added; the image list only grows.
    int m_nImageCounter = -1;
    std::string m_strSelectedPath;
    // Which pictures (by image index) have a place in the image list.
    CThumbnailSlots m_places{kThumbnailPlacesInList};
    // Pictures whose file could not be read: they keep the blank picture.
    std::unordered_set<int> m_unreadable;
    int m_nColumnWidth = 0;
    int m_nLastShown = 0;
    int m_nShowingDirection = 1;
    // What every picture's item shows until its picture is made, and every
    // video's; the image list copies them.
    win::UniqueBitmap m_blank;
    win::UniqueBitmap m_videoPicture;
    CThumbnailQueue m_thumbnails;
};
