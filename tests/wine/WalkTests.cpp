// KELDSetup.exe as an operator meets it: started as a process, worked
// through its windows, its files read afterwards.
#include "DriverFixture.h"
#include "TestFiles.h"
#include "WindowDriver.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

using namespace testkit;

namespace {

// Moves the keyboard focus inside the other process's page.
void FocusControl(HWND page, int id)
{
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, id)), TRUE);
}

// Wine's per-program settings for KELDSetup.exe: the Windows version it
// reports to the program.
constexpr const char* kProgramDefaultsKey = "Software\\Wine\\AppDefaults\\KELDSetup.exe";

// The prefix outlives a test stopped at its time limit: SetUp clears what
// a test may have left, as TearDown does.
class Walk : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgramDefaultsKey);
        RemoveDriverService();
        ASSERT_TRUE(InstallDriverFile());
    }
    void TearDown() override
    {
        RemoveDriverService();
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgramDefaultsKey);
    }
};

TEST_F(Walk, MetricShaftHeightTypedAsAnExpressionIsStoredInInches)
{
    Installation installation = MakeInstallation("walk");
    {
        Process setup(Quoted(installation.setupExe), installation.folder);
        HWND sheet = WaitForSheetOfProcess(setup.Id());
        ASSERT_NE(sheet, nullptr);
        PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_UNITS_METRIC), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor("Metric to be checked", [&] {
            return SendMessageA(GetDlgItem(CurrentPage(sheet), IDC_UNITS_METRIC), BM_GETCHECK, 0, 0) == BST_CHECKED;
        }));
        HWND general = ShowPage(sheet, 1);
        HWND shaft = GetDlgItem(general, IDC_SHAFT_HEIGHT);
        EXPECT_EQ(TextOf(shaft), "25.4");
        FocusControl(general, IDC_SHAFT_HEIGHT);
        WaitFor("the focus on Tool Shaft Height", [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            return GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &info) && info.hwndFocus == shaft;
        });
        SendMessageA(shaft, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("25.4*2"));
        FocusControl(general, IDC_L_FACTOR);
        EXPECT_TRUE(WaitFor("the shaft height to show 50.8", [&] { return TextOf(shaft) == "50.8"; }, 5000))
            << TextOf(shaft);
        PressButton(sheet, IDOK);
        EXPECT_TRUE(setup.WaitForExit());
    }
    EXPECT_EQ(ProfileText(installation.Path("NVXTOOLS.INI"), "Tools", "ShaftHeight"), "2");
    EXPECT_EQ(ProfileText(installation.Path("KELD4K.INI"), "Settings", "Units"), "1");

    Process again(Quoted(installation.setupExe), installation.folder);
    HWND sheet = WaitForSheetOfProcess(again.Id());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(CurrentPage(sheet), IDC_UNITS_METRIC), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(GetDlgItem(ShowPage(sheet, 1), IDC_SHAFT_HEIGHT)), "50.8");
    PressButton(sheet, IDCANCEL);
    EXPECT_TRUE(again.WaitForExit());
}

TEST_F(Walk, OnWindows98NeitherTheRegistryNorTheDriverIsUsed)
{
    HKEY key = nullptr;
    // Volatile, so that it goes with the wineserver at the latest.
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProgramDefaultsKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    RegCloseKey(key);
    Installation installation = MakeInstallation("windows98");
    SetDriverAddressParameter(-1);

    Process setup(Quoted(installation.setupExe), installation.folder);
    HWND sheet = WaitForSheetOfProcess(setup.Id());
    ASSERT_NE(sheet, nullptr) << MessageBoxText(FindMessageBox(TopLevelWindowsOfProcess(setup.Id())));
    EXPECT_EQ(TextOf(GetDlgItem(ShowPage(sheet, 3), IDC_ADDRESS)), "800 (320 hex)");
    PressButton(sheet, IDOK);
    EXPECT_TRUE(setup.WaitForExit());

    EXPECT_EQ(ProfileText(installation.Path("KELD4K.INI"), "Settings", "BoardAddress"), "<absent>");
    EXPECT_EQ(ProfileText(installation.Path("KELD4K.INI"), "Settings", "Units"), "0");
    EXPECT_FALSE(QueryDriverService().exists);
    DWORD address = 0;
    EXPECT_FALSE(ReadDriverAddressParameter(address));
}

}  // namespace
