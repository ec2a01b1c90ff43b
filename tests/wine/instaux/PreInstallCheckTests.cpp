// PreInstallCheck of INSTAUX.DLL on a real registry, real files, the real
// instance lock and service manager, its windows answered by a script.
#include "ExpectedTexts.h"
#include "PreInstallFixture.h"
#include "resources/ProductConstants.h"

#include "../DriverFixture.h"
#include "../RunningKeldoran.h"
#include "../TestFiles.h"
#include "../WindowDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

using namespace instauxtest;
namespace ex = instauxtest::expected;
using Names = std::vector<std::string>;

namespace {

const Names kAllConfigurationFiles(std::begin(kConfigurationFiles), std::end(kConfigurationFiles));
const Names kAllDataFiles(std::begin(kObsoleteDataFiles), std::end(kObsoleteDataFiles));

bool Contains(const Names& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<int> PositionsUpTo(const std::vector<int>& positions, int last)
{
    auto end = std::find(positions.begin(), positions.end(), last);
    return std::vector<int>(positions.begin(), end == positions.end() ? end : end + 1);
}

class InstauxPreInstallCheck : public PreInstallFixture {};

// ---- Refusal while a program of the product holds the lock

struct RefusalCase {
    const char* name;
    bool abandoned;  // the lock's owner ended without releasing it
};

class InstauxPreInstallRefusal : public PreInstallFixture, public testing::WithParamInterface<RefusalCase> {};

TEST_P(InstauxPreInstallRefusal, ShowsOnlyTheFirstMessageAndTouchesNothing)
{
    RegisterOptions(2);
    PutConfigurationFiles();
    PutDataFiles();
    HANDLE keepAlive = CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);
    std::optional<testkit::RunningKeldoran> owner;
    if (GetParam().abandoned) {
        testkit::Process abandoner(testkit::Quoted(testkit::MutexAbandonerPath()));
        ASSERT_TRUE(abandoner.WaitForExit());
    } else {
        owner.emplace(testkit::KeldoranExePath());
        ASSERT_EQ(owner->Failure(), "");
    }

    EXPECT_EQ(Check({Press(IDOK)}), -1);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kProductRunning, "OK")});
    EXPECT_TRUE(m_positions.empty());
    EXPECT_FALSE(Contains(m_dialogs, "Please Wait..."));
    EXPECT_TRUE(OptionRegistrationsLeft());
    EXPECT_EQ(DataFilesLeft(), kAllDataFiles);
    EXPECT_TRUE(FilesWithBackup().empty());
    EXPECT_EQ(std::string(m_existing), std::string(sizeof(m_existing) - 1, 'x'));
    if (GetParam().abandoned) {
        EXPECT_TRUE(InstanceLockIsFree()) << "the refused check kept the abandoned lock";
    }

    owner.reset();
    CloseHandle(keepAlive);
}

INSTANTIATE_TEST_SUITE_P(Lock, InstauxPreInstallRefusal,
    testing::Values(RefusalCase{"keldoran_running", false}, RefusalCase{"lock_abandoned", true}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// ---- Directories that are not full paths

struct DirectoryCase {
    const char* name;
    const char* target;  // nullptr: the fixture's target directory
    const char* backup;  // nullptr: the fixture's backup directory
    const char* named;   // the directory the message names
};

class InstauxPreInstallDirectory : public PreInstallFixture, public testing::WithParamInterface<DirectoryCase> {};

// The installer's current directory is the target's parent, where a
// relative name would find the old installation's files.
TEST_P(InstauxPreInstallDirectory, IsRefusedNamingItBeforeAnythingIsTouched)
{
    PutDataFiles();
    RegisterOptions(2);
    std::string parent = m_target.substr(0, m_target.rfind('\\', m_target.size() - 2) + 1);
    for (const char* name : kObsoleteDataFiles)
        testkit::WriteFile(parent + name, SampleContent(name));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(parent.c_str()));

    ThreadRecorder recorder;
    WindowScript script({Press(IDOK)});
    LONG result = m_library.PreInstallCheck(GetParam().target ? GetParam().target : m_target,
                                            GetParam().backup ? GetParam().backup : m_backup, m_existing);
    m_seen = script.Finish();
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(result, -1);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::DirectoryNotFull(GetParam().named), "OK")});
    EXPECT_TRUE(recorder.Positions().empty());
    EXPECT_FALSE(Contains(recorder.Dialogs(), "Please Wait..."));
    EXPECT_TRUE(OptionRegistrationsLeft());
    EXPECT_EQ(DataFilesLeft(), kAllDataFiles);
    for (const char* name : kObsoleteDataFiles)
        EXPECT_TRUE(testkit::FileExists(parent + name)) << name;
    EXPECT_TRUE(InstanceLockIsFree());
    for (const char* name : kObsoleteDataFiles)
        testkit::RemoveFile(parent + name);
}

INSTANTIATE_TEST_SUITE_P(Directories, InstauxPreInstallDirectory,
    testing::Values(DirectoryCase{"empty_target", "", nullptr, ""},
                    DirectoryCase{"relative_target", "target\\", nullptr, "target\\"},
                    DirectoryCase{"target_without_drive", "\\keldtest\\instaux\\target\\", nullptr,
                                  "\\keldtest\\instaux\\target\\"},
                    DirectoryCase{"empty_backup", nullptr, "", ""},
                    DirectoryCase{"relative_backup", nullptr, "backup\\", "backup\\"}),
    [](const testing::TestParamInfo<DirectoryCase>& info) { return std::string(info.param.name); });

// ---- New installation

TEST_F(InstauxPreInstallCheck, FreshMachineAsksNothingCleansUpAndKeepsTheLock)
{
    RegisterOptions(5);
    PutDataFiles();
    testkit::RemoveFile(m_target + "SECURITY.DAT");
    testkit::WriteFile(m_target + "KELD4K.INI", "[Settings]\r\n");

    EXPECT_EQ(Check({}), 1);
    EXPECT_TRUE(m_seen.empty());
    EXPECT_EQ(m_positions, kNewInstallationPositions);
    EXPECT_TRUE(Contains(m_dialogs, "Please Wait..."));
    EXPECT_FALSE(ProgressWindowLeft());
    EXPECT_FALSE(OptionRegistrationsLeft());
    EXPECT_TRUE(KeyExists(kProductKey));
    EXPECT_TRUE(DataFilesLeft().empty());
    EXPECT_TRUE(testkit::FileExists(m_target + "KELD4K.INI"));
    EXPECT_FALSE(InstanceLockIsFree());
    EXPECT_EQ(std::string(m_existing), std::string(sizeof(m_existing) - 1, 'x'));
}

TEST_F(InstauxPreInstallCheck, NewInstallationKeepsASecurityDatThatHasNoBackup)
{
    PutDataFiles();
    EXPECT_EQ(Check({}), 1);
    EXPECT_EQ(DataFilesLeft(), Names{"SECURITY.DAT"});
    EXPECT_EQ(testkit::ReadFile(m_target + "SECURITY.DAT"), SampleContent("SECURITY.DAT"));
}

TEST_F(InstauxPreInstallCheck, OptionCleanUpDeletesEverySubkeyItCanAndLeavesTheRest)
{
    const std::string options = std::string(kProductKey) + "\\Options";
    RegisterOptions(5);
    const std::string longName(120, 'L');
    SetString(options + "\\" + longName, "Installed", "1");
    CreateKey(options + "\\Option 3\\Inputs");

    EXPECT_EQ(Check({}), 1);
    EXPECT_FALSE(KeyExists(std::string(kProductKey) + "\\SetupExtensions"));
    EXPECT_FALSE(KeyExists(std::string(kProductKey) + "\\KELDOPT"));
    EXPECT_EQ(SubkeysOf(options), Names{"Option 3"});
}

// ---- An installation in the target directory: the version decides

struct VersionCase {
    const char* name;
    const char* variant;  // KELDORAN.EXE stand-in below standins/
    bool registered;      // found through "InstallDir" rather than in the target alone
    Seen question;
    Answer answer;
    LONG result;
};

class InstauxPreInstallVersion : public PreInstallFixture, public testing::WithParamInterface<VersionCase> {};

TEST_P(InstauxPreInstallVersion, DecidesTheModeWithTheOperator)
{
    PutKeldoran(m_target, GetParam().variant);
    if (GetParam().registered)
        SetString(kProductKey, "InstallDir", m_target);
    RegisterOptions(2);
    PutConfigurationFiles();
    PutDataFiles();

    const LONG result = Check({GetParam().answer});
    EXPECT_EQ(result, GetParam().result);
    EXPECT_EQ(m_seen, std::vector<Seen>{GetParam().question});
    EXPECT_FALSE(ProgressWindowLeft());
    EXPECT_FALSE(InstanceLockIsFree());
    switch (result) {
    case 2:
        EXPECT_EQ(m_positions, kReplacePositions);
        EXPECT_EQ(FilesWithBackup(), kAllConfigurationFiles);
        EXPECT_FALSE(OptionRegistrationsLeft());
        EXPECT_TRUE(DataFilesLeft().empty());
        break;
    case 3:
        EXPECT_EQ(m_positions, kUpdatePositions);
        EXPECT_TRUE(FilesWithBackup().empty());
        EXPECT_TRUE(OptionRegistrationsLeft());
        EXPECT_EQ(DataFilesLeft(), kAllDataFiles);
        break;
    default:
        EXPECT_EQ(m_positions, PositionsUpTo(kReplacePositions, 25));
        EXPECT_TRUE(FilesWithBackup().empty());
        EXPECT_TRUE(OptionRegistrationsLeft());
        EXPECT_EQ(DataFilesLeft(), kAllDataFiles);
        break;
    }
}

const Seen kOnlyReplaceQuestion = Message(ex::kOnlyReplace, "Yes No", 25);
const Seen kOldDialog = UpdateReplace(ex::kOldFirstLine, 25);
const Seen kExistingDialog = UpdateReplace(ex::kExistingFirstLine, 25);

INSTANTIATE_TEST_SUITE_P(Versions, InstauxPreInstallVersion,
    testing::Values(
        VersionCase{"v1034_yes_replaces", "versions/1034", false, kOnlyReplaceQuestion, Press(IDYES), 2},
        VersionCase{"v1034_no_cancels", "versions/1034", true, kOnlyReplaceQuestion, Press(IDNO), -1},
        VersionCase{"no_version_yes_replaces", "versions/none", false, kOnlyReplaceQuestion, Press(IDYES), 2},
        VersionCase{"dotted_no_cancels", "versions/dotted", false, kOnlyReplaceQuestion, Press(IDNO), -1},
        VersionCase{"v1035_update", "versions/1035", false, kOldDialog, Press(1003), 3},
        VersionCase{"v1035_replace", "versions/1035", true, kOldDialog, Press(1001), 2},
        VersionCase{"v1050_replace", "versions/1050", true, kExistingDialog, Press(1001), 2},
        VersionCase{"v1052_blanks_update", "versions/1052_blanks", false, kExistingDialog, Press(1003), 3},
        VersionCase{"v1050_cancel_button", "versions/1050", false, kExistingDialog, Press(IDCANCEL), -1},
        VersionCase{"v1050_escape", "versions/1050", false, kExistingDialog, Escape(), -1},
        VersionCase{"v1050_close_box", "versions/1050", false, kExistingDialog, CloseBox(), -1},
        VersionCase{"v1050_enter_updates", "versions/1050", false, kExistingDialog, Enter(), 3},
        VersionCase{"v1060_refused", "versions/1060", true, Message(ex::kNewerInstalled, "OK", 25), Press(IDOK), -1}),
    [](const testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.name); });

// ---- Backup before a Replace

struct BackupCase {
    const char* name;
    Names missing;            // configuration files not in the target
    bool securityUnreadable;  // SECURITY.DAT open elsewhere without read sharing
    bool asked;               // the backup error question comes
    Answer answer;            // to it
    LONG result;
    Names backedUp;
    Names dataLeft;
};

class InstauxPreInstallBackup : public PreInstallFixture, public testing::WithParamInterface<BackupCase> {};

TEST_P(InstauxPreInstallBackup, AsksWhenAFileThatExistsOrMustExistHasNoBackup)
{
    PutKeldoran(m_target, "versions/1050");
    PutConfigurationFiles();
    PutDataFiles();
    for (const std::string& name : GetParam().missing)
        testkit::RemoveFile(m_target + name);
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (GetParam().securityUnreadable) {
        // Deleting stays possible: only the copy fails.
        lock = CreateFileA((m_target + "SECURITY.DAT").c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    }

    std::vector<Seen> expectedSeen{kExistingDialog};
    std::vector<Answer> answers{Press(1001)};
    if (GetParam().asked) {
        expectedSeen.push_back(Message(ex::kBackupFailed, "Yes No", 60));
        answers.push_back(GetParam().answer);
    }
    const LONG result = Check(answers);
    if (lock != INVALID_HANDLE_VALUE)
        CloseHandle(lock);

    EXPECT_EQ(result, GetParam().result);
    EXPECT_EQ(m_seen, expectedSeen);
    EXPECT_EQ(FilesWithBackup(), GetParam().backedUp);
    EXPECT_EQ(DataFilesLeft(), GetParam().dataLeft);
    if (Contains(GetParam().dataLeft, "SECURITY.DAT")) {
        EXPECT_EQ(testkit::ReadFile(m_target + "SECURITY.DAT"), SampleContent("SECURITY.DAT"));
    }
}

const Names kAllButAtc{"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI", "SECURITY.DAT"};
const Names kAllButSecurity{"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI", "ATC.CFG"};

INSTANTIATE_TEST_SUITE_P(Files, InstauxPreInstallBackup,
    testing::Values(
        BackupCase{"all_present", {}, false, false, {}, 2, kAllConfigurationFiles, {}},
        BackupCase{"atc_missing_yes", {"ATC.CFG"}, false, true, Press(IDYES), 2, kAllButAtc, {}},
        BackupCase{"atc_missing_no", {"ATC.CFG"}, false, true, Press(IDNO), -1, kAllButAtc, kAllDataFiles},
        BackupCase{"ini_missing_yes", {"TESTCTL.INI"}, false, true, Press(IDYES), 2,
                   {"KELD4K.INI", "NVXTOOLS.INI", "ATC.CFG", "SECURITY.DAT"}, {}},
        BackupCase{"security_missing", {"SECURITY.DAT"}, false, false, {}, 2, kAllButSecurity, {}},
        BackupCase{"security_unreadable_yes_keeps_it", {}, true, true, Press(IDYES), 2, kAllButSecurity,
                   {"SECURITY.DAT"}},
        BackupCase{"security_unreadable_no", {}, true, true, Press(IDNO), -1, kAllButSecurity, kAllDataFiles}),
    [](const testing::TestParamInfo<BackupCase>& info) { return std::string(info.param.name); });

// ---- An installation in another directory

class InstauxPreInstallLocation : public PreInstallFixture {
protected:
    void SetUp() override
    {
        PreInstallFixture::SetUp();
        testkit::RemoveTree("C:\\KELD\\");
        CreateDirectoryA("C:\\KELD", nullptr);
        PutKeldoran("C:\\KELD\\", "versions/1050");
        for (const char* name : kConfigurationFiles)
            testkit::WriteFile(std::string("C:\\KELD\\") + name, SampleContent(name));
        RegisterOptions(2);
    }
    void TearDown() override
    {
        testkit::RemoveTree("C:\\KELD\\");
        PreInstallFixture::TearDown();
    }
    bool OldInstallationIntact() const
    {
        for (const char* name : kConfigurationFiles)
            if (testkit::ReadFile(std::string("C:\\KELD\\") + name) != SampleContent(name))
                return false;
        return testkit::FileExists("C:\\KELD\\KELDORAN.EXE");
    }
};

TEST_F(InstauxPreInstallLocation, SameDirectoryInOtherLetterCaseIsTheSameLocation)
{
    SetString(kProductKey, "InstallDir", "C:\\KELD\\");
    EXPECT_EQ(Check({Press(1003)}, "c:\\keld\\"), 3);
    EXPECT_EQ(m_seen, std::vector<Seen>{kExistingDialog});
}

struct ElsewhereCase {
    const char* name;
    Answer answer;
    LONG result;
    std::vector<int> positions;
};

class InstauxPreInstallElsewhere : public InstauxPreInstallLocation,
                                   public testing::WithParamInterface<ElsewhereCase> {};

TEST_P(InstauxPreInstallElsewhere, WarnsWhenOnlyTheTrailingBackslashDiffers)
{
    SetString(kProductKey, "InstallDir", "C:\\KELD\\");
    EXPECT_EQ(Check({GetParam().answer}, "C:\\KELD"), GetParam().result);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::OtherLocation("C:\\KELD\\"), "Yes No Cancel", 15)});
    EXPECT_EQ(m_positions, GetParam().positions);
    EXPECT_EQ(OptionRegistrationsLeft(), GetParam().result != 1);
    EXPECT_TRUE(OldInstallationIntact());
    EXPECT_FALSE(InstanceLockIsFree());
    EXPECT_EQ(std::string(m_existing), std::string(sizeof(m_existing) - 1, 'x'));
}

INSTANTIATE_TEST_SUITE_P(Answers, InstauxPreInstallElsewhere,
    testing::Values(ElsewhereCase{"yes_installs_anew", Press(IDYES), 1, kElsewhereYesPositions},
                    ElsewhereCase{"cancel", Press(IDCANCEL), -1, {5, 10, 15}}),
    [](const testing::TestParamInfo<ElsewhereCase>& info) { return std::string(info.param.name); });

TEST_F(InstauxPreInstallLocation, NoRedirectsToTheDirectoryAsStoredAndASecondCallUpdatesThere)
{
    SetString(kProductKey, "InstallDir", "c:\\Keld\\");
    EXPECT_EQ(Check({Press(IDNO)}), -256);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::OtherLocation("c:\\Keld\\"), "Yes No Cancel", 15)});
    EXPECT_EQ(std::string(m_existing), "c:\\Keld\\");
    EXPECT_EQ(m_positions, (std::vector<int>{5, 10, 15}));
    EXPECT_TRUE(InstanceLockIsFree());
    EXPECT_FALSE(ProgressWindowLeft());
    EXPECT_TRUE(OptionRegistrationsLeft());

    EXPECT_EQ(Check({Press(1003)}, m_existing), 3);
    EXPECT_EQ(m_seen, std::vector<Seen>{kExistingDialog});
    EXPECT_FALSE(InstanceLockIsFree());
    EXPECT_TRUE(OldInstallationIntact());
}

// ---- The interface card's driver

TEST_F(InstauxPreInstallCheck, RegisteredDriverThatDoesNotRunNeedsNoStop)
{
    ASSERT_TRUE(testkit::InstallDriverFile());
    ASSERT_TRUE(testkit::RegisterDriverService());
    EXPECT_EQ(Check({}), 1);
    EXPECT_TRUE(m_seen.empty());
    EXPECT_TRUE(testkit::QueryDriverService().exists);
    EXPECT_FALSE(testkit::QueryDriverService().running);
}

TEST_F(InstauxPreInstallCheck, RunningDriverIsStoppedBeforeTheResult)
{
    ASSERT_TRUE(testkit::InstallDriverFile());
    ASSERT_TRUE(testkit::RegisterDriverService());
    testkit::SetDriverAddressParameter(800);
    ASSERT_TRUE(testkit::StartDriverService());
    ASSERT_TRUE(testkit::DriverRunningAddress().has_value());

    EXPECT_EQ(Check({}), 1);
    EXPECT_FALSE(testkit::QueryDriverService().running) << "no stop request before the result";
    EXPECT_TRUE(testkit::WaitUntil([] { return !testkit::DriverRunningAddress().has_value(); }, 5000))
        << "the driver was not unloaded";
    EXPECT_TRUE(m_seen.empty());
}

TEST_F(InstauxPreInstallCheck, UpdateLeavesTheOldInstallationAloneButStillStopsTheDriver)
{
    ASSERT_TRUE(testkit::InstallDriverFile());
    ASSERT_TRUE(testkit::RegisterDriverService());
    testkit::SetDriverAddressParameter(800);
    ASSERT_TRUE(testkit::StartDriverService());
    PutKeldoran(m_target, "versions/1050");
    RegisterOptions(2);
    PutConfigurationFiles();
    PutDataFiles();

    EXPECT_EQ(Check({Press(1003)}), 3);
    EXPECT_FALSE(testkit::QueryDriverService().running);
    EXPECT_TRUE(FilesWithBackup().empty());
    EXPECT_TRUE(OptionRegistrationsLeft());
    EXPECT_EQ(DataFilesLeft(), kAllDataFiles);
}

TEST_F(InstauxPreInstallCheck, DriverThatRefusesToStopEndsTheCheckAfterTheCleanUp)
{
    ASSERT_TRUE(StartDriverServiceStandIn(false));
    RegisterOptions(3);
    PutDataFiles();
    testkit::RemoveFile(m_target + "SECURITY.DAT");

    EXPECT_EQ(Check({Press(IDOK)}), -1);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kDriverStopFailed, "OK", 60)});
    EXPECT_EQ(m_positions, PositionsUpTo(kNewInstallationPositions, 60));
    EXPECT_FALSE(OptionRegistrationsLeft());
    EXPECT_TRUE(DataFilesLeft().empty());
    EXPECT_EQ(DriverServiceCurrentState(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_FALSE(ProgressWindowLeft());
    EXPECT_FALSE(InstanceLockIsFree());
}

// ---- How the windows look

struct ProgressLooks {
    bool found = false;
    LONG style = 0;
    std::string text;
    std::string barClass;
    int low = -1, high = -1;
    RECT window{}, work{};
};

TEST_F(InstauxPreInstallCheck, ProgressWindowIsCentredWithCaptionButNoSystemMenu)
{
    PutKeldoran(m_target, "versions/1034");
    ProgressLooks looks;
    ThreadRecorder recorder;
    WindowScript script({Press(IDNO)});
    const DWORD thread = GetCurrentThreadId();
    script.OnSeen([&](const Seen&) {
        HWND window = nullptr;
        for (HWND w : testkit::TopLevelWindowsOfThread(thread))
            if (CaptionOf(w) == "Please Wait...")
                window = w;
        if (!window)
            return;
        looks.found = true;
        looks.style = GetWindowLongA(window, GWL_STYLE);
        for (HWND child : testkit::DescendantsInPreOrder(window))
            if (testkit::ClassOf(child) == "Static")
                looks.text = testkit::TextOf(child);
        HWND bar = GetDlgItem(window, 1000);
        looks.barClass = testkit::ClassOf(bar);
        PBRANGE range{};
        SendMessageTimeoutA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range), SMTO_NORMAL, 5000, nullptr);
        looks.low = range.iLow;
        looks.high = range.iHigh;
        GetWindowRect(window, &looks.window);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        looks.work = monitor.rcWork;
    });
    EXPECT_EQ(m_library.PreInstallCheck(m_target, m_backup, m_existing), -1);
    script.Finish();

    ASSERT_TRUE(looks.found);
    EXPECT_TRUE(looks.style & WS_CAPTION);
    EXPECT_FALSE(looks.style & WS_SYSMENU);
    EXPECT_EQ(looks.text, "Searching for Installed Components...");
    EXPECT_EQ(looks.barClass, "msctls_progress32");
    EXPECT_EQ(looks.low, 0);
    EXPECT_EQ(looks.high, 100);
    EXPECT_NEAR((looks.window.left + looks.window.right) / 2, (looks.work.left + looks.work.right) / 2, 2);
    EXPECT_NEAR((looks.window.top + looks.window.bottom) / 2, (looks.work.top + looks.work.bottom) / 2, 2);
}

struct DialogLooks {
    bool found = false;
    std::string caption;
    LONG style = 0;
    Names statics;
    Names buttons;
    int defaultId = 0;
    std::string owner;
};

TEST_F(InstauxPreInstallCheck, UpdateReplaceDialogShowsItsTextsAndButtonsOverTheProgressWindow)
{
    PutKeldoran(m_target, "versions/1035");
    DialogLooks looks;
    WindowScript script({Press(IDCANCEL)});
    const DWORD thread = GetCurrentThreadId();
    script.OnSeen([&](const Seen&) {
        for (HWND w : testkit::TopLevelWindowsOfThread(thread)) {
            if (CaptionOf(w) != "Update or Replace Existing Version" || !IsWindowVisible(w))
                continue;
            looks.found = true;
            looks.caption = CaptionOf(w);
            looks.style = GetWindowLongA(w, GWL_STYLE);
            for (HWND child : testkit::DescendantsInPreOrder(w)) {
                const std::string text = testkit::TextOf(child);
                const int id = GetDlgCtrlID(child);
                if (testkit::ClassOf(child) == "Static")
                    looks.statics.push_back(text);
                else
                    looks.buttons.push_back(std::to_string(id) + " " + text);
            }
            DWORD_PTR defId = 0;
            SendMessageTimeoutA(w, DM_GETDEFID, 0, 0, SMTO_NORMAL, 5000, &defId);
            looks.defaultId = LOWORD(defId);
            looks.owner = CaptionOf(GetWindow(w, GW_OWNER));
        }
    });
    EXPECT_EQ(m_library.PreInstallCheck(m_target, m_backup, m_existing), -1);
    script.Finish();

    ASSERT_TRUE(looks.found);
    EXPECT_TRUE(looks.style & WS_SYSMENU);
    EXPECT_EQ(looks.statics,
              (Names{ex::kOldFirstLine, "You can either Update your current version or Replace it.",
                     "If you choose Replace:\n    - You will need your configuration disk from version 1.03 or "
                     "later.\n    - Your existing configuration files will be renamed and left intact.",
                     "Would you like to Update this version or Replace it?"}));
    EXPECT_EQ(looks.buttons, (Names{"1003 &Update", "1001 &Replace", "2 Cancel"}));
    EXPECT_EQ(looks.defaultId, 1003);
    EXPECT_EQ(looks.owner, "Please Wait...");
}

}  // namespace
