#pragma once
// A running copy of the program for the album tests, and where they leave
// files for check-album.sh.
#include "AlbumPage.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace album_e2e {

// Where the tests leave files for check-album.sh, as Wine names it; emptied
// once per run.
std::string OutputFolder();
// A picture ImageMagick made (tests/unit/album/make-pictures.sh).
std::string MadePicture(const std::string& name);

// A copy of the program folder with the program running in it.
class AlbumSession : public AlbumPage {
public:
    // Copies the program folder; `prepare` may fill its album before start.
    // player: "builtin" (our viewer) or "control" (the media player control).
    explicit AlbumSession(const std::function<void(const std::string& albumFolder)>& prepare = {},
                          const std::string& player = "builtin");
    // The program in a copy the test keeps, for more than one run.
    explicit AlbumSession(const e2e::ProgramCopy& folder,
                          const std::function<void(const std::string& albumFolder)>& prepare = {});

    DWORD Pid() const override { return m_program->Pid(); }
    HWND MainWindow() override;
    e2e::RunningProgram& Program() { return *m_program; }
    std::string AlbumFile(const std::string& name) const { return m_folder.File("Album\\" + name); }
    std::string ProgramFile(const std::string& name) const { return m_folder.File(name); }

private:
    void Launch(const std::function<void(const std::string&)>& prepare, const std::string& player);

    std::optional<e2e::ProgramCopy> m_ownFolder;
    const e2e::ProgramCopy& m_folder;
    std::optional<e2e::RunningProgram> m_program;
    HWND m_main = nullptr;
};

} // namespace album_e2e
