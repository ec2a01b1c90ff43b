#include "setup/StartupRules.h"

#include <gtest/gtest.h>

namespace keld {
namespace {

struct CommandLineCase {
    const char* arguments;
    int page;
};

class StartPage : public testing::TestWithParam<CommandLineCase> {};

TEST_P(StartPage, FollowsTheSlashISubstringRule)
{
    EXPECT_EQ(StartPageForCommandLine(GetParam().arguments), GetParam().page) << GetParam().arguments;
}

INSTANTIATE_TEST_SUITE_P(CommandLines, StartPage,
    testing::Values(CommandLineCase{"/I", kOptionsPageIndex},
                    CommandLineCase{"/i", kOptionsPageIndex},
                    CommandLineCase{"/install", kOptionsPageIndex},
                    CommandLineCase{"setup /Item", kOptionsPageIndex},
                    CommandLineCase{"x/Iy", kOptionsPageIndex},
                    CommandLineCase{"-I", kWelcomePageIndex},
                    CommandLineCase{"", kWelcomePageIndex},
                    CommandLineCase{"/ I", kWelcomePageIndex},
                    CommandLineCase{"\\I", kWelcomePageIndex}));

TEST(StartPage, NullCommandLineOpensWelcome)
{
    EXPECT_EQ(StartPageForCommandLine(nullptr), kWelcomePageIndex);
}

struct ArgumentsCase {
    const char* commandLine;
    const char* arguments;
};

class Arguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(Arguments, DropTheProgramToken)
{
    EXPECT_STREQ(ArgumentsOfCommandLine(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, Arguments,
    testing::Values(ArgumentsCase{"KELDSetup.exe /I", "/I"},
                    ArgumentsCase{"\"C:\\Program Files\\KELD\\KELDSetup.exe\" /I", "/I"},
                    ArgumentsCase{"\"C:/Install/KELDSetup.exe\"", ""},
                    ArgumentsCase{"C:\\KELD\\KELDSetup.exe", ""},
                    ArgumentsCase{"KELDSetup.exe    setup /Item", "setup /Item"},
                    ArgumentsCase{"\"unterminated /I", ""},
                    ArgumentsCase{"", ""}));

TEST(AppDirectory, KeepsDriveAndDirectoryWithOneTrailingBackslash)
{
    EXPECT_EQ(AppDirectoryOf("C:\\KELD\\KELDSetup.exe"), "C:\\KELD\\");
    EXPECT_EQ(AppDirectoryOf("C:\\KELDSetup.exe"), "C:\\");
    EXPECT_EQ(AppDirectoryOf("\\\\server\\share\\KELD\\KELDSetup.exe"), "\\\\server\\share\\KELD\\");
    EXPECT_EQ(AppDirectoryOf("C:KELDSetup.exe"), "C:\\");
}

struct PathsCase {
    const char* appDirectory;
    const char* windowsDirectory;
    ProfilePaths expected;
};

class Paths : public testing::TestWithParam<PathsCase> {};

TEST_P(Paths, AreBuiltFromTheTwoFolders)
{
    ProfilePaths paths = BuildProfilePaths(GetParam().appDirectory, GetParam().windowsDirectory);
    EXPECT_EQ(paths.program, GetParam().expected.program);
    EXPECT_EQ(paths.test, GetParam().expected.test);
    EXPECT_EQ(paths.control, GetParam().expected.control);
    EXPECT_EQ(paths.tools, GetParam().expected.tools);
}

INSTANTIATE_TEST_SUITE_P(Folders, Paths,
    testing::Values(
        PathsCase{"C:\\", "C:\\WINDOWS",
                  {"C:\\KELD4K.INI", "C:\\TESTCTL.INI", "C:\\WINDOWS\\KELDORAN.INI", "C:\\NVXTOOLS.INI"}},
        PathsCase{"D:\\KELD\\", "C:\\WINDOWS\\",
                  {"D:\\KELD\\KELD4K.INI", "D:\\KELD\\TESTCTL.INI", "C:\\WINDOWS\\KELDORAN.INI",
                   "D:\\KELD\\NVXTOOLS.INI"}},
        PathsCase{"D:\\KELD\\", "C:\\",
                  {"D:\\KELD\\KELD4K.INI", "D:\\KELD\\TESTCTL.INI", "C:\\KELDORAN.INI",
                   "D:\\KELD\\NVXTOOLS.INI"}}));

TEST(Paths, AreTestedControlProgramToolsTest)
{
    ProfilePaths paths{"p", "t", "c", "n"};
    EXPECT_EQ(FilesInTestOrder(paths), (std::vector<std::string>{"c", "p", "n", "t"}));
}

TEST(MissingFiles, ListsEachFileOnItsOwnLineBetweenHeadAndTail)
{
    const std::string head = "Unable to find or modify the following file(s):\n";
    const std::string tail = "\n\nKELDSetup must be run from an installation of KELDORAN.";
    EXPECT_EQ(MissingFilesMessage(head, {"C:\\windows\\KELDORAN.INI", "C:\\KELD\\TESTCTL.INI"}, tail),
              "Unable to find or modify the following file(s):\n"
              "\n-> C:\\windows\\KELDORAN.INI"
              "\n-> C:\\KELD\\TESTCTL.INI"
              "\n\nKELDSetup must be run from an installation of KELDORAN.");
}

}  // namespace
}  // namespace keld
