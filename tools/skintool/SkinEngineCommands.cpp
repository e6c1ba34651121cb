#include "SkinEngineCommands.h"

#include "skin/SkinSchemaTables.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/SkinManager.h"
#include "win/UniqueHandle.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace tavrelin::skintool {
namespace {

using namespace tavrelin::skin;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kFirstImageProperty = 3001; // IMAGEFILE
constexpr int kLastImageProperty = 3008;  // GLYPHIMAGEFILE

bool LoadForTool(CSkinManager& manager, const char* skinFile, const char* propertyFile)
{
    if (manager.LoadSkin(skinFile, propertyFile))
        return true;
    std::fprintf(stderr, "skintool: cannot load the skin %s\n", skinFile);
    return false;
}

// A schema name, or a number.
int ParseId(const char* text, int nameId)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end != text && *end == '\0')
        return static_cast<int>(number);
    return nameId;
}

bool ParseNumber(const char* text, int minimum, int maximum, int& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < minimum || number > maximum)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool WriteBmp24(const std::string& path, int width, int height, const std::uint32_t* pixels)
{
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride) * height;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, imageSize, 2835, 2835, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<char> row(stride, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
            row[x * 3] = static_cast<char>(pixel & 0xFF);
            row[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        out.write(row.data(), stride);
    }
    return static_cast<bool>(out);
}

} // namespace

int RunImagesCommand(int argc, char** argv)
{
    if (argc < 1 || argc > 2)
        return kExitUsage;
    CSkinManager& manager = CSkinManager::GetInstance();
    if (!LoadForTool(manager, argv[0], argc == 2 ? argv[1] : nullptr))
        return kExitFailed;
    std::set<std::string> names;
    manager.GetSchema()->Properties().ForEachSorted([&names](std::uint32_t, const CSkinPropertyValue& value) {
        if (value.PropertyId() >= kFirstImageProperty && value.PropertyId() <= kLastImageProperty &&
            value.Type() == ESkinPropertyType::String && !value.Text().empty())
            names.insert(value.Text());
    });
    int failed = 0;
    for (const std::string& name : names) {
        std::string why;
        const std::unique_ptr<CSkinImage> image =
            manager.GetResourceFile().LoadImage(name, manager.GetSchema()->Premultiply(), &why);
        if (image) {
            std::printf("%s\t%d\t%d\t%s\n", name.c_str(), image->Width(), image->Height(),
                        image->HasAlpha() ? "alpha" : "opaque");
        } else {
            ++failed;
            std::printf("%s\tfailed\t%s\n", name.c_str(), why.c_str());
        }
    }
    std::printf("images\t%u\tfailed\t%d\n", static_cast<unsigned>(names.size()), failed);
    return kExitOk;
}

int RunRenderCommand(int argc, char** argv)
{
    if (argc != 8 && argc != 11)
        return kExitUsage;
    int width = 0, height = 0, red = 255, green = 0, blue = 255;
    if (!ParseNumber(argv[5], 1, 8192, width) || !ParseNumber(argv[6], 1, 8192, height))
        return kExitUsage;
    if (argc == 11 && (!ParseNumber(argv[8], 0, 255, red) || !ParseNumber(argv[9], 0, 255, green) ||
                       !ParseNumber(argv[10], 0, 255, blue)))
        return kExitUsage;
    const std::string propertyFile = argv[1];
    CSkinManager& manager = CSkinManager::GetInstance();
    if (!LoadForTool(manager, argv[0], propertyFile == "-" ? nullptr : propertyFile.c_str()))
        return kExitFailed;
    const int classId = ParseId(argv[2], FindSkinClassId(argv[2]));
    const char* className = argv[2];
    if (const std::string_view name = SkinNameOfId(SkinClassTable(), classId); !name.empty())
        className = name.data();
    CSkinClass& skinClass = manager.GetSkinClass(className);
    const int part = ParseId(argv[3], FindSkinPartId(skinClass.ClassId(), argv[3]));
    const std::string_view partName = SkinNameOfId(FindSkinPartNames(skinClass.ClassId()), part);
    const int state =
        ParseId(argv[4], FindSkinStateId(partName.empty() ? std::string_view(className) : partName, argv[4]));

    void* bits = nullptr;
    win::UniqueBitmap bitmap = CreateSkinDib32(width, height, bits);
    win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!bitmap || !dc)
        return kExitFailed;
    bool bHandled = false;
    {
        win::SelectedObject selected(dc.get(), bitmap.get());
        const RECT rect{0, 0, width, height};
        win::UniqueBrush background(::CreateSolidBrush(RGB(red, green, blue)));
        ::FillRect(dc.get(), &rect, background.get());
        bHandled = DrawSkinBackground(dc.get(), skinClass, part, state, rect);
        ::GdiFlush();
    }
    if (!WriteBmp24(argv[7], width, height, static_cast<const std::uint32_t*>(bits))) {
        std::fprintf(stderr, "skintool: cannot write %s\n", argv[7]);
        return kExitFailed;
    }
    std::printf("class\t%s\t%d\npart\t%d\nstate\t%d\n%s\n", skinClass.Name().c_str(), skinClass.ClassId(), part, state,
                bHandled ? "handled" : "not handled");
    return kExitOk;
}

} // namespace tavrelin::skintool
