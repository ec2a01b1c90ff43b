// The profile and option-registry services, as extension modules call them,
// on the real profile files and registry.
#include "OptionsFixture.h"

#include "setup/ProfileFileScope.h"
#include "setup/options/SetupExtension.h"

#include <cstring>

using namespace optionstest;
using testkit::TestApp;

namespace {

using ProfileServices = OptionsInstallation;

TEST_F(ProfileServices, VersionIs100)
{
    EXPECT_EQ(SetupGetVersion(), 100);
}

// What a call wrote into a buffer filled with 'x' beforehand.
struct Written {
    std::string text;  // up to the NUL
    size_t bytes;      // the NUL included
};

Written Inspect(const char* buffer, size_t size)
{
    const char* end = static_cast<const char*>(std::memchr(buffer, '\0', size));
    size_t untouched = 0;
    while (untouched < size && buffer[size - 1 - untouched] == 'x')
        ++untouched;
    return {end ? std::string(buffer, end) : std::string(buffer, size), size - untouched};
}

struct NameCase {
    const char* name;
    int profile;
    int maxLength;
    // The expected text: the start of this file's name.
    enum class File { Program, Tools, Default, None } file;
    size_t characters;
};

class ProfileName : public ProfileServices, public testing::WithParamInterface<NameCase> {};

TEST_P(ProfileName, WritesAtMostMaxLengthCharactersAndTheNul)
{
    const NameCase& c = GetParam();
    std::string full;
    switch (c.file) {
    case NameCase::File::Program: full = TestApp().ProgramIniPath; break;
    case NameCase::File::Tools: full = TestApp().ToolsIniPath; break;
    case NameCase::File::Default: full = "KELDSetup.INI"; break;
    case NameCase::File::None: break;
    }
    char buffer[300];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(SetupGetProfileName(c.profile, buffer, c.maxLength), buffer);
    Written written = Inspect(buffer, sizeof buffer);
    EXPECT_EQ(written.text, full.substr(0, c.characters));
    EXPECT_EQ(written.bytes, written.text.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(Selectors, ProfileName,
    testing::Values(NameCase{"ProgramCutToFive", 1, 5, NameCase::File::Program, 5},
                    NameCase{"ProgramWhole", 1, 299, NameCase::File::Program, 299},
                    NameCase{"Tools", 2, 299, NameCase::File::Tools, 299},
                    NameCase{"CurrentIsTheDefaultFileName", 0, 299, NameCase::File::Default, 299},
                    NameCase{"UnknownSelectorIsEmpty", 3, 299, NameCase::File::None, 0},
                    NameCase{"NegativeLengthGivesOnlyTheNul", 1, -4, NameCase::File::Program, 0},
                    NameCase{"ZeroLengthGivesOnlyTheNul", 2, 0, NameCase::File::Tools, 0}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

struct StringCase {
    const char* name;
    const char* key;
    const char* defaultValue;
    int maxLength;
    const char* expected;
};

class ProfileString : public ProfileServices, public testing::WithParamInterface<StringCase> {};

TEST_P(ProfileString, CopiesAtMostMaxLengthCharactersAndTheNul)
{
    WriteProgram("[Settings]\r\nTen=0123456789\r\n");
    const StringCase& c = GetParam();
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(SetupGetProfileString(SETUP_PROFILE_PROGRAM, "Settings", c.key, c.defaultValue, buffer, c.maxLength),
              buffer);
    Written written = Inspect(buffer, sizeof buffer);
    EXPECT_EQ(written.text, c.expected);
    EXPECT_EQ(written.bytes, std::strlen(c.expected) + 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, ProfileString,
    testing::Values(StringCase{"AllTen", "Ten", "", 10, "0123456789"},
                    StringCase{"Three", "Ten", "", 3, "012"},
                    StringCase{"NegativeLength", "Ten", "", -1, ""},
                    StringCase{"MissingKeyGivesTheDefault", "Absent", "fallback", 20, "fallback"},
                    StringCase{"NullDefaultIsEmpty", "Absent", nullptr, 20, ""}),
    [](const testing::TestParamInfo<StringCase>& info) { return std::string(info.param.name); });

TEST_F(ProfileServices, NegativeIntegersComeBackAsWritten)
{
    EXPECT_NE(SetupWriteProfileInt(SETUP_PROFILE_TOOLS, "Tools", "Offset", -1), 0);
    EXPECT_EQ(testkit::ProfileText(TestApp().ToolsIniPath, "Tools", "Offset"), "-1");
    EXPECT_EQ(SetupGetProfileInt(SETUP_PROFILE_TOOLS, "Tools", "Offset", 5), 4294967295u);
    EXPECT_EQ(SetupGetProfileInt(SETUP_PROFILE_TOOLS, "Tools", "Absent", 5), 5u);
}

TEST_F(ProfileServices, NullValueDeletesTheKeyAndNullKeyTheSection)
{
    WriteProgram("[Settings]\r\nA=1\r\nB=2\r\n[Other]\r\nC=3\r\n");
    EXPECT_NE(SetupWriteProfileString(SETUP_PROFILE_PROGRAM, "Settings", "A", nullptr), 0);
    EXPECT_EQ(Program("Settings", "A"), "<absent>");
    EXPECT_EQ(Program("Settings", "B"), "2");
    EXPECT_NE(SetupWriteProfileString(SETUP_PROFILE_PROGRAM, "Other", nullptr, nullptr), 0);
    EXPECT_EQ(Program("Other", "C"), "<absent>");
    EXPECT_EQ(Program("Settings", "B"), "2");
}

// Selector 0 works on whatever file is current, and a call with another
// selector changes that only for its own duration.
TEST_F(ProfileServices, SelectedFilesAreCurrentOnlyDuringTheCall)
{
    keld::ProfileFileScope scope(TestApp().TestIniPath);
    SetupWriteProfileString(SETUP_PROFILE_PROGRAM, "Settings", "Where", "program");
    SetupWriteProfileInt(SETUP_PROFILE_TOOLS, "Tools", "Where", 2);
    char buffer[16];
    SetupGetProfileString(SETUP_PROFILE_PROGRAM, "Settings", "Where", "", buffer, 15);
    SetupGetProfileInt(SETUP_PROFILE_TOOLS, "Tools", "Where", 0);
    SetupWriteProfileString(SETUP_PROFILE_CURRENT, "Test", "Where", "current");
    EXPECT_EQ(TestApp().ProfileName(), TestApp().TestIniPath);
    EXPECT_EQ(testkit::ProfileText(TestApp().TestIniPath, "Test", "Where"), "current");
    EXPECT_EQ(Program("Settings", "Where"), "program");
    EXPECT_EQ(testkit::ProfileText(TestApp().ToolsIniPath, "Tools", "Where"), "2");
    EXPECT_EQ(SetupGetProfileInt(SETUP_PROFILE_CURRENT, "Tools", "Where", 7), 7u);
}

TEST_F(ProfileServices, UnknownSelectorsTouchNoFile)
{
    std::string program = testkit::ReadFile(TestApp().ProgramIniPath);
    EXPECT_EQ(SetupWriteProfileString(5, "Settings", "Key", "value"), 0);
    EXPECT_EQ(SetupWriteProfileInt(-1, "Settings", "Key", 3), 0);
    EXPECT_EQ(SetupGetProfileInt(9, "Settings", "Key", 42), 42u);
    char buffer[16];
    EXPECT_STREQ(SetupGetProfileString(3, "Settings", "Key", "dflt", buffer, 15), "dflt");
    EXPECT_EQ(testkit::ReadFile(TestApp().ProgramIniPath), program);
}

TEST_F(ProfileServices, InstalledFlagOfAnOptionWithoutAKeyIsZeroAndAnyValueStoresOne)
{
    EXPECT_EQ(GetOptionInstalledOrEnabled("Probe", 1), 0);
    EXPECT_NE(SetOptionInstalledOrEnabled("Probe", 1, 5), 0);
    EXPECT_EQ(GetOptionInstalledOrEnabled("Probe", 1), 1);
    EXPECT_EQ(OptionValue("Probe", "Installed"), 1u);
    EXPECT_NE(SetOptionInstalledOrEnabled("Probe", 1, 0), 0);
    EXPECT_EQ(GetOptionInstalledOrEnabled("Probe", 1), 0);
}

TEST_F(ProfileServices, EnabledIsStoredBesideAnUntouchedInstalled)
{
    EXPECT_NE(SetOptionInstalledOrEnabled("Probe", 0, 1), 0);
    EXPECT_EQ(OptionValue("Probe", "Enabled"), 1u);
    EXPECT_FALSE(OptionValue("Probe", "Installed").has_value());
    EXPECT_EQ(GetOptionInstalledOrEnabled("Probe", 0), 1);
    EXPECT_EQ(GetOptionInstalledOrEnabled("Probe", 1), 0);
}

TEST_F(ProfileServices, DataLongerThanFourBytesReadsAsZero)
{
    const unsigned char eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    SetOptionValue("Probe", "Installed", REG_BINARY, eight, sizeof eight);
    EXPECT_EQ(GetOptionInstalledOrEnabled("Probe", 1), 0);
}

TEST_F(ProfileServices, NullOptionNameFailsAndCreatesNoKey)
{
    EXPECT_EQ(GetOptionInstalledOrEnabled(nullptr, 1), 0);
    EXPECT_EQ(SetOptionInstalledOrEnabled(nullptr, 1, 1), 0);
    EXPECT_FALSE(OptionKeyExists(""));
}

}  // namespace
