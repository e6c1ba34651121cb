#include "album/AlbumPage.h"

#include "album/AlbumNames.h"
#include "album/AlbumThumbnail.h"
#include "core/FileSystem.h"
#include "core/Globals.h"
#include "core/PostedPath.h"
#include "rename/RenameDlg.h"
#include "res/resource.h"
#include "win/App.h"

#include <shellapi.h>

namespace {

// To the page itself: the thumbnail thread has made pictures.
constexpr UINT WM_ALBUM_THUMBNAILS_MADE = WM_APP + 0x141;

} // namespace

CAlbumPage::~CAlbumPage() { m_thumbnails.Stop(); }

BOOL CAlbumPage::OnInitDialog()
{
    CTabPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_ALBUM_LIST, this);
    // No mask: a masked add turns the thumbnails' white pixels black.
    m_imageList.Create(kThumbnailWidth, kThumbnailHeight, ILC_COLOR32, 32, 32);
    m_list.SetImageList(m_imageList.GetSafeHandle(), LVSIL_SMALL);
    m_nImageCounter = -1;
    m_player.Create(this, IDC_PLAYER);
    return TRUE;
}

void CAlbumPage::ListAlbumFolder()
{
    // Hidden or not, a list that redraws for every item takes seconds to
    // fill, and one that arranges itself after every item as long.
    const LONG style = ::GetWindowLongA(m_list.m_hWnd, GWL_STYLE);
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    ::SetWindowLongA(m_list.m_hWnd, GWL_STYLE, style & ~LVS_AUTOARRANGE);
    MakeSlotPictures();
    const int pictures = ListFiles("*.jpg", true);
    const int videos = ListFiles("*.avi", false);
    AddThumbnailCopies(m_imageList.GetSafeHandle(), m_blank.get(), pictures);
    AddThumbnailCopies(m_imageList.GetSafeHandle(), m_videoPicture.get(), videos);
    ::SetWindowLongA(m_list.m_hWnd, GWL_STYLE, style);
    m_list.SendMessage(LVM_ARRANGE, LVA_DEFAULT);
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
    // The pictures are made once every item is listed, so that the window
    // answers first.
    m_thumbnails.Start(m_hWnd, WM_ALBUM_THUMBNAILS_MADE);
}

int CAlbumPage::ListFiles(const char* pattern, bool pictures)
{
    int listed = 0;
    for (const std::string& name : ::ListFiles(g_albumFolder + pattern)) {
        // The pattern also matches longer extensions (".jpeg" against "*.jpg"
        // in short names); only files of the album's two kinds.
        if (AlbumFileKind(name) != (pictures ? EAlbumFileKind::Picture : EAlbumFileKind::Video))
            continue;
        ++m_nImageCounter;
        ++listed;
        m_list.InsertItem(m_nImageCounter, name.c_str(), m_nImageCounter);
        if (pictures)
            m_thumbnails.Add(g_albumFolder + name, m_nImageCounter);
    }
    return listed;
}

void CAlbumPage::MakeSlotPictures()
{
    if (!m_blank)
        m_blank = MakeBlankThumbnail();
    if (!m_videoPicture)
        m_videoPicture.reset(::LoadBitmapA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_VIDEO_ITEM)));
}

void CAlbumPage::AddPictureItem(const std::string& name, int index)
{
    // The slot is taken at once, blank until its picture is made, so that a
    // picture that can't be read never shifts later items' pictures.
    MakeSlotPictures();
    ::ImageList_Add(m_imageList.GetSafeHandle(), m_blank.get(), nullptr);
    m_list.InsertItem(index, name.c_str(), index);
    m_thumbnails.Add(g_albumFolder + name, index);
}

void CAlbumPage::AddVideoItem(const std::string& name, int index)
{
    MakeSlotPictures();
    ::ImageList_Add(m_imageList.GetSafeHandle(), m_videoPicture.get(), nullptr);
    m_list.InsertItem(index, name.c_str(), index);
}

void CAlbumPage::AddNewestPicture(const std::string& path) { AddNewestFile(path, true); }

void CAlbumPage::AddNewestVideo(const std::string& path) { AddNewestFile(path, false); }

void CAlbumPage::AddNewestFile(const std::string& path, bool picture)
{
    const std::string name = FileNameOf(path);
    if (name.empty() || m_list.FindItem(name) >= 0 || !IsExistingFile(g_albumFolder + name))
        return;
    ++m_nImageCounter;
    if (picture)
        AddPictureItem(name, m_nImageCounter);
    else
        AddVideoItem(name, m_nImageCounter);
    m_thumbnails.Start(m_hWnd, WM_ALBUM_THUMBNAILS_MADE);
}

void CAlbumPage::StopImageWork()
{
    m_thumbnails.Stop();
    m_player.Close();
}

void CAlbumPage::PutMadeThumbnails()
{
    for (CThumbnailQueue::Made& made : m_thumbnails.TakeMade())
        if (made.bitmap)
            ::ImageList_Replace(m_imageList.GetSafeHandle(), made.imageIndex, made.bitmap.get(), nullptr);
    m_list.Invalidate(false);
}

LRESULT CAlbumPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ALBUM_NEWEST_PICTURE:
        if (const std::optional<std::string> path = TakePostedPath(lParam))
            AddNewestPicture(*path);
        return 0;
    case WM_ALBUM_THUMBNAILS_MADE:
        PutMadeThumbnails();
        return 0;
    case WM_DESTROY:
        StopImageWork();
        break;
    default:
        break;
    }
    return CTabPage::WindowProc(message, wParam, lParam);
}

bool CAlbumPage::OnNotify(NMHDR* header, LRESULT* result)
{
    if (header->idFrom != IDC_ALBUM_LIST)
        return CTabPage::OnNotify(header, result);
    *result = 0;
    switch (header->code) {
    case NM_CLICK:
        OnClick();
        return true;
    case NM_DBLCLK:
        return true;
    case NM_RCLICK:
        OnRightClick();
        return true;
    default:
        return CTabPage::OnNotify(header, result);
    }
}

bool CAlbumPage::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case ID_ALBUM_OPEN_FOLDER:
        OnOpenFolder();
        return true;
    case ID_ALBUM_DELETE:
        OnDelete();
        return true;
    case ID_ALBUM_RENAME:
        OnRename();
        return true;
    default:
        return CTabPage::OnCommand(id, code, control);
    }
}

void CAlbumPage::OnClick()
{
    const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item >= 0)
        m_player.Play(g_albumFolder + m_list.GetItemText(item, 0));
}

void CAlbumPage::OnRightClick()
{
    const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0)
        return;
    m_strSelectedPath = g_albumFolder + m_list.GetItemText(item, 0);
    const win::UniqueMenu menu(::LoadMenuA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_POPUP_MENUS)));
    if (!menu)
        return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::TrackPopupMenu(::GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
}

void CAlbumPage::OnOpenFolder()
{
    const std::string folder = g_albumFolder.substr(0, g_albumFolder.size() - 1);
    ::ShellExecuteA(m_hWnd, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CAlbumPage::OnDelete()
{
    if (m_strSelectedPath.empty())
        return;
    m_player.LetGo(m_strSelectedPath);
    {
        const std::unique_lock<std::mutex> held = m_thumbnails.HoldFiles();
        if (!::DeleteFileA(m_strSelectedPath.c_str()))
            return;
        m_thumbnails.ForgetFile(m_strSelectedPath);
    }
    const int item = m_list.FindItem(FileNameOf(m_strSelectedPath));
    m_strSelectedPath.clear();
    if (item < 0)
        return;
    m_list.DeleteItem(item);
    ::RedrawWindow(m_list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CAlbumPage::OnRename()
{
    // A name that would leave the album folder or can't name a file changes
    // nothing; no message, as nowhere on this page.
    const std::optional<SRenaming> renaming = AskRenaming(this, m_list, std::string());
    if (!renaming)
        return;
    const std::string& oldName = renaming->oldName;
    const std::string& newName = renaming->newName;
    const std::string oldPath = g_albumFolder + oldName;
    const std::string newPath = g_albumFolder + newName;
    m_player.LetGo(oldPath);
    {
        // The file first: the list shows only files that exist.
        const std::unique_lock<std::mutex> held = m_thumbnails.HoldFiles();
        if (!::MoveFileA(oldPath.c_str(), newPath.c_str()))
            return;
        m_thumbnails.RenameFile(oldPath, newPath);
    }
    m_list.SetItemText(renaming->item, 0, newName.c_str());
}
