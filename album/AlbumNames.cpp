#include "album/AlbumNames.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Extension(const std::string& name)
{
    std::string last = name.size() <= 4 ? name : name.substr(name.size() - 4);
    std::transform(last.begin(), last.end(), last.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return last;
}

} // namespace

EAlbumFileKind AlbumFileKind(const std::string& name)
{
    const std::string extension = Extension(name);
    if (extension == ".JPG")
        return EAlbumFileKind::Picture;
    if (extension == ".AVI")
        return EAlbumFileKind::Video;
    return EAlbumFileKind::Other;
}
