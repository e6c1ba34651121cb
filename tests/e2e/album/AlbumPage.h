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
// The item menu's entries, as the commands they give.
enum class EMenuItem : WPARAM { Rename = 32787, Delete = 32781, OpenFolder = 32780 };

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
    int IndexOf(const std::string& name);
    // Waits until the item is listed (or, with present false, is gone).
    bool WaitForItem(const std::string& name, bool present = true);

    // The item, scrolled into view, shows a pixel of the kind at `at` in its
    // thumbnail within the default deadline.
    bool ThumbnailShows(int item, POINT at, bool (*is)(COLORREF));
    // The two pictures the tests use most: the gradient's yellow top, the
    // red square of "white-shapes".
    bool ShowsGradient(int item) { return ThumbnailShows(item, {40, 3}, IsYellow); }
    bool ShowsShapes(int item) { return ThumbnailShows(item, {20, 15}, IsRed); }
    static bool IsYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80; }
    static bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

    bool Click(int item);
    // Right-clicks the item, waits for its menu and closes it, then gives the
    // entry's command.
    bool ChooseFromMenu(int item, EMenuItem entry);
    // Right-clicks the item with the cursor on it; the menu, or null.
    HWND OpenMenu(int item);
    // Renames through the menu and the dialog; true when the dialog closed.
    bool Rename(int item, const std::string& typed);
    bool TakePicture();
};

} // namespace album_e2e
