#pragma once
// The album page of a running copy of the program: its list, its play box,
// the item menu driven as a user drives it.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace album_e2e {

inline constexpr int kTakePictures = 32771;
inline constexpr int kPlayBox = 1009;
inline constexpr int kList = 1010;
inline constexpr int kRenameEdit = 1020;
enum class EMenuItem { Rename = 0, Delete = 1, OpenFolder = 2 };

// Where the tests leave files for check-album.sh, as Wine names it; emptied
// once per run.
std::string OutputFolder();
// A picture ImageMagick made (tests/unit/album/make-pictures.sh).
std::string MadePicture(const std::string& name);

class AlbumSession {
public:
    // Copies the program folder; `prepare` may fill its album before start.
    // player: "builtin" (our viewer) or "control" (the media player control).
    explicit AlbumSession(const std::function<void(const std::string& albumFolder)>& prepare = {},
                          const std::string& player = "builtin");

    DWORD Pid() const { return m_program->Pid(); }
    e2e::RunningProgram& Program() { return *m_program; }
    std::string AlbumFile(const std::string& name) const { return m_folder.File("Album\\" + name); }
    std::string ProgramFile(const std::string& name) const { return m_folder.File(name); }
    HWND MainWindow();
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

private:
    e2e::ProgramCopy m_folder;
    std::optional<e2e::RunningProgram> m_program;
    HWND m_main = nullptr;
};

} // namespace album_e2e
