// Whole installations through the product's installer (NSIS), run as its
// own process, silently unless a test walks its pages: it loads
// INSTAUX.DLL, checks, copies the product's files and finishes, with every
// window of the library and of the programs it starts answered from here.
// And uninstalls through the uninstaller that it writes, started as the
// uninstall entry says.
#include "ExpectedTexts.h"
#include "InstallMachine.h"
#include "InstallScript.h"
#include "ProcessTree.h"

#include "../DriverFixture.h"
#include "../RunningKeldoran.h"
#include "../TestFiles.h"
#include "../WindowDriver.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

using namespace instauxtest;
namespace ex = instauxtest::expected;

namespace {

const Seen kSetupWillRun = Message(ex::kSetupWillRun, "OK");
const Seen kReboot = Message(ex::kMayNeedReboot, "OK");
const Seen kOptionsPage = SetupSheet(2);
const std::string kKeldoranEntry = std::string(kUninstallKey) + "\\KELDORAN";

class InstauxInstallation : public testing::Test {
protected:
    // The prefix outlives a test stopped at its time limit: the installer's
    // own uninstall entry goes before each test as well as after it.
    void SetUp() override
    {
        ResetProductRegistry();
        DeleteTree(kKeldoranEntry);
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
        DeleteTree(kKeldoranEntry);
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
    // Runs the uninstaller as Add/Remove Programs does, by the uninstall
    // entry's command, silently, with `answers` for its messages. It runs
    // from a copy of itself that its first process starts and leaves, so
    // the wait is for every process it started. The copy's exit code.
    long long Uninstall(std::vector<Answer> answers = {})
    {
        std::string command = GetString(kKeldoranEntry, "UninstallString");
        EXPECT_NE(command, "") << "no uninstall entry";
        ProcessTree uninstaller(command + " /S");
        EXPECT_TRUE(uninstaller.Started()) << command;
        WindowScript script(std::move(answers), uninstaller.FirstId());
        EXPECT_TRUE(uninstaller.WaitForAll(60000)) << "the uninstaller and its copy did not end: " << command;
        m_seen = script.Finish();
        const std::vector<long long>& codes = uninstaller.ExitCodes();
        return codes.size() > 1 ? codes.back() : -1;
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
    EXPECT_TRUE(KeyExists(kKeldoranEntry));
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

bool SamePath(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
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

// The operator's profile files of an installation in `target`, with their
// backups and the control profile in the Windows folder: what no uninstall
// removes.
std::vector<std::string> ProfileFiles(const std::string& target)
{
    std::vector<std::string> files;
    for (const char* name : {"KELD4K.INI", "NVXTOOLS.INI", "TESTCTL.INI", "ATC.CFG", "SECURITY.DAT"}) {
        files.push_back(target + name);
        files.push_back(target + name + ".Backup");
    }
    files.push_back(testkit::WindowsFolder() + "KELDORAN.INI");
    return files;
}

// What a wait on the instance lock through `lock` finds (WAIT_OBJECT_0:
// free, WAIT_ABANDONED: left by a program that ended holding it), from a
// thread of its own that gives it back at once.
DWORD LockStateSeenThrough(HANDLE lock)
{
    DWORD wait = WAIT_FAILED;
    std::thread probe([&] {
        wait = WaitForSingleObject(lock, 0);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
            ReleaseMutex(lock);
    });
    probe.join();
    return wait;
}

const std::string kDriverServiceKey = "System\\CurrentControlSet\\Services\\NextMove";

// After the sheet's OK, KELDSetup registers the card driver and starts it.
void ExpectDriverRunsFromTheInstalledImages()
{
    EXPECT_TRUE(testkit::QueryDriverService().running);
    EXPECT_EQ(testkit::DriverRunningAddress(), std::optional<DWORD>(800));
    for (bool x86_64 : {false, true})
        EXPECT_EQ(ReadInstalledDriverImage(x86_64), testkit::ReadFile(testkit::NextMoveImagePath(x86_64)))
            << InstalledDriverImagePath(x86_64);
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

TEST_F(InstauxInstallation, UninstallingRemovesTheDriverTheProgramsAndTheRegistrationsAndKeepsTheProfiles)
{
    // OK on the sheet: KELDSetup registers the driver and starts it.
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDOK), Press(IDOK)}), 1);
    ASSERT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot}));
    ExpectDriverRunsFromTheInstalledImages();
    for (const std::string& file : ProfileFiles(m_target))
        testkit::WriteFile(file, SampleContent(file));
    // A handle on the lock kept open meanwhile, as a loaded INSTAUX keeps
    // one, so that the lock outlives the uninstaller.
    HANDLE lock = CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);

    EXPECT_EQ(Uninstall(), 0);
    EXPECT_EQ(m_seen, std::vector<Seen>{}) << "an uninstall with nothing to tell";

    EXPECT_FALSE(testkit::QueryDriverService().exists);
    EXPECT_FALSE(KeyExists(kDriverServiceKey)) << "nor its parameters";
    for (bool x86_64 : {false, true})
        EXPECT_FALSE(InstalledDriverImageExists(x86_64)) << InstalledDriverImagePath(x86_64);
    for (const std::string& name : InstalledPrograms())
        EXPECT_FALSE(testkit::FileExists(m_target + name)) << name;
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_FALSE(KeyExists(kKeldoranEntry));
    EXPECT_FALSE(testkit::FileExists(StartMenuFolder()));
    for (const std::string& file : ProfileFiles(m_target))
        EXPECT_EQ(testkit::ReadFile(file), SampleContent(file)) << file;
    EXPECT_EQ(LockStateSeenThrough(lock), WAIT_OBJECT_0) << "given back, not left abandoned";
    CloseHandle(lock);
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

TEST_F(InstauxInstallation, AnInstallationAfterAnUninstallIsANewOneAndItsDriverRuns)
{
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDOK), Press(IDOK)}), 1);
    ASSERT_TRUE(testkit::QueryDriverService().running);
    EXPECT_EQ(Uninstall(), 0);
    ASSERT_FALSE(testkit::QueryDriverService().exists);
    testkit::RemoveFile(m_target + "KELDOpt.log");

    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDOK), Press(IDOK)}), 1);
    EXPECT_EQ(m_seen, (std::vector<Seen>{kSetupWillRun, kOptionsPage, kReboot})) << "no Update or Replace question";
    EXPECT_EQ(testkit::ReadFile(m_target + "KELDOpt.log"),
              "arguments=1 argument=" + m_disk + "KELD.KCI folder=" + m_disk.substr(0, m_disk.size() - 1) +
                  " show=5 lock=free\r\n");
    ExpectDriverRunsFromTheInstalledImages();
    EXPECT_EQ(testkit::DriverStartCount(), 1u) << "the driver's parameters are new";
    EXPECT_EQ(GetString(kKeldoranEntry, "InstallLocation"), m_target);
}

TEST_F(InstauxInstallation, UninstallingIsRefusedWhileTheProductRuns)
{
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 1);
    {
        testkit::RunningKeldoran keldoran(m_target + "KELDORAN.EXE");
        ASSERT_EQ(keldoran.Failure(), "");
        EXPECT_EQ(Uninstall({Press(IDOK)}), 2);
        EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kUninstallRefused, "OK")});
        EXPECT_TRUE(keldoran.Stop());
    }
    for (const std::string& name : InstalledPrograms())
        EXPECT_TRUE(testkit::FileExists(m_target + name)) << name;
    for (const auto& [name, program] : StartMenuEntries(m_target))
        EXPECT_TRUE(testkit::FileExists(StartMenuFolder() + name)) << name;
    EXPECT_EQ(GetString(kProductKey, "InstallDir"), m_target);
    EXPECT_EQ(GetString(std::string(kProductKey) + "\\SetupExtensions", "Extension1"), "ATC,MakeOption");
    EXPECT_TRUE(KeyExists(kKeldoranEntry));
    EXPECT_EQ(GetDword(keld::kDriverParametersKey, keld::kDriverAddressValue), std::optional<DWORD>(800));
    for (bool x86_64 : {false, true})
        EXPECT_TRUE(InstalledDriverImageExists(x86_64)) << InstalledDriverImagePath(x86_64);

    // Once the product has ended, the uninstall goes ahead; the driver's
    // parameters go although no service was registered (the sheet was
    // cancelled).
    EXPECT_EQ(Uninstall(), 0);
    EXPECT_FALSE(testkit::FileExists(m_target + "Uninstall.exe"));
    EXPECT_FALSE(KeyExists(kDriverServiceKey));
}

// What Windows deletes at its next start; put back as it was.
class PendingFileRenamesKept {
public:
    ~PendingFileRenamesKept() { SetPendingFileRenameData(m_data); }

private:
    std::string m_data = PendingFileRenameData();
};

TEST_F(InstauxInstallation, ADriverThatDoesNotStopIsRemovedAtTheRestartAndTheOperatorIsTold)
{
    ASSERT_EQ(Install(m_target, {Press(IDOK), Press(IDCANCEL), Press(IDOK)}), 1);
    ASSERT_TRUE(StartDriverServiceStandIn(false));
    PendingFileRenamesKept renamesKept;

    EXPECT_EQ(Uninstall({Press(IDOK)}), 3010) << "success, a restart required";
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kDriverNotStopped, "OK")});
    const auto renames = PendingFileRenames();
    for (bool x86_64 : {false, true}) {
        const std::string image = "\\??\\" + InstalledDriverImagePath(x86_64);
        EXPECT_TRUE(std::any_of(renames.begin(), renames.end(),
                                [&](const auto& rename) { return SamePath(rename.first, image) && rename.second.empty(); }))
            << image << " is not to be deleted at the restart";
        EXPECT_TRUE(InstalledDriverImageExists(x86_64)) << "the running driver keeps its image until then";
    }
    EXPECT_EQ(DriverServiceCurrentState(), static_cast<DWORD>(SERVICE_RUNNING));
    // The rest of the installation has gone.
    for (const std::string& name : InstalledPrograms())
        EXPECT_FALSE(testkit::FileExists(m_target + name)) << name;
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_FALSE(KeyExists(kKeldoranEntry));
    EXPECT_FALSE(testkit::FileExists(StartMenuFolder()));

    // Marked for deletion, the service goes once it has stopped.
    RemoveDriverService();
    EXPECT_FALSE(testkit::QueryDriverService().exists);
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
