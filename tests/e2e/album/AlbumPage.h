#pragma once
// The album page of a running copy of the program: its list, its play box,
// the item menu driven as a user drives it.
#include "E2eSupport.h"

#include <string>
#include <vector>

namespace album_e2e {

inline constexpr int kTakePictures = 32771;
inline constexpr int kPlayBox = 1009;
inline constexpr int kList = 1010;
inline constexpr int kRenameEdit = 1020;
enum class EMenuItem { Rename = 0, Delete = 1, OpenFolder = 2 };

// The album page of a running program, driven as a user drives it. Whoever
// runs the program says which it is.
class AlbumPage {
public:
    virtual ~AlbumPage() = default;
    virtual DWORD Pid() const = 0;
    virtual HWND MainWindow() = 0;

    HWND Page();
    HWND List() { return ::GetDlgItem(Page(), kList); }
    HWND PlayBox() { return ::GetDlgItem(Page(), kPlayBox); }
    // Brings the album page to the front through its tab.
    bool ShowAlbumPage();

    std::vector<std::string> Items() { return e2e::ListViewColumnTexts(List()); }
    // The image index of the item; -1 when it can't be read.
    int ImageIndex(int item);
    int IndexOf(const std::string& name);
    // Waits until the item is listed (or, with present false, is gone).
    bool WaitForItem(const std::string& name, bool present = true);

    bool Click(int item);
    // Right-clicks the item and picks the menu entry with the keyboard.
    bool ChooseFromMenu(int item, EMenuItem entry);
    // Renames through the menu and the dialog; true when the dialog closed.
    bool Rename(int item, const std::string& typed);
    bool TakePicture();
};

} // namespace album_e2e
