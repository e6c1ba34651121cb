// The shipped skin modules as Windows opens them: as data files, and as
// modules whose missing entry point runs nothing. Their resources are found by
// the names the skin loader asks for.
#include <gtest/gtest.h>
#include <windows.h>

#include "win/UniqueHandle.h"

#include <algorithm>
#include <string>

namespace {

void ReleaseModule(HMODULE module) { ::FreeLibrary(module); }
using UniqueModule = win::UniqueHandle<HMODULE, ReleaseModule>;

std::string ModulePath(const char* fileName)
{
    std::string path = std::string("Z:") + SKIN_MODULE_DIR + "/" + fileName;
    for (char& letter : path) {
        if (letter == '/')
            letter = '\\';
    }
    return path;
}

// The first bytes of a resource, or nothing when it is missing.
std::string ResourceStart(HMODULE module, const char* name, const char* type, size_t count)
{
    HRSRC found = ::FindResourceA(module, name, type);
    if (!found)
        return {};
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    const size_t size = ::SizeofResource(module, found);
    return data ? std::string(data, data + std::min(count, size)) : std::string();
}

struct SkinModuleCase {
    const char* fileName;
    bool office2007;
};

class SkinModuleLoad : public testing::TestWithParam<SkinModuleCase> {};

TEST_P(SkinModuleLoad, OpensAsDataWithTheResourcesTheLoaderAsksFor)
{
    UniqueModule module(::LoadLibraryExA(ModulePath(GetParam().fileName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_NE(module.get(), nullptr);
    EXPECT_EQ(ResourceStart(module.get(), "THEMES_INI", "TEXTFILE", 2), "\xFF\xFE");
    // "[File.Normal]" in THEMES_INI makes the loader ask for "Normal_ini"; names are found in any case.
    EXPECT_EQ(ResourceStart(module.get(), "Normal_ini", "TEXTFILE", 2), "\xFF\xFE");
    EXPECT_EQ(ResourceStart(module.get(), "CAPTION_PNG", "PNG", 4), "\x89PNG");
    char style[64] = {};
    ::LoadStringA(module.get(), 5000, style, sizeof style);
    EXPECT_EQ(::lstrcmpiA(style, "Office 2007 Style") == 0, GetParam().office2007) << style;
    EXPECT_EQ(ResourceStart(module.get(), "OFFICE2007_SCROLLTHUMBVERTICAL_BMP", "PNG", 4).empty(),
              !GetParam().office2007);
}

TEST_P(SkinModuleLoad, LoadsAsAModuleWithoutRunningCode)
{
    UniqueModule module(::LoadLibraryA(ModulePath(GetParam().fileName).c_str()));
    ASSERT_NE(module.get(), nullptr) << ::GetLastError();
    EXPECT_EQ(ResourceStart(module.get(), "PUSHBUTTON_PNG", "PNG", 4), "\x89PNG");
}

INSTANTIATE_TEST_SUITE_P(Shipped, SkinModuleLoad,
                         testing::Values(SkinModuleCase{"red.skin", false}, SkinModuleCase{"Office.skin", true},
                                         SkinModuleCase{"apple.skin", false}, SkinModuleCase{"black.skin", false}),
                         [](const testing::TestParamInfo<SkinModuleCase>& info) {
                             std::string name = info.param.fileName;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
