#pragma once
// Reads a skin file in either of its forms: a module holding the property
// file and images as resources (mapped as data, never run), or a folder with
// a property file and image files beside it.

#include "skin/SkinLineSource.h"
#include "skin/SkinResourceText.h"
#include "skin/SkinSchema.h"
#include "skin/engine/draw/SkinImage.h"

#include <windows.h>

#include <memory>
#include <string>

namespace tavrelin::skin {

struct SkinModuleDeleter {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

class CSkinResourceFile : public ISkinLineSource {
public:
    ~CSkinResourceFile() override = default;

    // False when the skin cannot be read; the reader is then closed.
    virtual bool Open(const std::string& skinPath, const std::string& propertyFileName);
    bool ReadLine(std::string& line) override;
    virtual void Close();
    // Decodes one image named by the skin; why says what failed.
    virtual std::unique_ptr<CSkinImage> LoadImage(const std::string& fileName, bool premultiply,
                                                  std::string* why = nullptr);
    virtual std::unique_ptr<CSkinSchema> CreateSchema();

    const std::string& PropertyFileName() const { return m_strPropertyFile; }
    const std::string& SkinPath() const { return m_strSkinPath; }

private:
    bool OpenFolder(const std::string& propertyPath);
    bool OpenModule();
    std::string ReadThemesIniName() const;
    std::unique_ptr<CSkinImage> LoadFolderImage(const std::string& fileName, bool premultiply, std::string& why);
    std::unique_ptr<CSkinImage> LoadModuleImage(const std::string& fileName, bool premultiply, std::string& why);

    std::string m_strSkinPath;
    std::string m_strPropertyFile;
    std::unique_ptr<HINSTANCE__, SkinModuleDeleter> m_moduleOwner;
    HMODULE m_module = nullptr;
    std::unique_ptr<ISkinLineSource> m_lines;
};

// The ANSI code page conversion the engine reads module text with.
std::string NarrowSkinTextAnsi(std::u16string_view text);

} // namespace tavrelin::skin
