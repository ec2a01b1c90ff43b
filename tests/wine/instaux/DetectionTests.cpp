// DetectInstalledVersion against the registry and the version resources of
// the KELDORAN.EXE stand-ins.
#include "InstallMachine.h"

#include "instaux/InstallHelperApp.h"

#include <gtest/gtest.h>

using namespace instauxtest;

namespace {

class InstauxDetection : public testing::Test {
protected:
    void SetUp() override
    {
        ResetProductRegistry();
        m_installed = FreshFolder("registered");
        m_target = FreshFolder("target");
        m_app.TargetDirectory = m_target;
    }
    void TearDown() override { ResetProductRegistry(); }

    void Register(const std::string& directory) { SetString(kProductKey, "InstallDir", directory); }

    instaux::CInstallHelperApp m_app;
    std::string m_installed;
    std::string m_target;
};

struct VariantCase {
    const char* name;
    const char* program;  // below the build folder
    int version;
};

class InstauxDetectionOfVariant : public InstauxDetection, public testing::WithParamInterface<VariantCase> {
protected:
    void PutProgram(const std::string& folder)
    {
        ASSERT_TRUE(CopyInto(BuildPath(GetParam().program), folder + "KELDORAN.EXE")) << GetParam().program;
    }
};

TEST_P(InstauxDetectionOfVariant, ReadsTheProgramInTheRegisteredDirectory)
{
    PutProgram(m_installed);
    Register(m_installed);
    m_app.DetectInstalledVersion();
    EXPECT_TRUE(m_app.RegistryDirectoryKnown);
    EXPECT_TRUE(m_app.InstallationFound);
    EXPECT_EQ(m_app.InstalledDirectory, m_installed);
    EXPECT_EQ(m_app.VersionNumber, GetParam().version);
}

TEST_P(InstauxDetectionOfVariant, TakesTheTargetDirectoryWithoutARegistryEntry)
{
    PutProgram(m_target);
    m_app.DetectInstalledVersion();
    EXPECT_TRUE(m_app.RegistryDirectoryKnown);
    EXPECT_TRUE(m_app.InstallationFound);
    EXPECT_EQ(m_app.InstalledDirectory, m_target);
    EXPECT_EQ(m_app.VersionNumber, GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(StandIns, InstauxDetectionOfVariant,
    testing::Values(VariantCase{"v1034", "standins/versions/1034/KELDORAN.EXE", 1034},
                    VariantCase{"v1035", "standins/versions/1035/KELDORAN.EXE", 1035},
                    VariantCase{"v1050", "standins/versions/1050/KELDORAN.EXE", 1050},
                    VariantCase{"v1052_blanks", "standins/versions/1052_blanks/KELDORAN.EXE", 1052},
                    VariantCase{"v1060", "standins/versions/1060/KELDORAN.EXE", 1060},
                    VariantCase{"default", "standins/keldoran/KELDORAN.EXE", 1050},
                    VariantCase{"no_version_resource", "standins/versions/none/KELDORAN.EXE", 0},
                    VariantCase{"dotted", "standins/versions/dotted/KELDORAN.EXE", 0},
                    VariantCase{"other_tables_only", "tests/wine/instaux/other_tables/KELDORAN.EXE", 0}),
    [](const testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

TEST_F(InstauxDetection, FindsNothingWithoutEntryOrProgram)
{
    m_app.DetectInstalledVersion();
    EXPECT_FALSE(m_app.RegistryDirectoryKnown);
    EXPECT_FALSE(m_app.InstallationFound);
    EXPECT_EQ(m_app.InstalledDirectory, "");
    EXPECT_EQ(m_app.VersionNumber, 0);
}

// A 32-bit installer's entry lives in the 32-bit registry view, and that is
// the only one the library (a 32-bit module) reads. A build for x86_64
// reads the 64-bit view alone in the same way.
TEST_F(InstauxDetection, FindsTheEntryInItsOwnRegistryView)
{
    PutKeldoran(m_installed, "versions/1035");
    Register(m_installed);
    m_app.DetectInstalledVersion();
    EXPECT_TRUE(m_app.RegistryDirectoryKnown);
    EXPECT_EQ(m_app.InstalledDirectory, m_installed);
    EXPECT_EQ(m_app.VersionNumber, 1035);
}

TEST_F(InstauxDetection, DoesNotSeeAnEntryOnlyInTheOtherRegistryView)
{
    const REGSAM otherView = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    PutKeldoran(m_installed, "versions/1035");
    SetString(kProductKey, "InstallDir", m_installed, otherView);
    m_app.DetectInstalledVersion();
    DeleteTree(kProductKey, otherView);
    EXPECT_FALSE(m_app.RegistryDirectoryKnown);
    EXPECT_FALSE(m_app.InstallationFound);
    EXPECT_EQ(m_app.InstalledDirectory, "");
}

TEST_F(InstauxDetection, DoesNotLookInTheTargetWhenTheRegisteredDirectoryLacksTheProgram)
{
    PutKeldoran(m_target, "versions/1050");
    Register(m_installed);
    m_app.DetectInstalledVersion();
    EXPECT_TRUE(m_app.RegistryDirectoryKnown);
    EXPECT_FALSE(m_app.InstallationFound);
    EXPECT_EQ(m_app.InstalledDirectory, m_installed);
    EXPECT_EQ(m_app.VersionNumber, 0);
}

struct UnusableEntryCase {
    const char* name;
    std::string value;
};

class InstauxDetectionOfUnusableEntry : public InstauxDetection, public testing::WithParamInterface<UnusableEntryCase> {};

// An entry that is empty or longer than 259 characters counts as none.
TEST_P(InstauxDetectionOfUnusableEntry, CountsAsNoEntry)
{
    PutKeldoran(m_target, "versions/1035");
    Register(GetParam().value);
    m_app.DetectInstalledVersion();
    EXPECT_TRUE(m_app.InstallationFound);
    EXPECT_EQ(m_app.InstalledDirectory, m_target);
    EXPECT_EQ(m_app.VersionNumber, 1035);
}

INSTANTIATE_TEST_SUITE_P(Entries, InstauxDetectionOfUnusableEntry,
    testing::Values(UnusableEntryCase{"empty", ""},
                    UnusableEntryCase{"too_long", "C:\\" + std::string(300, 'k') + "\\"}),
    [](const testing::TestParamInfo<UnusableEntryCase>& info) { return std::string(info.param.name); });

TEST_F(InstauxDetection, KeepsWhatAnEarlierCallFound)
{
    PutKeldoran(m_target, "versions/1050");
    m_app.DetectInstalledVersion();
    ASSERT_EQ(m_app.VersionNumber, 1050);

    PutKeldoran(m_target, "versions/none");
    m_app.DetectInstalledVersion();
    EXPECT_EQ(m_app.VersionNumber, 1050);

    DeleteFileA((m_target + "KELDORAN.EXE").c_str());
    m_app.TargetDirectory = m_installed;
    m_app.DetectInstalledVersion();
    EXPECT_TRUE(m_app.InstallationFound);
    EXPECT_EQ(m_app.InstalledDirectory, m_target);
    EXPECT_EQ(m_app.VersionNumber, 1050);
}

TEST_F(InstauxDetection, AnEntryFoundLaterReplacesTheTargetDirectory)
{
    PutKeldoran(m_target, "versions/1050");
    m_app.DetectInstalledVersion();
    ASSERT_EQ(m_app.InstalledDirectory, m_target);

    PutKeldoran(m_installed, "versions/1035");
    Register(m_installed);
    m_app.DetectInstalledVersion();
    EXPECT_EQ(m_app.InstalledDirectory, m_installed);
    EXPECT_EQ(m_app.VersionNumber, 1035);
}

}  // namespace
