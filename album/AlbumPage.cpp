#include "album/AlbumPage.h"

#include "album/AlbumNames.h"
#include "album/AlbumThumbnail.h"
#include "core/FileSystem.h"
#include "core/Globals.h"
#include "core/PostedPath.h"
#include "rename/RenameDlg.h"
#include "res/resource.h"
#include "win/App.h"
#include "win/Text.h"

#include <shellapi.h>

#include <algorithm>

namespace {

// To the page itself: the thumbnail thread has made pictures.
constexpr UINT WM_ALBUM_THUMBNAILS_MADE = WM_APP + 0x141;
constexpr UINT_PTR kStartThumbnailsTimer = 0x7A1;

// The image list holds the blank picture, the video picture and the
// thumbnails of the pictures shown last (about 19 MB), whatever the album's size.
constexpr int kBlankImage = 0;
constexpr int kVideoImage = 1;
constexpr int kFirstThumbnailImage = 2;
// How far ahead of the items shown, in the direction the list was scrolled,
// pictures are made before they are needed.
constexpr int kMadeAhead = 12;
constexpr char kCacheFile[] = "thumbnails.cache";

} // namespace

CAlbumPage::~CAlbumPage() { m_thumbnails.Stop(); }

BOOL CAlbumPage::OnInitDialog()
{
    CTabPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_ALBUM_LIST, this);
    ShowAsRows();
    // No mask: a masked add turns the thumbnails' white pixels black.
    m_imageList.Create(kThumbnailWidth, kThumbnailHeight, ILC_COLOR32, 32, 32);
    m_list.SetImageList(m_imageList.GetSafeHandle(), LVSIL_SMALL);
    MakeSlotPictures();
    ::ImageList_SetImageCount(m_imageList.GetSafeHandle(), kFirstThumbnailImage + kThumbnailPlacesInList);
    ::ImageList_Replace(m_imageList.GetSafeHandle(), kBlankImage, m_blank.get(), nullptr);
    ::ImageList_Replace(m_imageList.GetSafeHandle(), kVideoImage, m_videoPicture.get(), nullptr);
    m_nImageCounter = -1;
    m_player.Create(this, IDC_PLAYER);
    return TRUE;
}

// Rows of picture and name, one column wide. The list is made in the
// small-icon view, which measures the name of every item whenever it lays
// itself out (seconds for a large album, the window not answering
// meanwhile, on each new picture again); a report view of one column
// without header shows the same rows and measures only what it is told.
void CAlbumPage::ShowAsRows()
{
    const LONG style = ::GetWindowLongA(m_list.m_hWnd, GWL_STYLE);
    ::SetWindowLongA(m_list.m_hWnd, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_REPORT | LVS_NOCOLUMNHEADER);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = kThumbnailWidth;
    m_list.SendMessage(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    m_nColumnWidth = 0;
}

// As wide as the picture and the widest name: the longest names by
// characters are measured, a few, not every one.
void CAlbumPage::FitNames(std::vector<std::string> names)
{
    constexpr size_t kMeasured = 64;
    constexpr int kPadding = 16;
    const auto longer = [](const std::string& a, const std::string& b) { return a.size() > b.size(); };
    if (names.size() > kMeasured) {
        std::nth_element(names.begin(), names.begin() + kMeasured, names.end(), longer);
        names.resize(kMeasured);
    }
    int widest = m_nColumnWidth;
    for (const std::string& name : names) {
        const std::wstring wide = win::Widen(name);
        const int width =
            static_cast<int>(m_list.SendMessage(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
        widest = std::max(widest, kThumbnailWidth + kPadding + width);
    }
    if (widest == m_nColumnWidth)
        return;
    m_nColumnWidth = widest;
    m_list.SendMessage(LVM_SETCOLUMNWIDTH, 0, widest);
}

void CAlbumPage::ListAlbumFolder()
{
    ListFiles("*.jpg", true);
    ListFiles("*.avi", false);
    std::vector<std::string> names;
    names.reserve(m_items.size());
    for (const SItem& item : m_items)
        names.push_back(item.name);
    FitNames(std::move(names));
    UpdateItemCount();
    // The pictures are made once the window has shown itself with every item
    // listed: a timer comes only when nothing else waits, painting included.
    ::SetTimer(m_hWnd, kStartThumbnailsTimer, 0, nullptr);
}

void CAlbumPage::UpdateItemCount()
{
    m_list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_items.size()), LVSICF_NOSCROLL);
}

int CAlbumPage::FindItem(const std::string& name) const
{
    for (size_t item = 0; item < m_items.size(); ++item)
        if (::lstrcmpiA(m_items[item].name.c_str(), name.c_str()) == 0)
            return static_cast<int>(item);
    return -1;
}

std::string CAlbumPage::ItemName(int item) const
{
    return item >= 0 && static_cast<size_t>(item) < m_items.size() ? m_items[static_cast<size_t>(item)].name
                                                                   : std::string();
}

void CAlbumPage::ListFiles(const char* pattern, bool pictures)
{
    for (const std::string& name : ::ListFiles(g_albumFolder + pattern)) {
        // The pattern also matches longer extensions (".jpeg" against "*.jpg"
        // in short names); only files of the album's two kinds.
        if (AlbumFileKind(name) != (pictures ? EAlbumFileKind::Picture : EAlbumFileKind::Video))
            continue;
        ++m_nImageCounter;
        m_items.push_back(SItem{name, m_nImageCounter, pictures});
    }
}

void CAlbumPage::MakeSlotPictures()
{
    if (!m_blank)
        m_blank = MakeBlankThumbnail();
    if (!m_videoPicture)
        m_videoPicture.reset(::LoadBitmapA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_VIDEO_ITEM)));
}

// The item shows the blank picture until its own is made.
void CAlbumPage::AddPictureItem(const std::string& name, int index)
{
    ListNewItem(SItem{name, index, true});
    m_thumbnails.Want(g_albumFolder + name, index);
}

void CAlbumPage::AddVideoItem(const std::string& name, int index) { ListNewItem(SItem{name, index, false}); }

void CAlbumPage::ListNewItem(const SItem& item)
{
    m_items.push_back(item);
    FitNames({item.name});
    UpdateItemCount();
}

void CAlbumPage::AddNewestPicture(const std::string& path) { AddNewestFile(path, true); }

void CAlbumPage::AddNewestVideo(const std::string& path) { AddNewestFile(path, false); }

void CAlbumPage::AddNewestFile(const std::string& path, bool picture)
{
    const std::string name = FileNameOf(path);
    if (name.empty() || FindItem(name) >= 0 || !IsExistingFile(g_albumFolder + name))
        return;
    ++m_nImageCounter;
    if (picture)
        AddPictureItem(name, m_nImageCounter);
    else
        AddVideoItem(name, m_nImageCounter);
    StartThumbnails();
}

void CAlbumPage::StartThumbnails()
{
    m_thumbnails.Start(m_hWnd, WM_ALBUM_THUMBNAILS_MADE, g_programFolder + kCacheFile);
}

void CAlbumPage::StopImageWork()
{
    if (m_hWnd)
        ::KillTimer(m_hWnd, kStartThumbnailsTimer);
    m_thumbnails.Stop();
    m_player.Close();
}

void CAlbumPage::PutMadeThumbnails()
{
    for (CThumbnailQueue::Made& made : m_thumbnails.TakeMade()) {
        if (!made.bitmap) {
            m_unreadable.insert(made.imageIndex);
            continue;
        }
        const int place = m_places.Take(made.imageIndex);
        ::ImageList_Replace(m_imageList.GetSafeHandle(), kFirstThumbnailImage + place, made.bitmap.get(), nullptr);
    }
    m_list.Invalidate(false);
}

int CAlbumPage::ImageOf(int item)
{
    const SItem& shown = m_items[static_cast<size_t>(item)];
    if (!shown.picture)
        return kVideoImage;
    if (const std::optional<int> place = m_places.Find(shown.imageIndex))
        return kFirstThumbnailImage + *place;
    if (m_unreadable.count(shown.imageIndex) == 0)
        m_thumbnails.Want(g_albumFolder + shown.name, shown.imageIndex);
    return kBlankImage;
}

// The list draws its items in order, so a jump back from the item drawn
// last means the list was scrolled up: the pictures further up come next.
void CAlbumPage::MakeAhead(int item)
{
    if (item < m_nLastShown - 1 || item > m_nLastShown + 1)
        m_nShowingDirection = item < m_nLastShown ? -1 : 1;
    m_nLastShown = item;
    const int ahead = item + m_nShowingDirection * kMadeAhead;
    if (ahead < 0 || static_cast<size_t>(ahead) >= m_items.size())
        return;
    const SItem& next = m_items[static_cast<size_t>(ahead)];
    if (next.picture && m_unreadable.count(next.imageIndex) == 0 && !m_places.Has(next.imageIndex))
        m_thumbnails.Ahead(g_albumFolder + next.name, next.imageIndex);
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
    case WM_TIMER:
        if (wParam != kStartThumbnailsTimer)
            break;
        ::KillTimer(m_hWnd, kStartThumbnailsTimer);
        StartThumbnails();
        m_list.Invalidate(false);
        return 0;
    case WM_DESTROY:
        StopImageWork();
        break;
    default:
        break;
    }
    return CTabPage::WindowProc(message, wParam, lParam);
}

template <class DispInfo>
void CAlbumPage::OnGetItem(DispInfo& info)
{
    auto& item = info.item; // LVITEMA or LVITEMW
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_items.size())
        return;
    const SItem& shown = m_items[static_cast<size_t>(item.iItem)];
    // Copied into the list's own buffer, which a reader in another process also gets.
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        if constexpr (sizeof *item.pszText == 1)
            ::lstrcpynA(item.pszText, shown.name.c_str(), item.cchTextMax);
        else
            ::lstrcpynW(item.pszText, win::Widen(shown.name).c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) {
        // Drawn now: its picture, if still to come, is made next.
        item.iImage = ImageOf(item.iItem);
        MakeAhead(item.iItem);
    }
}

int CAlbumPage::OnFindItem(int start, const std::string& text, UINT flags) const
{
    const size_t count = m_items.size();
    if (count == 0 || !(flags & (LVFI_STRING | LVFI_PARTIAL)))
        return -1;
    const size_t first = start < 0 || static_cast<size_t>(start) >= count ? 0 : static_cast<size_t>(start);
    const size_t steps = (flags & LVFI_WRAP) ? count : count - first;
    for (size_t step = 0; step < steps; ++step) {
        const std::string& name = m_items[(first + step) % count].name;
        const std::string compared = (flags & LVFI_PARTIAL) ? name.substr(0, text.size()) : name;
        if (::lstrcmpiA(compared.c_str(), text.c_str()) == 0)
            return static_cast<int>((first + step) % count);
    }
    return -1;
}

bool CAlbumPage::OnNotify(NMHDR* header, LRESULT* result)
{
    if (header->idFrom != IDC_ALBUM_LIST)
        return CTabPage::OnNotify(header, result);
    *result = 0;
    switch (header->code) {
    case LVN_GETDISPINFOA:
        OnGetItem(*reinterpret_cast<NMLVDISPINFOA*>(header));
        return true;
    case LVN_GETDISPINFOW:
        OnGetItem(*reinterpret_cast<NMLVDISPINFOW*>(header));
        return true;
    case LVN_ODFINDITEMA: {
        const auto* find = reinterpret_cast<NMLVFINDITEMA*>(header);
        *result = OnFindItem(find->iStart, find->lvfi.psz ? find->lvfi.psz : "", find->lvfi.flags);
        return true;
    }
    case LVN_ODFINDITEMW: {
        const auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
        const std::string text = find->lvfi.psz ? win::Narrow(find->lvfi.psz) : std::string();
        *result = OnFindItem(find->iStart, text.c_str(), find->lvfi.flags);
        return true;
    }
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
        m_player.Play(g_albumFolder + ItemName(item));
}

void CAlbumPage::OnRightClick()
{
    const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0)
        return;
    m_strSelectedPath = g_albumFolder + ItemName(item);
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
    const int item = FindItem(FileNameOf(m_strSelectedPath));
    m_strSelectedPath.clear();
    if (item < 0)
        return;
    m_places.Drop(m_items[static_cast<size_t>(item)].imageIndex);
    m_unreadable.erase(m_items[static_cast<size_t>(item)].imageIndex);
    m_items.erase(m_items.begin() + item);
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
    if (static_cast<size_t>(renaming->item) < m_items.size())
        m_items[static_cast<size_t>(renaming->item)].name = newName;
    FitNames({newName});
    m_list.SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(renaming->item), renaming->item);
}
