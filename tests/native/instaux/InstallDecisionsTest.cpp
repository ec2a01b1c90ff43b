#include "instaux/InstallDecisions.h"
#include "instaux/VersionNumber.h"

#include <gtest/gtest.h>

#include <string>

namespace instaux {
namespace {

struct DecisionCase {
    const char* fileVersion;  // as the program file carries it; "" for none
    VersionQuestion question;
    const char* firstLine;
};

class FoundInstallation : public testing::TestWithParam<DecisionCase> {};

// The version number stays 0 when the text cannot be read.
TEST_P(FoundInstallation, LeadsToTheQuestionOfItsBand)
{
    int number = VersionNumberFromFileVersion(GetParam().fileVersion).value_or(0);
    VersionDecision decision = DecisionForVersion(number);
    EXPECT_EQ(decision.question, GetParam().question) << GetParam().fileVersion;
    if (GetParam().firstLine)
        EXPECT_STREQ(decision.firstLine, GetParam().firstLine);
    else
        EXPECT_EQ(decision.firstLine, nullptr);
}

const char* const kOld = "An old version of KELDORAN is already installed.";
const char* const kExisting = "An existing version of KELDORAN is already installed.";

INSTANTIATE_TEST_SUITE_P(Versions, FoundInstallation,
    testing::Values(DecisionCase{"", VersionQuestion::ReplaceOnly, nullptr},
                    DecisionCase{"1.0.5.2", VersionQuestion::ReplaceOnly, nullptr},
                    DecisionCase{"1,0,3,4", VersionQuestion::ReplaceOnly, nullptr},
                    DecisionCase{"1,0,3,5", VersionQuestion::UpdateOrReplace, kOld},
                    DecisionCase{"1,0,4,9", VersionQuestion::UpdateOrReplace, kOld},
                    DecisionCase{"1,0,5,0", VersionQuestion::UpdateOrReplace, kExisting},
                    DecisionCase{"1, 0, 5, 2", VersionQuestion::UpdateOrReplace, kExisting},
                    DecisionCase{"1,0,5,9", VersionQuestion::UpdateOrReplace, kExisting},
                    DecisionCase{"1,0,6,0", VersionQuestion::Refuse, nullptr},
                    DecisionCase{"1,0,4,10", VersionQuestion::UpdateOrReplace, kExisting},
                    DecisionCase{"2,0,0,0", VersionQuestion::Refuse, nullptr}));

TEST(ConfigurationFiles, AreBackedUpInTheirOrderWithOnlySecurityDatOptional)
{
    std::string order;
    for (const ConfigurationFile& file : kConfigurationFiles)
        order += std::string(file.name) + (file.optional ? "?" : "") + " ";
    EXPECT_EQ(order, "KELD4K.INI TESTCTL.INI NVXTOOLS.INI ATC.CFG SECURITY.DAT? ");
}

struct CopyFailureCase {
    const char* name;
    bool sourceExists;
    bool counts;
};

class CopyFailure : public testing::TestWithParam<CopyFailureCase> {};

TEST_P(CopyFailure, CountsUnlessNothingWasThereToLose)
{
    for (const ConfigurationFile& file : kConfigurationFiles) {
        if (std::string(file.name) == GetParam().name) {
            EXPECT_EQ(CopyFailureCounts(file, GetParam().sourceExists), GetParam().counts);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CopyFailure,
    testing::Values(CopyFailureCase{"KELD4K.INI", true, true},
                    CopyFailureCase{"KELD4K.INI", false, true},
                    CopyFailureCase{"ATC.CFG", false, true},
                    CopyFailureCase{"SECURITY.DAT", false, false},
                    CopyFailureCase{"SECURITY.DAT", true, true}));

struct DeletionCase {
    const char* name;
    bool exists;
    bool backedUp;
    bool mayDelete;
};

class ObsoleteFileDeletion : public testing::TestWithParam<DeletionCase> {};

TEST_P(ObsoleteFileDeletion, NeverLosesAConfigurationFileWithoutItsBackup)
{
    EXPECT_EQ(MayDeleteObsoleteFile(GetParam().name, GetParam().exists, GetParam().backedUp), GetParam().mayDelete)
        << GetParam().name << " exists=" << GetParam().exists << " backedUp=" << GetParam().backedUp;
}

INSTANTIATE_TEST_SUITE_P(Files, ObsoleteFileDeletion,
    testing::Values(DeletionCase{"KELD4K.INB", true, false, true},
                    DeletionCase{"DefIni.ini", true, false, true},
                    DeletionCase{"SECURITY.DAB", true, false, true},
                    DeletionCase{"SECURITY.DAT", true, true, true},
                    DeletionCase{"SECURITY.DAT", false, false, true},
                    DeletionCase{"SECURITY.DAT", true, false, false},
                    DeletionCase{"security.dat", true, false, false},
                    DeletionCase{"KELD4K.INI", true, false, false}));

TEST(ObsoleteDataFiles, AreDeletedInTheirOrder)
{
    std::string order;
    for (const char* name : kObsoleteDataFiles)
        order += std::string(name) + " ";
    EXPECT_EQ(order, "KELD4K.INB TESTCTL.INB USERTOOL.INB TESTPREV.RVP SECURITY.DAT SECURITY.DAB DefIni.ini ");
}

}  // namespace
}  // namespace instaux
