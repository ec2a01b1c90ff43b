#include "instaux/InstallPaths.h"

#include <gtest/gtest.h>

namespace instaux {
namespace {

struct CommandLineCase {
    const char* targetDir;
    const char* configDir;
    const char* importLine;
    const char* setupLine;
};

class CommandLines : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLines, QuoteEachPathAndJoinNamesWithoutASeparator)
{
    EXPECT_EQ(ImportCommandLine(GetParam().targetDir, GetParam().configDir), GetParam().importLine);
    EXPECT_EQ(SetupCommandLine(GetParam().targetDir), GetParam().setupLine);
}

INSTANTIATE_TEST_SUITE_P(Directories, CommandLines,
    testing::Values(
        CommandLineCase{"C:\\KELDORAN\\", "A:\\", "\"C:\\KELDORAN\\KELDOpt.EXE\" \"A:\\KELD.KCI\"",
                        "\"C:\\KELDORAN\\KELDSetup.exe\" /I"},
        CommandLineCase{"C:\\Program Files\\KELD\\", "D:\\config disk\\",
                        "\"C:\\Program Files\\KELD\\KELDOpt.EXE\" \"D:\\config disk\\KELD.KCI\"",
                        "\"C:\\Program Files\\KELD\\KELDSetup.exe\" /I"},
        CommandLineCase{"C:\\KELD", "A:", "\"C:\\KELDKELDOpt.EXE\" \"A:KELD.KCI\"", "\"C:\\KELDKELDSetup.exe\" /I"}));

struct DirectoryCase {
    const char* directory;
    bool full;
};

class Directories : public testing::TestWithParam<DirectoryCase> {};

TEST_P(Directories, AreFullOnlyFromADriveRootOrAShare)
{
    EXPECT_EQ(IsFullDirectoryPath(GetParam().directory), GetParam().full) << GetParam().directory;
}

INSTANTIATE_TEST_SUITE_P(Texts, Directories,
    testing::Values(DirectoryCase{"C:\\KELDORAN\\", true}, DirectoryCase{"c:/keld/", true},
                    DirectoryCase{"D:\\", true}, DirectoryCase{"\\\\server\\share\\", true},
                    DirectoryCase{"", false}, DirectoryCase{"KELDORAN\\", false},
                    DirectoryCase{".\\", false}, DirectoryCase{"..\\KELD\\", false},
                    DirectoryCase{"\\KELDORAN\\", false}, DirectoryCase{"C:KELDORAN\\", false},
                    DirectoryCase{"C:", false}, DirectoryCase{"1:\\KELD\\", false},
                    DirectoryCase{"\\\\\\share\\", false}));

TEST(BackupPath, AppendsNameAndSuffix)
{
    EXPECT_EQ(BackupPath("C:\\TEMP\\KBAK\\", "ATC.CFG"), "C:\\TEMP\\KBAK\\ATC.CFG.Backup");
    EXPECT_EQ(ConfigurationFilePath("A:\\"), "A:\\KELD.KCI");
}

}  // namespace
}  // namespace instaux
