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

TEST_F(ConfigFile, FirstStepWithoutAFileYieldsOneAndWritesTheSection)
{
    EXPECT_EQ(StepConfigCounter("JPGSUM"), 1);
    EXPECT_EQ(Contents(), "[CONFIG]\r\nJPGSUM=1\r\n");
    EXPECT_EQ(StepConfigCounter("JPGSUM"), 2);
    EXPECT_EQ(ReadConfigValue("JPGSUM"), "2");
}

TEST_F(ConfigFile, CountersAreIndependentAndKeysIgnoreCase)
{
    Store("[config]\r\njpgsum=41abc\r\nAVISUM=-3\r\n");
    EXPECT_EQ(StepConfigCounter("JPGSUM"), 42);
    EXPECT_EQ(StepConfigCounter("AVISUM"), -2);
    EXPECT_EQ(ReadConfigValue("JPGSUM"), "42");
    EXPECT_EQ(ReadConfigValue("AVISUM"), "-2");
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
    EXPECT_EQ(StepCounterToFreeFile("AVISUM", folder, ".avi"), folder + "000005.avi");
    EXPECT_EQ(ReadConfigValue("AVISUM"), "5");
    EXPECT_EQ(StepCounterToFreeFile("AVISUM", folder, ".avi"), folder + "000006.avi");
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
    Store("[CONFIG]\r\nJPGSUM=7\r\n");
    ::SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string first = StepCounterToFreeFile("JPGSUM", folder, ".jpg");
    EXPECT_EQ(first, folder + "000008.jpg");
    std::ofstream(first) << "picture";
    EXPECT_EQ(StepCounterToFreeFile("JPGSUM", folder, ".jpg"), folder + "000009.jpg");
    ::SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(first.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(ConfigFile, LongValuesAreCutToTheReadBuffer)
{
    Store(("[CONFIG]\r\nSKIN=" + std::string(400, 'x') + "\r\n").c_str());
    EXPECT_EQ(ReadConfigValue("SKIN"), std::string(259, 'x'));
}

} // namespace
