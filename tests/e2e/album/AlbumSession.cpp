#include "AlbumSession.h"

namespace album_e2e {

std::string OutputFolder()
{
    static const std::string folder = [] {
        const std::string path = e2e::ToWindowsPath(ALBUM_OUTPUT_DIR);
        e2e::RemoveFolder(path);
        ::CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }();
    return folder;
}

std::string MadePicture(const std::string& name) { return e2e::ToWindowsPath(ALBUM_PICTURES_DIR) + "\\" + name; }

AlbumSession::AlbumSession(const std::function<void(const std::string&)>& prepare, const std::string& player)
    : m_ownFolder(std::in_place), m_folder(*m_ownFolder)
{
    Launch(prepare, player);
}

AlbumSession::AlbumSession(const e2e::ProgramCopy& folder, const std::function<void(const std::string&)>& prepare)
    : m_folder(folder)
{
    Launch(prepare, "builtin");
}

void AlbumSession::Launch(const std::function<void(const std::string&)>& prepare, const std::string& player)
{
    if (prepare)
        prepare(m_folder.File("Album\\"));
    m_program.emplace(e2e::LaunchOptions{m_folder.File("Tavrelin.exe"),
                                         "/Embedding",
                                         {{"TAVRELIN_CAMERA", "test"}, {"TAVRELIN_PLAYER", player}},
                                         m_folder.Path()});
}

HWND AlbumSession::MainWindow()
{
    if (!m_main)
        m_main = e2e::WaitForProgramMainWindow(Pid());
    return m_main;
}

} // namespace album_e2e
