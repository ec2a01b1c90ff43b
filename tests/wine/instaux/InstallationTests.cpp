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
#include <shellapi.h>

#include <atomic>
#include <cstdlib>

using namespace instauxtest;
namespace ex = instauxtest::expected;

namespace {

const Seen kSetupWillRun = Message(ex::kSetupWillRun, "OK");
const Seen kReboot = Message(ex::kMayNeedReboot, "OK");
const Seen kOptionsPage = SetupSheet(2);
const std::string kKeldoranEntry = std::string(kUninstallKey) + "\\KELDORAN";

class InstauxInstallation : public testing::Test {
protected:
    void SetUp() override
    {
        ResetProductRegistry();
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
    }

    // Runs the installer silently for `target` with `answers`; its exit
    // code (the installation's mode, 255 when refused).
    int Install(const std::string& target, std::vector<Answer> answers)
    {
        return Install(target, std::move(answers), " /DISK=" + m_disk);
    }
    // The same with `diskOption` for the configuration disk: " /DISK=...",
    // or nothing for the installer's default.
    int Install(const std::string& target, std::vector<Answer> answers, const std::string& diskOption)
    {
        return Run(InstallerCommand(target, " /S" + diskOption), std::move(answers));
    }
    // /D= comes last and takes the folder without the backslash.
    std::string InstallerCommand(const std::string& target, const std::string& options) const
    {
        return testkit::Quoted(testkit::FromUnixPath(KELD_INSTALLER)) + options + " /BACKUP=" + m_backup +
               " /D=" + target.substr(0, target.size() - 1);
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
    EXPECT_TRUE(KeyExists(std::string(kUninstallKey) + "\\KELDORAN"));
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

std::string StartMenuFolder()
{
    return CommonProgramsFolder() + "KELDORAN\\";
}

// The Start menu entries of an installation in `target`, and the program
// each starts.
std::vector<std::pair<std::string, std::string>> StartMenuEntries(const std::string& target)
{
    return {{"KELDORAN.lnk", target + "KELDORAN.EXE"},
            {"KELDORAN Setup.lnk", target + "KELDSetup.exe"},
            {"Uninstall KELDORAN.lnk", target + "Uninstall.exe"}};
}

// The names of the files in `folder`.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The product's files that the uninstaller removes, its own last.
std::vector<std::string> InstalledPrograms()
{
    std::vector<std::string> programs(std::begin(kProgramFiles), std::end(kProgramFiles));
    programs.push_back("Uninstall.exe");
    return programs;
}

TEST_F(InstauxInstallation, InstallingMakesTheStartMenuEntriesAndTheWholeUninstallEntry)
{
    testkit::RemoveTree(StartMenuFolder());  // an earlier test's installation
    DeleteTree(kKeldoranEntry);
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 1);

    const std::string folder = m_target.substr(0, m_target.size() - 1);
    for (const auto& [name, program] : StartMenuEntries(m_target)) {
        Shortcut shortcut = ReadShortcut(StartMenuFolder() + name);
        ASSERT_TRUE(shortcut.read) << StartMenuFolder() << name;
        EXPECT_EQ(shortcut.target, program) << name;
        EXPECT_EQ(shortcut.arguments, "") << name;
        EXPECT_EQ(shortcut.workingFolder, folder) << name;
    }

    // The version the programs' version resources carry.
    const std::string version = FixedFileVersion(m_target + "KELDSetup.exe");
    ASSERT_NE(version, "");
    EXPECT_EQ(FixedFileVersion(testkit::FromUnixPath(KELD_INSTAUX_DLL)), version);
    EXPECT_EQ(GetString(kKeldoranEntry, "DisplayName"), "KELDORAN");
    EXPECT_EQ(GetString(kKeldoranEntry, "DisplayVersion"), version);
    EXPECT_EQ(GetString(kKeldoranEntry, "Publisher"), VersionString(m_target + "KELDSetup.exe", "CompanyName"));
    EXPECT_EQ(GetString(kKeldoranEntry, "InstallLocation"), m_target);
    EXPECT_EQ(GetString(kKeldoranEntry, "UninstallString"), testkit::Quoted(m_target + "Uninstall.exe"));

    // "<file>,<index>": the program's icon.
    const std::string icon = GetString(kKeldoranEntry, "DisplayIcon");
    const size_t comma = icon.rfind(',');
    ASSERT_NE(comma, std::string::npos) << icon;
    EXPECT_EQ(icon.substr(0, comma), m_target + "KELDSetup.exe");
    HICON large = nullptr;
    EXPECT_EQ(ExtractIconExA(icon.substr(0, comma).c_str(), std::atoi(icon.c_str() + comma + 1), &large, nullptr, 1),
              1u)
        << icon;
    if (large)
        DestroyIcon(large);

    // The installation's size in KB: at least its programs, at most all
    // that lies in its folder now, each file rounded up.
    const std::optional<DWORD> size = GetDword(kKeldoranEntry, "EstimatedSize");
    ASSERT_TRUE(size.has_value());
    unsigned long long programs = 0, everything = 0;
    for (const std::string& name : InstalledPrograms())
        programs += testkit::ReadFile(m_target + name).size();
    const std::vector<std::string> files = FilesIn(m_target);
    for (const std::string& name : files)
        everything += testkit::ReadFile(m_target + name).size();
    EXPECT_GE(*size, programs / 1024);
    EXPECT_LE(*size, everything / 1024 + files.size());
}

TEST_F(InstauxInstallation, TheInstallerCarriesTheProductsVersionInformation)
{
    const std::string installer = testkit::FromUnixPath(KELD_INSTALLER);
    const std::string setup = testkit::SetupExePath();
    const std::string version = FixedFileVersion(setup);
    ASSERT_NE(version, "");
    EXPECT_EQ(FixedFileVersion(installer), version);
    EXPECT_EQ(VersionString(installer, "FileVersion"), version);
    EXPECT_EQ(VersionString(installer, "ProductVersion"), version);
    EXPECT_EQ(VersionString(installer, "ProductName"), "KELDORAN");
    EXPECT_EQ(VersionString(installer, "ProductName"), VersionString(setup, "ProductName"));
    EXPECT_EQ(VersionString(installer, "CompanyName"), VersionString(setup, "CompanyName"));
    EXPECT_EQ(VersionString(installer, "FileDescription"), "KELDORAN Installation");
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
    EXPECT_FALSE(KeyExists(std::string(kUninstallKey) + "\\KELDORAN"));
    EXPECT_FALSE(KeyExists(std::string(kProductKey) + "\\SetupExtensions"));
    EXPECT_FALSE(KeyExists(std::string(kProductKey) + "\\Options"));
    EXPECT_EQ(GetString(kProductKey, "InstallDir"), "");
    EXPECT_FALSE(testkit::FileExists(StartMenuFolder()));
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

// The default configuration disk A:\ on a machine without the drive, and a
// disk folder that is not there: the import tool starts all the same, in
// the installation folder, with the file's path, and the installation goes
// on to KELDSetup; a new installation and a Replace alike.
TEST_F(InstauxInstallation, WithoutAConfigurationDiskTheImportToolStillStartsAndKeldsetupRuns)
{
    ASSERT_EQ(GetFileAttributesA("A:\\"), INVALID_FILE_ATTRIBUTES) << "this machine has a drive A:";
    const Seen insertDisk = Message(ex::kInsertDisk, "OK");
    const std::string folder = m_target.substr(0, m_target.size() - 1);
    const std::string missing = m_root + "no disk\\";

    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDOK), Press(IDCANCEL), Press(IDOK)}, ""), 1);
    EXPECT_EQ(m_seen, (std::vector<Seen>{insertDisk, kSetupWillRun, kOptionsPage, kReboot}));
    const std::string newLine = "arguments=1 argument=A:\\KELD.KCI folder=" + folder + " show=5 lock=free\r\n";
    EXPECT_EQ(testkit::ReadFile(m_target + "KELDOpt.log"), newLine);

    for (const char* name : kConfigurationFiles)
        testkit::WriteFile(m_target + name, SampleContent(name));
    ASSERT_EQ(Install(m_target, {Press(1001), Press(IDOK), Press(IDOK), Press(IDCANCEL), Press(IDOK)},
                      " /DISK=" + missing),
              2);
    EXPECT_EQ(m_seen, (std::vector<Seen>{UpdateReplace(ex::kExistingFirstLine, 25), insertDisk, kSetupWillRun,
                                         kOptionsPage, kReboot}));
    EXPECT_EQ(testkit::ReadFile(m_target + "KELDOpt.log"),
              newLine + "arguments=1 argument=" + missing + "KELD.KCI folder=" + folder + " show=5 lock=free\r\n");
}

// Without /S: the Modern UI's welcome, directory, progress and finish
// pages, the library's windows over the progress page as it shows them.
TEST_F(InstauxInstallation, WithoutSilentTheInstallerShowsItsPagesInTurn)
{
    testkit::Process installer(InstallerCommand(m_target, " /DISK=" + m_disk));
    ASSERT_TRUE(installer.Started());
    std::atomic<HWND> wizard{nullptr};
    auto shows = [](HWND window, const std::string& text) {
        for (HWND control : testkit::DescendantsInPreOrder(window))
            if (IsWindowVisible(control) && testkit::TextOf(control) == text)
                return true;
        return false;
    };
    // The installer's window, once it shows its first page.
    auto welcome = [&] {
        for (HWND window : testkit::TopLevelWindowsOfProcess(installer.Id()))
            if (IsWindowVisible(window) && shows(window, "Welcome to KELDORAN Setup")) {
                wizard = window;
                return true;
            }
        return false;
    };
    auto folderField = [&]() -> HWND {
        for (HWND control : testkit::DescendantsInPreOrder(wizard))
            if (IsWindowVisible(control) && GetDlgCtrlID(control) == 1019 && testkit::ClassOf(control) == "Edit")
                return control;
        return nullptr;
    };
    // While the library's windows show, the installer is on its progress page.
    std::vector<bool> overProgressPage;
    std::atomic<int> windowsSeen{0};
    WindowScript script({Press(IDOK), Press(IDCANCEL), Press(IDOK)}, installer.Id());
    script.OnSeen([&](const Seen&) {
        ++windowsSeen;
        HWND bar = nullptr;
        for (HWND control : testkit::DescendantsInPreOrder(wizard))
            if (IsWindowVisible(control) && testkit::ClassOf(control) == "msctls_progress32")
                bar = control;
        overProgressPage.push_back(bar != nullptr);
    });

    ASSERT_TRUE(testkit::WaitFor("the welcome page", welcome, 30000));
    testkit::PressButton(wizard, IDOK);
    ASSERT_TRUE(testkit::WaitFor("the directory page", [&] { return folderField() != nullptr; }));
    EXPECT_EQ(testkit::TextOf(folderField()), m_target.substr(0, m_target.size() - 1));
    testkit::PressButton(wizard, IDOK);
    // The reboot message is the library's last window; the finish page follows.
    ASSERT_TRUE(testkit::WaitFor("the library's three windows", [&] { return windowsSeen == 3; }, 90000));
    ASSERT_TRUE(testkit::WaitFor("the finish page", [&] { return shows(wizard, "Completing KELDORAN Setup"); }));
    testkit::PressButton(wizard, IDOK);
    ASSERT_TRUE(installer.WaitForExit()) << "the finish page's button ends the installer";

    EXPECT_EQ(script.Finish(), (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot}));
    EXPECT_EQ(overProgressPage, std::vector<bool>(3, true));
    DWORD code = 0;
    GetExitCodeProcess(installer.Handle(), &code);
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(testkit::ReadFile(m_target + "KELDSetup.exe"), Payload("KELDSetup.exe"));
}

}  // namespace
