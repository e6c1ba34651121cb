#include "win/FileDialog.h"

#include "win/Text.h"

#include <commdlg.h>

namespace win {

std::optional<std::string> AskFileToOpen(const SOpenFileQuestion& question)
{
    char path[kPathBytes] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = question.owner;
    dialog.lpstrFilter = question.filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = question.defaultExtension;
    dialog.Flags = question.flags;
    if (!::GetOpenFileNameA(&dialog))
        return std::nullopt;
    return std::string(path);
}

} // namespace win
