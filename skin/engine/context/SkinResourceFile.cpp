#include "skin/engine/context/SkinResourceFile.h"

#include "core/FileSystem.h"
#include "skin/SkinDibReader.h"
#include "skin/SkinImageAlpha.h"
#include "skin/SkinPngReader.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace tavrelin::skin {
namespace {

constexpr WORD kStyleNameStringId = 5000;

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

struct ResourceBytes {
    const std::uint8_t* data = nullptr;
    size_t size = 0;
};

// Resource names are found in any letter case: the resource compiler stores
// them in upper case, and the lookup compares them so.
ResourceBytes FindResourceBytes(HMODULE module, const std::string& name, LPCSTR type)
{
    HRSRC resource = ::FindResourceA(module, name.c_str(), type);
    if (!resource)
        return {};
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, resource)};
}

// A property file in a folder is 8-bit text; its lines end at a line feed
// with or without a carriage return, and the last line needs no end.
class CFolderLineSource final : public ISkinLineSource {
public:
    explicit CFolderLineSource(std::vector<std::uint8_t> bytes) : m_text(bytes.begin(), bytes.end()) {}

    bool ReadLine(std::string& line) override
    {
        if (m_nPos >= m_text.size())
            return false;
        size_t end = m_text.find('\n', m_nPos);
        if (end == std::string::npos)
            end = m_text.size();
        line.assign(m_text, m_nPos, end - m_nPos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_nPos = end + 1;
        return true;
    }

private:
    std::string m_text;
    size_t m_nPos = 0;
};

std::unique_ptr<CSkinImage> FinishImage(SkinPixels pixels, bool premultiply, std::string& why)
{
    // The analysis runs whether or not the skin premultiplies: a 32-bit
    // picture whose alpha bytes are all 0 would otherwise blend to nothing.
    const bool bAlpha = pixels.hasAlphaChannel && SkinAlphaNeedsBlending(pixels);
    if (bAlpha && premultiply)
        PremultiplySkinPixels(pixels);
    std::unique_ptr<CSkinImage> image = CSkinImage::FromPixels(pixels, bAlpha);
    if (!image)
        why = "no bitmap";
    return image;
}

std::unique_ptr<CSkinImage> DecodeImage(const std::uint8_t* data, size_t size, bool fileHeader, bool premultiply,
                                        std::string& why)
{
    if (LooksLikeSkinPng(data, size)) {
        std::optional<SkinPixels> pixels = DecodeSkinPng(data, size);
        if (!pixels) {
            why = "damaged PNG";
            return nullptr;
        }
        return FinishImage(std::move(*pixels), premultiply, why);
    }
    std::optional<SkinDib> dib = fileHeader ? DecodeSkinBmpFile(data, size) : DecodeSkinDib(data, size);
    if (!dib) {
        why = "damaged or unsupported bitmap";
        return nullptr;
    }
    return FinishImage(std::move(dib->pixels), premultiply, why);
}

} // namespace

std::string NarrowSkinTextAnsi(std::u16string_view text)
{
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::string narrow(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide, units, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

bool CSkinResourceFile::Open(const std::string& skinPath, const std::string& propertyFileName)
{
    Close();
    m_strSkinPath = skinPath;
    m_strPropertyFile = propertyFileName;
    if (skinPath.empty())
        return false;
    const std::string propertyPath = skinPath + "\\" + propertyFileName;
    if (!propertyFileName.empty() && IsExistingFile(propertyPath))
        return OpenFolder(propertyPath);
    if (!OpenModule()) {
        Close();
        return false;
    }
    return true;
}

bool CSkinResourceFile::OpenFolder(const std::string& propertyPath)
{
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(propertyPath);
    if (!bytes)
        return false;
    m_lines = std::make_unique<CFolderLineSource>(std::move(*bytes));
    return true;
}

// A skin is data: mapping it as a data file runs none of its code and loads
// none of the modules it imports.
bool CSkinResourceFile::OpenModule()
{
    m_moduleOwner.reset(::LoadLibraryExA(m_strSkinPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    m_module = m_moduleOwner.get();
    if (!m_module)
        return false;
    if (m_strPropertyFile.empty())
        m_strPropertyFile = ReadThemesIniName();
    const ResourceBytes text = FindResourceBytes(m_module, SkinResourceName(m_strPropertyFile), "TEXTFILE");
    if (!text.data)
        return false;
    m_lines = std::make_unique<CSkinUtf16LineSource>(text.data, text.size, NarrowSkinTextAnsi);
    return true;
}

std::string CSkinResourceFile::ReadThemesIniName() const
{
    const ResourceBytes themes = FindResourceBytes(m_module, "THEMES_INI", "TEXTFILE");
    if (!themes.data)
        return {};
    return FindSkinThemesIniPropertyName(themes.data, themes.size, NarrowSkinTextAnsi);
}

bool CSkinResourceFile::ReadLine(std::string& line) { return m_lines && m_lines->ReadLine(line); }

void CSkinResourceFile::Close()
{
    m_lines.reset();
    m_module = nullptr;
    m_moduleOwner.reset();
}

std::unique_ptr<CSkinImage> CSkinResourceFile::LoadImage(const std::string& fileName, bool premultiply,
                                                         std::string* why)
{
    std::string reason;
    std::unique_ptr<CSkinImage> image;
    if (fileName.empty())
        reason = "no name";
    else if (m_module)
        image = LoadModuleImage(fileName, premultiply, reason);
    else if (m_lines)
        image = LoadFolderImage(fileName, premultiply, reason);
    else
        reason = "no skin open";
    if (why)
        *why = reason;
    return image;
}

std::unique_ptr<CSkinImage> CSkinResourceFile::LoadFolderImage(const std::string& fileName, bool premultiply,
                                                               std::string& why)
{
    const std::string path = m_strSkinPath + "\\" + fileName;
    std::optional<std::vector<std::uint8_t>> bytes;
    if (IsExistingFile(path))
        bytes = ReadWholeFile(path);
    if (!bytes) {
        why = "no such file";
        return nullptr;
    }
    return DecodeImage(bytes->data(), bytes->size(), true, premultiply, why);
}

std::unique_ptr<CSkinImage> CSkinResourceFile::LoadModuleImage(const std::string& fileName, bool premultiply,
                                                               std::string& why)
{
    const std::string name = SkinResourceName(fileName);
    const ResourceBytes png = FindResourceBytes(m_module, name, "PNG");
    if (png.data && png.size > 9 && LooksLikeSkinPng(png.data, png.size))
        return DecodeImage(png.data, png.size, false, premultiply, why);
    const ResourceBytes bitmap = FindResourceBytes(m_module, name, MAKEINTRESOURCEA(2));
    if (!bitmap.data) {
        why = "no such resource";
        return nullptr;
    }
    return DecodeImage(bitmap.data, bitmap.size, false, premultiply, why);
}

std::unique_ptr<CSkinSchema> CSkinResourceFile::CreateSchema()
{
    ESkinSchemaVariant variant = ESkinSchemaVariant::Default;
    if (m_module) {
        char style[64] = {};
        const int length = ::LoadStringA(m_module, kStyleNameStringId, style, static_cast<int>(sizeof style));
        if (length > 0 && ::lstrcmpiA(style, "Office 2007 Style") == 0)
            variant = ESkinSchemaVariant::Office2007;
    }
    return std::make_unique<CSkinSchema>(variant);
}

} // namespace tavrelin::skin
