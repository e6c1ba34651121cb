#include "FixtureApp.h"

#include <fstream>

namespace e2e::test {
namespace {

bool Exists(const std::string& path) { return FileExists(path); }

std::string ReadFile(const std::string& path) { return ReadWholeFile(path).value_or(""); }

std::string TempFolder()
{
    char path[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof path, path);
    return path;
}

TEST(ProgramCopyTest, CopiesTheFolderTreeUnderTheTempFolder)
{
    ProgramCopy copy(E2E_FIXTURE_DIR);
    EXPECT_EQ(copy.Path().rfind(TempFolder(), 0), 0u) << copy.Path();
    EXPECT_TRUE(Exists(copy.File("e2e_fixture_gui.exe")));
    EXPECT_EQ(ReadFile(copy.File("Data/sample.txt")), "sample\n");
}

TEST(FilesTest, ListsAndReadsWhatIsOnDisk)
{
    ProgramCopy copy(E2E_FIXTURE_DIR);
    EXPECT_EQ(FolderEntryNames(copy.Path()), (std::vector<std::string>{"Data", "e2e_fixture_gui.exe"}));
    EXPECT_TRUE(IsFolder(copy.File("Data")));
    EXPECT_FALSE(IsFolder(copy.File("Data/sample.txt")));
    EXPECT_EQ(ReadWholeFile(copy.File("Data/sample.txt")), std::optional<std::string>("sample\n"));
    EXPECT_FALSE(ReadWholeFile(copy.File("missing.txt")).has_value());
    EXPECT_TRUE(FolderEntryNames(copy.File("missing")).empty());
}

TEST(ProgramCopyTest, EachCopyIsFreshAndRemovedAfterwards)
{
    std::string firstPath;
    {
        ProgramCopy first(E2E_FIXTURE_DIR);
        ProgramCopy second(E2E_FIXTURE_DIR);
        firstPath = first.Path();
        EXPECT_NE(first.Path(), second.Path());
        std::ofstream(first.File("extra.txt")) << "x";
        EXPECT_FALSE(Exists(second.File("extra.txt")));
    }
    EXPECT_FALSE(Exists(firstPath));
}

TEST(ProgramCopyTest, KeepLeavesTheCopyOnDisk)
{
    std::string path;
    {
        ProgramCopy copy(E2E_FIXTURE_DIR);
        copy.Keep();
        path = copy.Path();
    }
    EXPECT_TRUE(Exists(path + "\\Data\\sample.txt"));
    EXPECT_TRUE(RemoveFolder(path));
}

TEST(ProgramCopyTest, DefaultSourceIsTheProgramDirVariable)
{
    ASSERT_TRUE(::SetEnvironmentVariableA("TAVRELIN_PROGRAM_DIR", E2E_FIXTURE_DIR));
    ProgramCopy copy;
    ::SetEnvironmentVariableA("TAVRELIN_PROGRAM_DIR", nullptr);
    EXPECT_TRUE(Exists(copy.File("Data\\sample.txt")));
}

TEST(ProgramCopyTest, MissingSourceThrows)
{
    EXPECT_THROW(ProgramCopy("Z:\\no\\such\\folder"), std::runtime_error);
    EXPECT_THROW(ProgramCopy(""), std::runtime_error);
}

TEST(ProgramCopyTest, UnixPathsMapToDriveZ)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/work/main", "Z:\\work\\main"},
        {"/", "Z:\\"},
        {"C:\\Program Files", "C:\\Program Files"},
        {"relative/path", "relative/path"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ToWindowsPath(input), expected) << input;
}

// Windows treats variable names without regard to case, so an override must
// replace the inherited variable rather than add a second one.
TEST(EnvironmentBlockTest, OverridesReplaceInheritedVariablesIgnoringCase)
{
    ::SetEnvironmentVariableA("E2E_BLOCK_PROBE", "old");
    const std::string block = BuildEnvironmentBlock({{"e2e_block_probe", "new"}, {"E2E_ADDED", "1"}});
    ::SetEnvironmentVariableA("E2E_BLOCK_PROBE", nullptr);
    EXPECT_EQ(block.find("E2E_BLOCK_PROBE=old"), std::string::npos);
    EXPECT_NE(block.find(std::string("E2E_BLOCK_PROBE=new\0", 20)), std::string::npos);
    EXPECT_NE(block.find(std::string("E2E_ADDED=1\0", 12)), std::string::npos);
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block.substr(block.size() - 2), std::string("\0\0", 2));
}

TEST(RunningProgramTest, PassesEnvironmentAndWorkingDirectory)
{
    const std::string directory = TempFolder().substr(0, TempFolder().size() - 1);
    FixtureApp app(LaunchOptions{"", "", {{"E2E_FIXTURE_GREETING", "hello from the test"}}, directory});
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(WindowText(app.Control(E2E_ID_ENVIRONMENT)), "hello from the test");
    EXPECT_EQ(WindowText(app.Control(E2E_ID_DIRECTORY)), directory);
}

TEST(RunningProgramTest, DefaultWorkingDirectoryIsTheProgramFolder)
{
    FixtureApp app;
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(WindowText(app.Control(E2E_ID_DIRECTORY)), app.Copy().Path());
}

TEST(RunningProgramTest, ReportsTheExitCode)
{
    FixtureApp app(LaunchOptions{"", "--exit-code=7", {}, ""});
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_TRUE(app.Program().IsRunning());
    EXPECT_FALSE(app.Program().WaitForExit(Timeout{100}).has_value());
    app.PostCommand(E2E_CMD_QUIT);
    EXPECT_EQ(app.Program().WaitForExit(), std::optional<DWORD>(7));
    EXPECT_FALSE(app.Program().IsRunning());
}

TEST(RunningProgramTest, DestructorEndsAProgramStillRunning)
{
    UniqueHandle process;
    {
        FixtureApp app;
        ASSERT_NE(app.Main(), nullptr);
        process.reset(::OpenProcess(SYNCHRONIZE, FALSE, app.Program().Pid()));
        ASSERT_TRUE(process);
    }
    EXPECT_EQ(::WaitForSingleObject(process.get(), 0), WAIT_OBJECT_0);
}

TEST(RunningProgramTest, CloseEndsTheProgramThroughItsWindows)
{
    FixtureApp app(LaunchOptions{"", "--exit-code=3", {}, ""});
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(app.Program().Close(), std::optional<DWORD>(3));
}

TEST(RunningProgramTest, MissingExecutableThrows)
{
    EXPECT_THROW(RunningProgram("Z:\\no\\such\\program.exe"), std::runtime_error);
}

TEST(RunningProgramTest, ProgramWritesIntoItsOwnCopy)
{
    FixtureApp app;
    ASSERT_NE(app.Main(), nullptr);
    app.PostCommand(E2E_CMD_SAVE);
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(app.Copy().File("saved.txt")) == "saved\n"; }));
    EXPECT_FALSE(Exists(ToWindowsPath(E2E_FIXTURE_DIR) + "\\saved.txt"));
}

} // namespace
} // namespace e2e::test
