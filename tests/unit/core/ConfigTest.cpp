#include "core/Config.h"
#include "core/Globals.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

class ConfigFile : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        char file[MAX_PATH];
        ::GetTempFileNameA(temp, "cfg", 0, file);
        ::DeleteFileA(file);
        m_path = file;
        g_iniPath = m_path;
    }
    void TearDown() override { ::DeleteFileA(m_path.c_str()); }

    std::string Contents() const
    {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Store(const char* text) const { std::ofstream(m_path, std::ios::binary) << text; }

    std::string m_path;
};

// The path of the next file the counter names, or "none".
std::string Step(const char* key, const std::string& folder, const char* extension = ".jpg")
{
    const std::optional<SCounterStep> step = StepCounterToFreeFile(key, folder, extension);
    return step ? step->path : "none";
}

TEST_F(ConfigFile, FirstStepWithoutAFileYieldsOneAndWritesTheSection)
{
    EXPECT_EQ(Step("JPGSUM", "A\\"), "A\\000001.jpg");
    EXPECT_EQ(Contents(), "[CONFIG]\r\nJPGSUM=1\r\n");
    EXPECT_EQ(Step("JPGSUM", "A\\"), "A\\000002.jpg");
    EXPECT_EQ(ReadConfigValue("JPGSUM"), "2");
}

TEST_F(ConfigFile, CountersAreIndependentAndKeysIgnoreCase)
{
    Store("[config]\r\njpgsum=41abc\r\nAVISUM=-3\r\n");
    EXPECT_EQ(Step("JPGSUM", "A\\"), "A\\000042.jpg");
    EXPECT_EQ(Step("AVISUM", "A\\", ".avi"), "A\\-00002.avi");
    EXPECT_EQ(ReadConfigValue("JPGSUM"), "42");
    EXPECT_EQ(ReadConfigValue("AVISUM"), "-2");
}

TEST_F(ConfigFile, NoNumberIsLeftPastTheLargestAndTheStoredOneStays)
{
    Store("[CONFIG]\r\nJPGSUM=2147483647\r\n");
    EXPECT_EQ(Step("JPGSUM", "A\\"), "none");
    EXPECT_EQ(ReadConfigValue("JPGSUM"), "2147483647");
}

TEST_F(ConfigFile, NoValueRemovesTheKey)
{
    Store("[CONFIG]\r\nSKIN=black.skin\r\nJPGSUM=5\r\n");
    EXPECT_EQ(ReadConfigValue("SKIN"), "black.skin");
    EXPECT_TRUE(WriteConfigValue("SKIN", std::nullopt));
    EXPECT_EQ(ReadConfigValue("SKIN"), "");
    EXPECT_EQ(Contents().find("SKIN"), std::string::npos);
    EXPECT_EQ(ReadConfigValue("JPGSUM"), "5");
}

TEST_F(ConfigFile, AlbumCounterSkipsNamesThatAreTaken)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "counter-album\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream(folder + "000003.avi") << "earlier video";
    std::ofstream(folder + "000004.avi") << "another";
    Store("[CONFIG]\r\nAVISUM=2\r\n");
    EXPECT_EQ(Step("AVISUM", folder, ".avi"), folder + "000005.avi");
    EXPECT_EQ(ReadConfigValue("AVISUM"), "5");
    EXPECT_EQ(Step("AVISUM", folder, ".avi"), folder + "000006.avi");
    ::DeleteFileA((folder + "000003.avi").c_str());
    ::DeleteFileA((folder + "000004.avi").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(ConfigFile, AlbumCounterMovesOnWhenTheFileCannotBeWritten)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "counter-album-ro\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    // A folder where the file should be: neither read nor written, whoever
    // runs the test (a read-only file would not stop an administrator).
    ::CreateDirectoryA(m_path.c_str(), nullptr);
    const std::optional<SCounterStep> first = StepCounterToFreeFile("JPGSUM", folder, ".jpg");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->path, folder + "000001.jpg");
    EXPECT_FALSE(first->stored) << "the caller tells the user";
    std::ofstream(first->path) << "picture";
    EXPECT_EQ(Step("JPGSUM", folder), folder + "000002.jpg");
    ::RemoveDirectoryA(m_path.c_str());
    ::DeleteFileA(first->path.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(ConfigFile, LongValuesAreCutToTheReadBuffer)
{
    Store(("[CONFIG]\r\nSKIN=" + std::string(400, 'x') + "\r\n").c_str());
    EXPECT_EQ(ReadConfigValue("SKIN"), std::string(259, 'x'));
}

} // namespace
