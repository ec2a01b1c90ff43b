// PostInstall of INSTAUX.DLL after a real pre-install check: backups put
// back, the import tool and KELDSetup started for real and waited for, the
// closing messages, the old uninstall entries.
#include "ExpectedTexts.h"
#include "PreInstallFixture.h"

#include "../RunningKeldoran.h"
#include "../TestFiles.h"
#include "../WindowDriver.h"

#include <atomic>
#include <sstream>

using namespace instauxtest;
namespace ex = instauxtest::expected;
using Names = std::vector<std::string>;

namespace {

const std::string kUninstall = kUninstallKey;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class InstauxPostInstall : public PreInstallFixture {
protected:
    void SetUp() override
    {
        PreInstallFixture::SetUp();
        m_surroundings.SetUp();
        for (const char* old : {"KELDORANDeinstkey", "KELDORAN103", "KELDORAN200"})
            SetString(kUninstall + "\\" + old, "DisplayName", old);
    }
    void TearDown() override
    {
        if (m_setupProcess)
            CloseHandle(m_setupProcess);
        m_surroundings.TearDown();
        PreInstallFixture::TearDown();
    }

    void Install(bool importTool = true, bool setup = true) { PutProductFiles(m_target, importTool, setup); }

    // Runs PostInstall with `answers`; notes for the KELDSetup sheet
    // whether the import tool had run, and keeps a handle of its process.
    LONG Finish(std::vector<Answer> answers)
    {
        WindowScript script(std::move(answers));
        script.OnSeen([this](const Seen& seen) {
            if (seen.kind != "sheet")
                return;
            m_importRanBeforeSetup = testkit::FileExists(m_target + "KELDOpt.log");
            for (HWND w : testkit::TopLevelWindowsOfProcess(0)) {
                DWORD process = 0;
                GetWindowThreadProcessId(w, &process);
                if (process != GetCurrentProcessId() && CaptionOf(w) == "KELDORAN Setup" && !m_setupProcess)
                    m_setupProcess = OpenProcess(SYNCHRONIZE, FALSE, process);
            }
        });
        LONG result = m_library.PostInstall(m_surroundings.disk);
        m_seen = script.Finish();
        return result;
    }

    Names ImportRuns() const { return Lines(testkit::ReadFile(m_target + "KELDOpt.log")); }
    std::string ImportRun() const
    {
        std::string folder = m_surroundings.disk.substr(0, m_surroundings.disk.size() - 1);
        return "arguments=1 argument=" + m_surroundings.disk + "KELD.KCI folder=" + folder + " show=5 lock=free";
    }
    bool SetupEnded() const { return m_setupProcess && WaitForSingleObject(m_setupProcess, 0) == WAIT_OBJECT_0; }
    Names OldUninstallEntries() const
    {
        Names left;
        for (const char* old : {"KELDORANDeinstkey", "KELDORAN103", "KELDORAN200"})
            if (KeyExists(kUninstall + "\\" + old))
                left.push_back(old);
        return left;
    }

    PostInstallSurroundings m_surroundings;
    bool m_importRanBeforeSetup = false;
    HANDLE m_setupProcess = nullptr;
};

const Seen kSetupWillRun = Message(ex::kSetupWillRun, "OK");
const Seen kReboot = Message(ex::kMayNeedReboot, "OK");
const Seen kOptionsPage = SetupSheet(2);
const Names kAllUninstallEntries{"KELDORANDeinstkey", "KELDORAN103", "KELDORAN200"};

TEST_F(InstauxPostInstall, NewInstallationImportsThenRunsSetupEachWithTheLockFree)
{
    ASSERT_EQ(Check({}), 1);
    Install();
    EXPECT_EQ(Finish({Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 0);
    EXPECT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot}));
    EXPECT_EQ(ImportRuns(), Names{ImportRun()});
    EXPECT_TRUE(m_importRanBeforeSetup);
    EXPECT_TRUE(SetupEnded()) << "PostInstall returned before KELDSetup ended";
    EXPECT_EQ(OldUninstallEntries(), kAllUninstallEntries);
    EXPECT_TRUE(InstanceLockIsFree());
}

TEST_F(InstauxPostInstall, WaitsForTheImportToolBeforeGoingOn)
{
    ASSERT_EQ(Check({}), 1);
    Install();
    // The tool starts suspended and is then held until it has written its
    // log; every window after it, and the return, come once it has ended.
    std::atomic<int> windowsBeforeTheImportEnded{0};
    bool endedBeforeReturn = false;
    {
        HeldImportTool held(m_target + "KELDOpt.log");
        WindowScript script({Press(IDOK), Press(IDCANCEL), Press(IDOK)});
        script.OnSeen([&](const Seen&) {
            if (!held.Ended())
                ++windowsBeforeTheImportEnded;
        });
        EXPECT_EQ(m_library.PostInstall(m_surroundings.disk), 0);
        endedBeforeReturn = held.Ended();
        m_seen = script.Finish();
    }

    EXPECT_EQ(windowsBeforeTheImportEnded, 0) << "PostInstall went on before the import tool ended";
    EXPECT_TRUE(endedBeforeReturn) << "PostInstall returned before the import tool ended";
    EXPECT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot}));
    EXPECT_EQ(ImportRuns(), Names{ImportRun()});
}

TEST_F(InstauxPostInstall, MissingConfigurationDiskIsAskedForOnceThenTheImportRunsAnyway)
{
    testkit::RemoveFile(m_surroundings.disk + "KELD.KCI");
    ASSERT_EQ(Check({}), 1);
    Install();
    EXPECT_EQ(Finish({Press(IDOK), Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 0);
    EXPECT_EQ(m_seen, (std::vector<Seen>{Message(ex::kInsertDisk, "OK"), kSetupWillRun, kOptionsPage, kReboot}));
    EXPECT_EQ(ImportRuns(), Names{ImportRun()});
}

TEST_F(InstauxPostInstall, MissingImportToolSkipsSetupAndSaysHowToFinish)
{
    ASSERT_EQ(Check({}), 1);
    Install(false, true);
    EXPECT_EQ(Finish({Press(IDOK), Press(IDOK), Press(IDOK)}), 0);
    EXPECT_EQ(m_seen, (std::vector<Seen>{Message(ex::kImportFailed, "OK"), Message(ex::kSetupFailed, "OK"), kReboot}));
    EXPECT_EQ(m_setupProcess, nullptr);
    EXPECT_TRUE(InstanceLockIsFree());
}

TEST_F(InstauxPostInstall, MissingSetupProgramIsReportedAfterTheImport)
{
    ASSERT_EQ(Check({}), 1);
    Install(true, false);
    EXPECT_EQ(Finish({Press(IDOK), Press(IDOK), Press(IDOK)}), 0);
    EXPECT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, Message(ex::kSetupFailed, "OK"), kReboot}));
    EXPECT_EQ(ImportRuns(), Names{ImportRun()});
}

TEST_F(InstauxPostInstall, UpdateRunsOnlySetupAndRemovesTheOldUninstallEntries)
{
    PutKeldoran(m_target, "versions/1050");
    PutConfigurationFiles();
    testkit::RemoveFile(m_surroundings.disk + "KELD.KCI");
    ASSERT_EQ(Check({Press(1003)}), 3);
    Install();
    EXPECT_EQ(Finish({Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 0);
    EXPECT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot}));
    EXPECT_TRUE(ImportRuns().empty());
    EXPECT_TRUE(SetupEnded());
    EXPECT_EQ(OldUninstallEntries(), Names{"KELDORAN200"});
    for (const char* name : kConfigurationFiles)
        EXPECT_FALSE(testkit::FileExists(m_target + name + ".Backup")) << name;
    EXPECT_TRUE(InstanceLockIsFree());
}

struct ReplaceCase {
    const char* name;
    Names missing;  // configuration files the old installation did not have
    bool restoreMessage;
};

class InstauxPostInstallReplace : public InstauxPostInstall, public testing::WithParamInterface<ReplaceCase> {};

TEST_P(InstauxPostInstallReplace, LeavesEveryOldConfigurationFileBesideTheNewInstallation)
{
    PutKeldoran(m_target, "versions/1050");
    PutConfigurationFiles();
    for (const std::string& name : GetParam().missing)
        testkit::RemoveFile(m_target + name);
    std::vector<Answer> checkAnswers{Press(1001)};
    bool backupQuestion = GetParam().restoreMessage;  // the same files fail both ways
    if (backupQuestion)
        checkAnswers.push_back(Press(IDYES));
    ASSERT_EQ(Check(checkAnswers), 2);
    Install();

    std::vector<Seen> expected{kSetupWillRun, kOptionsPage, kReboot};
    std::vector<Answer> answers{Press(IDOK), Press(IDCANCEL), Press(IDOK)};
    if (GetParam().restoreMessage) {
        expected.insert(expected.begin(), Message(ex::kRestoreFailed, "OK"));
        answers.insert(answers.begin(), Press(IDOK));
    }
    EXPECT_EQ(Finish(answers), 0);
    EXPECT_EQ(m_seen, expected);
    for (const char* name : kConfigurationFiles) {
        bool existed = std::find(GetParam().missing.begin(), GetParam().missing.end(), name) ==
                       GetParam().missing.end();
        std::string backup = m_target + name + ".Backup";
        EXPECT_EQ(testkit::FileExists(backup), existed) << name;
        if (existed) {
            EXPECT_EQ(testkit::ReadFile(backup), SampleContent(name)) << name;
        }
    }
    EXPECT_EQ(ImportRuns(), Names{ImportRun()});
    EXPECT_EQ(OldUninstallEntries(), Names{"KELDORAN200"});
}

INSTANTIATE_TEST_SUITE_P(Files, InstauxPostInstallReplace,
    testing::Values(ReplaceCase{"all_present", {}, false},
                    ReplaceCase{"security_missing", {"SECURITY.DAT"}, false},
                    ReplaceCase{"atc_missing", {"ATC.CFG"}, true},
                    ReplaceCase{"two_missing_one_message", {"ATC.CFG", "TESTCTL.INI"}, true}),
    [](const testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.name); });

// Backups of an earlier installation lie in the backup directory and
// beside the target's files; this Replace cannot back up ATC.CFG.
TEST_F(InstauxPostInstall, ReplaceRestoresOnlyWhatItsCheckBackedUpOverEarlierBackups)
{
    PutKeldoran(m_target, "versions/1050");
    PutConfigurationFiles();
    testkit::RemoveFile(m_target + "ATC.CFG");
    for (const char* name : kConfigurationFiles) {
        testkit::WriteFile(m_backup + name + ".Backup", std::string("earlier backup of ") + name);
        testkit::WriteFile(m_target + name + ".Backup", std::string("target's own backup of ") + name);
    }
    ASSERT_EQ(Check({Press(1001), Press(IDYES)}), 2);
    for (const char* name : kConfigurationFiles) {
        std::string expected = name == std::string("ATC.CFG") ? "earlier backup of ATC.CFG" : SampleContent(name);
        EXPECT_EQ(testkit::ReadFile(m_backup + name + ".Backup"), expected) << name;
    }
    Install();

    EXPECT_EQ(Finish({Press(IDOK), Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 0);
    EXPECT_EQ(m_seen, (std::vector<Seen>{Message(ex::kRestoreFailed, "OK"), kSetupWillRun, kOptionsPage, kReboot}));
    for (const char* name : kConfigurationFiles) {
        std::string expected =
            name == std::string("ATC.CFG") ? "target's own backup of ATC.CFG" : SampleContent(name);
        EXPECT_EQ(testkit::ReadFile(m_target + name + ".Backup"), expected) << name;
    }
}

// The first installation has ended; then the product runs and holds the
// lock, and the installer checks again.
TEST_F(InstauxPostInstall, CheckRefusedWhileTheProductRunsForgetsTheEarlierDecision)
{
    ASSERT_EQ(Check({}), 1);
    Install();
    ASSERT_EQ(Finish({Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 0);
    testkit::RemoveFile(m_target + "KELDOpt.log");

    testkit::RunningKeldoran keldoran(testkit::KeldoranExePath());
    ASSERT_EQ(keldoran.Failure(), "");
    ASSERT_EQ(Check({Press(IDOK)}), -1);
    ASSERT_EQ(m_seen, std::vector<Seen>{Message(ex::kProductRunning, "OK")});

    EXPECT_EQ(Finish({}), 0);
    EXPECT_TRUE(m_seen.empty());
    EXPECT_TRUE(ImportRuns().empty());
    EXPECT_TRUE(keldoran.Stop());
}

struct WithoutDecisionCase {
    const char* name;
    const char* variant;  // "" for none
    Answer answer;
};

class InstauxPostInstallWithoutDecision : public InstauxPostInstall,
                                          public testing::WithParamInterface<WithoutDecisionCase> {};

// Nothing was installed: no program of the product is started.
TEST_P(InstauxPostInstallWithoutDecision, StartsNothing)
{
    if (*GetParam().variant) {
        PutKeldoran(m_target, GetParam().variant);
        ASSERT_EQ(Check({GetParam().answer}), -1);
    }
    Install();
    EXPECT_EQ(Finish({}), 0);
    EXPECT_TRUE(m_seen.empty());
    EXPECT_TRUE(ImportRuns().empty());
    EXPECT_EQ(OldUninstallEntries(), kAllUninstallEntries);
}

INSTANTIATE_TEST_SUITE_P(Checks, InstauxPostInstallWithoutDecision,
    testing::Values(WithoutDecisionCase{"no_check", "", {}},
                    WithoutDecisionCase{"newer_version_refused", "versions/1060", Press(IDOK)},
                    WithoutDecisionCase{"dialog_cancelled", "versions/1050", Press(IDCANCEL)}),
    [](const testing::TestParamInfo<WithoutDecisionCase>& info) { return std::string(info.param.name); });

}  // namespace
