// Whole installations: the installer stand-in SETUP.EXE loads INSTAUX.DLL,
// checks, copies the product's files and finishes, as its own process,
// with every window answered from here.
#include "ExpectedTexts.h"
#include "InstallMachine.h"
#include "InstallScript.h"

#include "../DriverFixture.h"
#include "../RunningKeldoran.h"
#include "../TestFiles.h"
#include "../WindowDriver.h"

#include <gtest/gtest.h>

using namespace instauxtest;
namespace ex = instauxtest::expected;

namespace {

const Seen kSetupWillRun = Message(ex::kSetupWillRun, "OK");
const Seen kReboot = Message(ex::kMayNeedReboot, "OK");
const Seen kOptionsPage = SetupSheet(2);

// A quoted command-line argument; a closing backslash is doubled so that it
// does not escape the quote.
std::string Argument(const std::string& text)
{
    std::string quoted = "\"" + text;
    if (!text.empty() && text.back() == '\\')
        quoted += '\\';
    return quoted + '"';
}

class InstauxInstallation : public testing::Test {
protected:
    void SetUp() override
    {
        ResetProductRegistry();
        DeleteDriverService();
        testkit::SetDriverAddressParameter(800);
        m_root = FreshFolder("installation");
        m_target = m_root + "KELDORAN\\";
        m_backup = m_root + "backup\\";
        m_disk = m_root + "disk\\";
        CreateDirectoryA(m_disk.c_str(), nullptr);
        testkit::WriteFile(m_disk + "KELD.KCI", "configuration disk");
        m_controlIni = testkit::WindowsFolder() + "KELDORAN.INI";
        m_controlIniBefore = testkit::FileExists(m_controlIni);
        for (const char* old : {"KELDORANDeinstkey", "KELDORAN103"})
            SetString(std::string(kUninstallKey) + "\\" + old, "DisplayName", old);
    }
    void TearDown() override
    {
        if (!m_controlIniBefore)
            testkit::RemoveFile(m_controlIni);
        testkit::SetDriverAddressParameter(-1);
        ResetProductRegistry();
    }

    // Runs SETUP.EXE for `target` with `answers`; its exit code.
    int Install(const std::string& target, std::vector<Answer> answers)
    {
        std::string command = Argument(testkit::StandInPath("installer/SETUP.EXE")) + " " + Argument(target) + " " +
                              Argument(m_backup) + " " + Argument(m_disk);
        testkit::Process setup(command);
        EXPECT_TRUE(setup.Started());
        WindowScript script(std::move(answers), setup.Id());
        EXPECT_TRUE(setup.WaitForExit(90000)) << "SETUP.EXE did not end";
        m_seen = script.Finish();
        DWORD code = 0;
        GetExitCodeProcess(setup.Handle(), &code);
        return static_cast<int>(code);
    }

    std::string m_root, m_target, m_backup, m_disk, m_controlIni;
    bool m_controlIniBefore = false;
    std::vector<Seen> m_seen;
};

std::string Payload(const std::string& name)
{
    return testkit::ReadFile(testkit::StandInPath("installer/payload/" + name));
}

TEST_F(InstauxInstallation, NewInstallationThenAReplaceThatKeepsTheOldSettingsBesideTheNewOnes)
{
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 1);
    EXPECT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot}));
    for (const char* name : {"KELDORAN.EXE", "KELDSetup.exe", "KELDOpt.EXE", "KELD4K.INI", "NVXTOOLS.INI"})
        EXPECT_EQ(testkit::ReadFile(m_target + name), Payload(name)) << name;
    EXPECT_EQ(testkit::ReadFile(m_target + "KELDOpt.log"),
              "arguments=1 argument=" + m_disk + "KELD.KCI folder=" + m_disk.substr(0, m_disk.size() - 1) +
                  " show=5 lock=free\r\n");
    EXPECT_TRUE(KeyExists(std::string(kUninstallKey) + "\\KELDORAN103")) << "a new installation keeps them";

    // The operator's settings, then a Replace over them.
    for (const char* name : kConfigurationFiles)
        testkit::WriteFile(m_target + name, SampleContent(name));
    ASSERT_EQ(Install(m_target, {Press(1001), Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 2);
    EXPECT_EQ(m_seen, (std::vector<Seen>{UpdateReplace(ex::kExistingFirstLine, 25), kSetupWillRun, kOptionsPage,
                                         kReboot}));
    for (const char* name : kConfigurationFiles)
        EXPECT_EQ(testkit::ReadFile(m_target + name + ".Backup"), SampleContent(name)) << name;
    EXPECT_EQ(testkit::ReadFile(m_target + "KELD4K.INI"), Payload("KELD4K.INI"));
    EXPECT_FALSE(testkit::FileExists(m_target + "SECURITY.DAT"));
    EXPECT_FALSE(KeyExists(std::string(kUninstallKey) + "\\KELDORAN103"));
}

TEST_F(InstauxInstallation, DecliningTheOtherLocationUpdatesTheInstallationWhereItIs)
{
    const std::string old = m_root + "old\\";
    CreateDirectoryA(old.c_str(), nullptr);
    PutKeldoran(old, "versions/1050");
    testkit::WriteFile(old + "KELD4K.INI", "[Settings]\r\nUnits=1\r\nBoardAddress=812\r\n");
    SetString(kProductKey, "InstallDir", old);

    ASSERT_EQ(Install(m_target, {Press(IDNO), Press(1003), Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 3);
    EXPECT_EQ(m_seen, (std::vector<Seen>{Message(ex::OtherLocation(old), "Yes No Cancel", 15),
                                         UpdateReplace(ex::kExistingFirstLine, 25), kSetupWillRun, kOptionsPage,
                                         kReboot}));
    EXPECT_FALSE(testkit::FileExists(m_target)) << "nothing goes to the declined folder";
    EXPECT_EQ(testkit::ReadFile(old + "KELDSetup.exe"), Payload("KELDSetup.exe"));
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "Units", -1, (old + "KELD4K.INI").c_str()), 1)
        << "an Update keeps the settings";
    EXPECT_FALSE(testkit::FileExists(old + "KELDOpt.log")) << "an Update imports nothing";
    EXPECT_FALSE(KeyExists(std::string(kUninstallKey) + "\\KELDORANDeinstkey"));
}

TEST_F(InstauxInstallation, RefusedWhileKeldoranRuns)
{
    testkit::RunningKeldoran keldoran(testkit::StandInPath("keldoran/KELDORAN.EXE"));
    ASSERT_EQ(keldoran.Failure(), "");

    EXPECT_EQ(Install(m_target, {Press(IDOK)}), -1);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kProductRunning, "OK")});
    EXPECT_FALSE(testkit::FileExists(m_target));

    EXPECT_TRUE(keldoran.Stop());
}

}  // namespace
