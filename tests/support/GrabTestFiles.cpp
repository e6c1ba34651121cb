#include "GrabTestFiles.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace grabtest {

std::uint32_t ToRgb(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

std::optional<Picture> SectionPicture(HBITMAP bitmap)
{
    DIBSECTION section{};
    if (::GetObjectA(bitmap, sizeof section, &section) != sizeof section || section.dsBm.bmBits == nullptr ||
        section.dsBmih.biBitCount != 24)
        return std::nullopt;
    ::GdiFlush();
    Picture picture{section.dsBm.bmWidth, section.dsBm.bmHeight, {}};
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    const size_t stride = section.dsBm.bmWidthBytes;
    const bool bottomUp = section.dsBmih.biHeight > 0;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = bits + stride * (bottomUp ? picture.height - 1 - y : y);
        for (int x = 0; x < picture.width; ++x)
            picture.pixels[static_cast<size_t>(y) * picture.width + x] =
                row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x];
    }
    return picture;
}

std::optional<BmpFile> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return BmpFile{{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}};
}

std::optional<Picture> Bmp24Picture(const BmpFile& file)
{
    if (file.bytes.size() < 54 || file.U16(0) != 0x4D42 || file.U16(28) != 24)
        return std::nullopt;
    const int width = static_cast<int>(file.U32(18));
    const int height = static_cast<int>(file.U32(22));
    const size_t offset = file.U32(10);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (width <= 0 || height <= 0 || offset + stride * height > file.bytes.size())
        return std::nullopt;
    Picture picture{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = file.bytes.data() + offset + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x)
            picture.pixels[static_cast<size_t>(y) * width + x] =
                row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x];
    }
    return picture;
}

std::string WindowsPath(const std::string& unixPath)
{
    if (unixPath.size() > 1 && unixPath[1] == ':')
        return unixPath;
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string OutputFolder(const std::string& unixFolder)
{
    static bool emptied = false;
    const std::string folder = WindowsPath(unixFolder);
    if (!emptied) {
        emptied = true;
        ::CreateDirectoryA(folder.c_str(), nullptr);
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA((folder + "\\*.*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
    }
    return folder;
}

void Expectation::Pixel(int x, int y, std::uint32_t rgb)
{
    char line[64];
    std::snprintf(line, sizeof line, "pixel %d %d %06X", x, y, static_cast<unsigned>(rgb));
    lines.emplace_back(line);
}

void Expectation::Count(std::uint32_t rgb, size_t count)
{
    char line[64];
    std::snprintf(line, sizeof line, "count %06X %u", static_cast<unsigned>(rgb), static_cast<unsigned>(count));
    lines.emplace_back(line);
}

void Expectation::AllPixels(const Picture& picture)
{
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            Pixel(x, y, picture.At(x, y));
    }
}

bool WriteExpectation(const std::string& bmpPath, const Expectation& expectation)
{
    const std::string path = bmpPath.substr(0, bmpPath.rfind('.')) + ".expect";
    std::ofstream out(path, std::ios::binary);
    out << "size " << expectation.width << ' ' << expectation.height << '\n';
    for (const std::string& line : expectation.lines)
        out << line << '\n';
    return static_cast<bool>(out);
}

} // namespace grabtest
