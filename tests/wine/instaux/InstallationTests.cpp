// Whole installations through the product's installer (NSIS), run silently
// as its own process: it loads INSTAUX.DLL, checks, copies the product's
// files and finishes, with every window of the library and of the programs
// it starts answered from here.
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
const std::string kInstallerUninstallKey = std::string(kUninstallKey) + "\\KELDORAN";

class InstauxInstallation : public testing::Test {
protected:
    // The prefix outlives a test stopped at its time limit: the installer's
    // own uninstall entry goes before each test as well as after it.
    void SetUp() override
    {
        ResetProductRegistry();
        DeleteTree(kInstallerUninstallKey);
        RemoveDriverService();
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
        DeleteTree(kInstallerUninstallKey);
    }

    // Runs the installer silently for `target` with `answers`; its exit
    // code (the installation's mode, 255 when refused).
    int Install(const std::string& target, std::vector<Answer> answers)
    {
        std::string folder = target.substr(0, target.size() - 1);  // /D= takes it without the backslash
        return Run(testkit::Quoted(testkit::FromUnixPath(KELD_INSTALLER)) + " /S /BACKUP=" + m_backup +
                       " /DISK=" + m_disk + " /D=" + folder,
                   std::move(answers));
    }
    // The uninstaller copies itself away and runs from there, so that it
    // can delete itself; it deletes its own file last, after the programs
    // and the registrations.
    void Uninstall(const std::string& target)
    {
        Run(testkit::Quoted(target + "Uninstall.exe") + " /S", {});
        testkit::WaitFor("the uninstaller to remove itself",
                         [&] { return !testkit::FileExists(target + "Uninstall.exe"); }, 30000);
    }
    int Run(const std::string& command, std::vector<Answer> answers)
    {
        testkit::Process installer(command);
        EXPECT_TRUE(installer.Started()) << command;
        WindowScript script(std::move(answers), installer.Id());
        EXPECT_TRUE(installer.WaitForExit(90000)) << "the installer did not end: " << command;
        m_seen = script.Finish();
        DWORD code = 0;
        GetExitCodeProcess(installer.Handle(), &code);
        return static_cast<int>(code);
    }

    std::string m_root, m_target, m_backup, m_disk, m_controlIni;
    bool m_controlIniBefore = false;
    std::vector<Seen> m_seen;
};

// The file the installer carries as `name`.
std::string Payload(const std::string& name)
{
    if (name == "KELDSetup.exe")
        return testkit::ReadFile(testkit::SetupExePath());
    if (name == "KELDORAN.EXE")
        return testkit::ReadFile(testkit::KeldoranExePath());
    if (name == "KELDOpt.EXE")
        return testkit::ReadFile(testkit::KeldOptExePath());
    if (name.size() > 4 && name.substr(name.size() - 4) == ".DLL")
        return testkit::ReadFile(testkit::StandInPath("extensions/" + name));
    return testkit::ReadFile(testkit::FromUnixPath(std::string(KELD_SOURCE_DIR) + "/installer/payload/" + name));
}

const char* const kProgramFiles[] = {"KELDORAN.EXE", "KELDSetup.exe", "KELDOpt.EXE", "ATC.DLL",
                                     "SPINDLE.DLL",  "COOLANT.DLL",   "CTRLBRD.DLL"};

TEST_F(InstauxInstallation, NewInstallationThenAReplaceThatKeepsTheOldSettingsBesideTheNewOnes)
{
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 1);
    EXPECT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot}));
    for (const char* name : kProgramFiles)
        EXPECT_EQ(testkit::ReadFile(m_target + name), Payload(name)) << name;
    for (const char* name : {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI"})
        EXPECT_EQ(testkit::ReadFile(m_target + name), Payload(name)) << name;
    EXPECT_EQ(GetString(kProductKey, "InstallDir"), m_target);
    EXPECT_EQ(GetString(std::string(kProductKey) + "\\SetupExtensions", "Extension1"), "ATC,MakeOption");
    EXPECT_TRUE(KeyExists(kInstallerUninstallKey));
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

TEST_F(InstauxInstallation, AnUpdateKeepsTheSettingsAndReplacesThePrograms)
{
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 1);
    testkit::WriteFile(m_target + "KELD4K.INI", "[Settings]\r\nUnits=1\r\n");
    testkit::WriteFile(m_target + "KELDSetup.exe", "an old program");
    ASSERT_EQ(Install(m_target, {Press(1003), Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 3);
    EXPECT_EQ(m_seen, (std::vector<Seen>{UpdateReplace(ex::kExistingFirstLine, 25), kSetupWillRun, kOptionsPage,
                                         kReboot}));
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "Units", -1, (m_target + "KELD4K.INI").c_str()), 1);
    EXPECT_EQ(testkit::ReadFile(m_target + "KELDSetup.exe"), Payload("KELDSetup.exe"));
}

TEST_F(InstauxInstallation, UninstallingRemovesTheProgramsAndKeepsTheConfiguration)
{
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 1);
    testkit::WriteFile(m_target + "ATC.CFG", SampleContent("ATC.CFG"));
    Uninstall(m_target);
    for (const char* name : kProgramFiles)
        EXPECT_FALSE(testkit::FileExists(m_target + name)) << name;
    EXPECT_FALSE(testkit::FileExists(m_target + "Uninstall.exe"));
    for (const char* name : {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI"})
        EXPECT_EQ(testkit::ReadFile(m_target + name), Payload(name)) << name;
    EXPECT_EQ(testkit::ReadFile(m_target + "ATC.CFG"), SampleContent("ATC.CFG"));
    EXPECT_FALSE(KeyExists(kInstallerUninstallKey));
    EXPECT_FALSE(KeyExists(std::string(kProductKey) + "\\SetupExtensions"));
    EXPECT_FALSE(KeyExists(std::string(kProductKey) + "\\Options"));
    EXPECT_EQ(GetString(kProductKey, "InstallDir"), "");
}

TEST_F(InstauxInstallation, RefusedWhileKeldoranRuns)
{
    testkit::RunningKeldoran keldoran(testkit::KeldoranExePath());
    ASSERT_EQ(keldoran.Failure(), "");

    EXPECT_EQ(Install(m_target, {Press(IDOK)}), 255);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kProductRunning, "OK")});
    EXPECT_FALSE(testkit::FileExists(m_target));

    EXPECT_TRUE(keldoran.Stop());
}

}  // namespace
