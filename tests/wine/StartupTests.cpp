// KELDSetup.exe started as a real process: lock, profile files, command line.
#include "RunningKeldoran.h"
#include "TestFiles.h"
#include "WindowDriver.h"
#include "resources/ProductConstants.h"

#include <gtest/gtest.h>

#include <map>

using namespace testkit;

namespace {

const char* const kAlreadyRunning =
    "KELDORAN or KELDSetup is already running.\n\nYou must quit the KELDORAN application before running setup.";
const char* const kFilesHead = "Unable to find or modify the following file(s):\n";
const char* const kFilesTail = "\n\nKELDSetup must be run from an installation of KELDORAN.";

// Contents of the four profile files, to show that a refused start wrote nothing.
std::map<std::string, std::string> Snapshot(const Installation& installation)
{
    std::map<std::string, std::string> files;
    for (const char* name : {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI"})
        files[name] = ReadFile(installation.Path(name));
    files["KELDORAN.INI"] = ReadFile(WindowsFolder() + "KELDORAN.INI");
    return files;
}

void FillProfileFiles(const Installation& installation)
{
    WriteFile(installation.Path("KELD4K.INI"), "[Settings]\r\nUnits=1\r\nBoardAddress=812\r\n");
    WriteFile(installation.Path("NVXTOOLS.INI"), "[Tools]\r\nShaftHeight=2\r\n");
    WriteFile(WindowsFolder() + "KELDORAN.INI", "[FlowCtl]\r\nMaxSubs=7\r\n");
}

// Expects a message box with `text` and the program's caption, answers
// it with OK and expects the program to end without showing a sheet.
void ExpectRefusal(Process& setup, const std::string& text)
{
    ASSERT_TRUE(setup.Started());
    HWND box = WaitForMessageBoxOfProcess(setup.Id());
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(TextOf(box), "KELDORAN Setup");
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_EQ(FindPropertySheet(TopLevelWindowsOfProcess(setup.Id())), nullptr);
    PressButton(box, IDOK);
    EXPECT_TRUE(setup.WaitForExit());
}

HWND ExpectSheet(Process& setup)
{
    EXPECT_TRUE(setup.Started());
    HWND sheet = WaitForSheetOfProcess(setup.Id());
    EXPECT_NE(sheet, nullptr) << "no sheet; message: "
                              << MessageBoxText(FindMessageBox(TopLevelWindowsOfProcess(setup.Id())));
    return sheet;
}

void CancelSheet(Process& setup, HWND sheet)
{
    PressButton(sheet, IDCANCEL);
    EXPECT_TRUE(setup.WaitForExit());
}

// The icons are checked in the sheet's own process: Wine does not pass
// WM_GETICON between processes.
TEST(Startup, ShowsTheSheetWithOkCancelAndHelpButNoApply)
{
    Installation installation = MakeInstallation("sheet");
    Process setup(Quoted(installation.setupExe), installation.folder);
    HWND sheet = ExpectSheet(setup);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(TextOf(sheet), "KELDORAN Setup");
    EXPECT_EQ(ActivePageIndex(sheet), 0);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDCANCEL)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDHELP)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, 0x3021)));
    CancelSheet(setup, sheet);
}

struct CommandLineCase {
    const char* arguments;
    int page;
};

class StartupCommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(StartupCommandLine, ChoosesTheStartPage)
{
    Installation installation = MakeInstallation("cmdline");
    Process setup(Quoted(installation.setupExe) + " " + GetParam().arguments, installation.folder);
    HWND sheet = ExpectSheet(setup);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(ActivePageIndex(sheet), GetParam().page);
    CancelSheet(setup, sheet);
}

INSTANTIATE_TEST_SUITE_P(Arguments, StartupCommandLine,
    testing::Values(CommandLineCase{"/I", 2}, CommandLineCase{"/i", 2}, CommandLineCase{"/install", 2},
                    CommandLineCase{"setup /Item", 2}, CommandLineCase{"-I", 0}, CommandLineCase{"", 0}));

TEST(Startup, IsRefusedWhileKeldoranRunsAndTouchesNoFile)
{
    Installation installation = MakeInstallation("keldoran-running");
    FillProfileFiles(installation);
    std::string keldoran = installation.Path("KELDORAN.EXE");
    ASSERT_TRUE(CopyFileA(KeldoranExePath().c_str(), keldoran.c_str(), FALSE));
    RunningKeldoran app(keldoran, installation.folder);
    ASSERT_EQ(app.Failure(), "");
    auto before = Snapshot(installation);

    Process setup(Quoted(installation.setupExe), installation.folder);
    ExpectRefusal(setup, kAlreadyRunning);
    EXPECT_EQ(Snapshot(installation), before);
    EXPECT_TRUE(app.Stop());
}

TEST(Startup, IsRefusedWhenTheLockWasAbandoned)
{
    Installation installation = MakeInstallation("abandoned");
    auto before = Snapshot(installation);
    // Keep the mutex alive while its owner ends holding it.
    HANDLE lock = CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);
    Process abandoner(Quoted(MutexAbandonerPath()));
    ASSERT_TRUE(abandoner.WaitForExit());
    DWORD status = 1;
    GetExitCodeProcess(abandoner.Handle(), &status);
    ASSERT_EQ(status, 0u);

    Process setup(Quoted(installation.setupExe), installation.folder);
    ExpectRefusal(setup, kAlreadyRunning);
    EXPECT_EQ(Snapshot(installation), before);
    CloseHandle(lock);
}

TEST(Startup, SecondCopyIsRefusedWhileTheFirstShowsItsSheet)
{
    Installation installation = MakeInstallation("second-copy");
    Process first(Quoted(installation.setupExe), installation.folder);
    HWND sheet = ExpectSheet(first);
    ASSERT_NE(sheet, nullptr);
    Process second(Quoted(installation.setupExe), installation.folder);
    ExpectRefusal(second, kAlreadyRunning);
    CancelSheet(first, sheet);
}

TEST(Startup, SecondCopyIsRefusedWhileTheFirstShowsItsFileMessage)
{
    Installation installation = MakeInstallation("second-copy-files", false);
    Process first(Quoted(installation.setupExe), installation.folder);
    HWND box = WaitForMessageBoxOfProcess(first.Id());
    ASSERT_NE(box, nullptr);
    Process second(Quoted(installation.setupExe), installation.folder);
    ExpectRefusal(second, kAlreadyRunning);
    PressButton(box, IDOK);
    EXPECT_TRUE(first.WaitForExit());
}

struct FilesCase {
    const char* name;
    std::vector<std::string> missing;   // names; KELDORAN.INI is in the Windows folder
    std::vector<std::string> readOnly;
    std::vector<std::string> listed;    // in the order of the message
};

class StartupFiles : public testing::TestWithParam<FilesCase> {};

std::string Locate(const Installation& installation, const std::string& name)
{
    return name == "KELDORAN.INI" ? WindowsFolder() + name : installation.Path(name);
}

TEST_P(StartupFiles, ListsEveryFileAtFaultInTestOrder)
{
    Installation installation = MakeInstallation(GetParam().name);
    for (const std::string& name : GetParam().missing)
        RemoveFile(Locate(installation, name));
    for (const std::string& name : GetParam().readOnly)
        SetReadOnly(Locate(installation, name), true);

    std::string expected = kFilesHead;
    for (const std::string& name : GetParam().listed)
        expected += "\n-> " + Locate(installation, name);
    expected += kFilesTail;

    Process setup(Quoted(installation.setupExe), installation.folder);
    ExpectRefusal(setup, expected);
    for (const std::string& name : GetParam().readOnly)
        SetReadOnly(Locate(installation, name), false);
}

INSTANTIATE_TEST_SUITE_P(Files, StartupFiles,
    testing::Values(
        FilesCase{"control-and-test-missing", {"TESTCTL.INI", "KELDORAN.INI"}, {}, {"KELDORAN.INI", "TESTCTL.INI"}},
        FilesCase{"program-read-only", {}, {"KELD4K.INI"}, {"KELD4K.INI"}},
        FilesCase{"all-at-fault", {"KELDORAN.INI", "NVXTOOLS.INI", "TESTCTL.INI"}, {"KELD4K.INI"},
                  {"KELDORAN.INI", "KELD4K.INI", "NVXTOOLS.INI", "TESTCTL.INI"}},
        FilesCase{"tools-missing", {"NVXTOOLS.INI"}, {}, {"NVXTOOLS.INI"}}),
    [](const testing::TestParamInfo<FilesCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == '-')
                c = '_';
        return name;
    });

TEST(Startup, ProgramAtADriveRootUsesSingleBackslashPaths)
{
    const std::string exe = "C:\\KELDSetup.exe";
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), exe.c_str(), FALSE));
    for (const char* name : {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI"})
        RemoveFile(std::string("C:\\") + name);
    WriteFile(WindowsFolder() + "KELDORAN.INI", "");

    Process setup(Quoted(exe), "C:\\");
    ExpectRefusal(setup, std::string(kFilesHead) + "\n-> C:\\KELD4K.INI\n-> C:\\NVXTOOLS.INI\n-> C:\\TESTCTL.INI" +
                             kFilesTail);
    RemoveFile(exe);
}

}  // namespace
