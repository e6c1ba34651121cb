#include "design/DesignDlg.h"

#include "core/FileSystem.h"
#include "core/Globals.h"
#include "gdiplus/GdiplusImage.h"
#include "rename/RenameDlg.h"
#include "res/resource.h"
#include "win/App.h"
#include "win/FileDialog.h"
#include "win/Text.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr int kDesignMenu = 2;
// Each new window a little below and right of the one before, so that none
// hides another.
constexpr int kCascadeStep = 24;
constexpr int kCascadeSteps = 8;

std::string FullPath(const std::string& path)
{
    char full[win::kPathBytes] = {};
    const DWORD length = ::GetFullPathNameA(path.c_str(), win::kPathBytes, full, nullptr);
    return length > 0 && length < win::kPathBytes ? std::string(full) : path;
}

// A design's picture for the list; a white one when the GIF can't be read,
// so that the item keeps its place and its image slot.
win::UniqueBitmap MakeDesignPicture(const std::string& path)
{
    win::UniqueBitmap picture =
        gdiplus::CImage::Load(path).Thumbnail(kDesignPictureWidth, kDesignPictureHeight).ToDibSection();
    if (picture)
        return picture;
    void* bits = nullptr;
    picture = gdiplus::CreateDibSection24(kDesignPictureWidth, kDesignPictureHeight, &bits);
    if (picture)
        std::memset(bits, 0xFF, static_cast<size_t>((kDesignPictureWidth * 3 + 3) & ~3) * kDesignPictureHeight);
    return picture;
}

} // namespace

CDesignDlg::CDesignDlg(CDesignWindows& windows, std::function<void()> closed)
    : CDialog(IDD_DESIGN_DIALOG), m_windows(windows), m_closed(std::move(closed))
{}

bool CDesignDlg::Open()
{
    if (!Create(IDD_DESIGN_DIALOG, nullptr))
        return false;
    ShowWindow(SW_SHOW);
    return true;
}

std::string CDesignDlg::DesignFolder() const { return g_programFolder + "Design\\"; }

BOOL CDesignDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strSelectedName.clear();
    m_list.SubclassDlgItem(IDC_DESIGN_LIST, this);
    // No mask: a masked add turns the pictures' white pixels black.
    m_imageList.Create(kDesignPictureWidth, kDesignPictureHeight, ILC_COLOR32, 32, 32);
    m_list.SetImageList(m_imageList.GetSafeHandle(), LVSIL_SMALL);
    m_nImageCounter = -1;
    ListDesignFolder();
    return TRUE;
}

void CDesignDlg::ListDesignFolder()
{
    for (const std::string& name : ListFiles(DesignFolder() + "*.gif")) {
        ++m_nImageCounter;
        AddDesignItem(name, m_nImageCounter);
    }
}

void CDesignDlg::AddDesignItem(const std::string& name, int index)
{
    const win::UniqueBitmap picture = MakeDesignPicture(DesignFolder() + name);
    ::ImageList_Add(m_imageList.GetSafeHandle(), picture.get(), nullptr);
    m_list.InsertItem(index, name.c_str(), index);
}

std::string CDesignDlg::SelectedItemText() const
{
    const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    return item < 0 ? std::string() : m_list.GetItemText(item, 0);
}

void CDesignDlg::OnCancel()
{
    EndDialog(IDCANCEL);
    if (m_closed)
        m_closed();
}

void CDesignDlg::StartBusyIndicator()
{
    // Between the list and the buttons, at (30, 265) as the dialog is laid out
    // with its font on Windows; with a smaller font (as under Wine) that place
    // lies on the buttons, so the strip is centred in the gap instead.
    POINT at{30, 265};
    RECT list{}, button{};
    ::GetWindowRect(m_list.m_hWnd, &list);
    ::GetWindowRect(GetDlgItem(IDC_ADD_TO_WINDOW), &button);
    POINT gap[2] = {{list.left, list.bottom}, {button.left, button.top}};
    ::MapWindowPoints(nullptr, m_hWnd, gap, 2);
    if (at.y < gap[0].y || at.y + tavrelin::kBusyStripSize.cy > gap[1].y)
        at.y = (gap[0].y + gap[1].y - tavrelin::kBusyStripSize.cy) / 2;
    m_busy.Start(m_hWnd, at);
}

void CDesignDlg::StopBusyIndicator() { m_busy.Stop(); }

void CDesignDlg::OnAddDesignToWindow()
{
    if (m_strSelectedName.empty()) {
        MessageBox("please select a file");
        return;
    }
    const std::string path = DesignFolder() + m_strSelectedName;
    StartBusyIndicator();
    std::optional<tavrelin::SDesignFrames> design = tavrelin::LoadDesignFrames(path);
    StopBusyIndicator();
    if (!design) {
        MessageBox("can not open the design");
        return;
    }
    // Beside the library, which it would otherwise hide.
    const RECT library = GetWindowRect();
    const int cascade = kCascadeStep * static_cast<int>(m_windows.Count() % kCascadeSteps);
    if (!m_windows.Open(path, std::move(*design), library.right + cascade, library.top + cascade))
        MessageBox("can not open the design");
}

void CDesignDlg::OnAddMyDesign()
{
    const std::optional<std::string> chosen =
        win::AskFileToOpen({m_hWnd, "gif file(*.gif)\0*.gif\0", "gif",
                            OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST |
                                OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR});
    if (!chosen)
        return;
    const std::string source = *chosen;
    std::string name = FileNameOf(source);
    const std::string target = DesignFolder() + name;
    // A design chosen from the folder itself is already there.
    if (!IsExistingFile(source) || ::lstrcmpiA(FullPath(source).c_str(), FullPath(target).c_str()) == 0)
        return;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA(target.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        if (!::CopyFileA(source.c_str(), target.c_str(), FALSE)) {
            MessageBox("resource useing");
            return;
        }
        ++m_nImageCounter;
        AddDesignItem(name, m_nImageCounter);
        return;
    }
    ::FindClose(find);
    // The item to replace carries the name as the folder spells it.
    name = found.cFileName;
    const std::string question = "find  " + name;
    if (MessageBox(question.c_str(), "Whether displace the old file?", MB_OKCANCEL) == IDOK)
        ReplaceDesign(source, name);
}

void CDesignDlg::ReplaceDesign(const std::string& source, const std::string& name)
{
    // Copied over the old file, not after deleting it: a copy that fails
    // keeps the old design.
    if (!::CopyFileA(source.c_str(), (DesignFolder() + name).c_str(), FALSE)) {
        MessageBox("resource useing");
        return;
    }
    const int item = m_list.FindItem(name);
    if (item >= 0)
        m_list.DeleteItem(item);
    ++m_nImageCounter;
    AddDesignItem(name, m_nImageCounter);
}

void CDesignDlg::OnOpenDesignFolder()
{
    const std::string folder = g_programFolder + "Design";
    ::ShellExecuteA(m_hWnd, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CDesignDlg::OnListClick(bool twice)
{
    const std::string text = SelectedItemText();
    if (text.empty())
        return;
    m_strSelectedName = text;
    if (twice)
        OnAddDesignToWindow();
}

void CDesignDlg::OnListRightClick()
{
    const std::string text = SelectedItemText();
    if (text.empty())
        return;
    m_strSelectedPath = DesignFolder() + text;
    const win::UniqueMenu menus(::LoadMenuA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_POPUP_MENUS)));
    if (!menus)
        return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::TrackPopupMenu(::GetSubMenu(menus.get(), kDesignMenu), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
}

void CDesignDlg::OnDelete()
{
    if (m_strSelectedPath.empty())
        return;
    if (!::DeleteFileA(m_strSelectedPath.c_str())) {
        MessageBox("resource useing");
        return;
    }
    const std::string name = FileNameOf(m_strSelectedPath);
    m_strSelectedPath.clear();
    // "Add Design To Window" must not open a file that is gone.
    if (::lstrcmpiA(name.c_str(), m_strSelectedName.c_str()) == 0)
        m_strSelectedName.clear();
    const int item = m_list.FindItem(name);
    if (item < 0)
        return;
    m_list.DeleteItem(item);
    ::RedrawWindow(m_list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDesignDlg::OnRename()
{
    // ".gif" is added unless the name ends in exactly that; a name that would
    // leave the folder or can't name a file changes nothing.
    const std::optional<SRenaming> renaming = AskRenaming(this, m_list, ".gif");
    if (!renaming)
        return;
    const std::string& oldName = renaming->oldName;
    const std::string& newName = renaming->newName;
    const std::string oldPath = DesignFolder() + oldName;
    const std::string newPath = DesignFolder() + newName;
    if (!::MoveFileA(oldPath.c_str(), newPath.c_str())) {
        MessageBox("resource useing");
        return;
    }
    m_list.SetItemText(renaming->item, 0, newName.c_str());
    if (::lstrcmpiA(oldName.c_str(), m_strSelectedName.c_str()) == 0)
        m_strSelectedName = newName;
    if (::lstrcmpiA(oldPath.c_str(), m_strSelectedPath.c_str()) == 0)
        m_strSelectedPath = newPath;
}

LRESULT CDesignDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The strip draws on this window: its thread ends before the window does.
    if (message == WM_DESTROY)
        m_busy.Shutdown();
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CDesignDlg::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_ADD_TO_WINDOW:
        OnAddDesignToWindow();
        return true;
    case IDC_ADD_MY_DESIGN:
        OnAddMyDesign();
        return true;
    case IDC_OPEN_DESIGN_FOLDER:
        OnOpenDesignFolder();
        return true;
    case ID_DESIGN_DELETE:
        OnDelete();
        return true;
    case ID_DESIGN_RENAME:
        OnRename();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

bool CDesignDlg::OnNotify(NMHDR* header, LRESULT* result)
{
    if (header->idFrom != IDC_DESIGN_LIST)
        return false;
    switch (header->code) {
    case NM_CLICK:
    case NM_DBLCLK:
        OnListClick(header->code == NM_DBLCLK);
        break;
    case NM_RCLICK:
        OnListRightClick();
        break;
    default:
        return false;
    }
    *result = 0;
    return true;
}
