// The Reinstall Options dialog behind the page's Reinstall... button.
#include "OptionsPageFixture.h"

#include "resources/resource.h"

using namespace optionstest;
using namespace testkit;

namespace {

HWND WaitForReinstallDialog(DWORD uiThread)
{
    HWND dialog = nullptr;
    WaitFor("the Reinstall Options dialog", [&] {
        for (HWND window : TopLevelWindowsOfThread(uiThread))
            if (IsWindowVisible(window) && TextOf(window) == "Reinstall Options")
                dialog = window;
        return dialog != nullptr;
    });
    return dialog;
}

class ReinstallDialog : public OptionsPage {
protected:
    // Three removed options, registered out of their sorted order, and one
    // installed one.
    void SetUp() override
    {
        OptionsPage::SetUp();
        if (HasFatalFailure())
            return;
        for (const char* module : {"CCC", "AAA", "BBB", "LISTED"})
            PutModule(std::string(module) + ".DLL");
        for (const char* module : {"CCC", "AAA", "BBB"})
            NotInstalled(module);
        Installed("LISTED");
        Register({"CCC,MakeOption", "LISTED,MakeOption", "AAA,MakePlain", "BBB,MakeOption"});
    }
};

TEST_F(ReinstallDialog, ListsTheRemovedOptionsSortedAndEnablesReinstallOnlyWhileOneIsChecked)
{
    DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> items;
    bool atStart = true, afterCheck = false, afterClear = true;
    RunOptions([&](HWND sheet, HWND page) {
        PressButton(page, IDC_REINSTALL);
        HWND dialog = WaitForReinstallDialog(uiThread);
        ASSERT_NE(dialog, nullptr);
        HWND list = GetDlgItem(dialog, IDC_REMOVED_LIST);
        items = Items(list);
        atStart = Enabled(dialog, IDC_REINSTALL_CHOSEN);
        ClickCheckBox(list, 1);
        ui.WaitForPostedMessages();
        afterCheck = Enabled(dialog, IDC_REINSTALL_CHOSEN);
        ClickCheckBox(list, 1);
        ui.WaitForPostedMessages();
        afterClear = Enabled(dialog, IDC_REINSTALL_CHOSEN);
        PressButton(dialog, IDCANCEL);
        ASSERT_TRUE(WaitFor("the dialog to close", [&] { return !IsWindow(dialog); }));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, (std::vector<std::string>{"AAA", "BBB...", "CCC..."}));
    EXPECT_FALSE(atStart);
    EXPECT_TRUE(afterCheck);
    EXPECT_FALSE(afterClear);
}

TEST_F(ReinstallDialog, ReinstallsTheCheckedOptionsLastItemFirst)
{
    DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> items;
    std::vector<bool> checks;
    bool reinstallAfter = false;
    int selected = -1;
    RunOptions([&](HWND sheet, HWND page) {
        PressButton(page, IDC_REINSTALL);
        HWND dialog = WaitForReinstallDialog(uiThread);
        ASSERT_NE(dialog, nullptr);
        HWND list = GetDlgItem(dialog, IDC_REMOVED_LIST);
        ClickCheckBox(list, 0);
        ClickCheckBox(list, 2);
        PressButton(dialog, IDC_REINSTALL_CHOSEN);
        ASSERT_TRUE(WaitFor("the dialog to close", [&] { return !IsWindow(dialog); }));
        ui.WaitForPostedMessages();
        HWND options = GetDlgItem(page, IDC_OPTION_LIST);
        items = Items(options);
        checks = Checks(options);
        selected = Selection(options);
        reinstallAfter = Enabled(page, IDC_REINSTALL);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, (std::vector<std::string>{"AAA", "CCC...", "LISTED..."}));
    EXPECT_EQ(checks, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(selected, 2) << "the selection stays with its option";
    EXPECT_TRUE(reinstallAfter) << "BBB is still removed";
    EXPECT_EQ(OptionValue("AAA", "Installed"), 1u);
    EXPECT_EQ(OptionValue("CCC", "Installed"), 1u);
    EXPECT_FALSE(OptionValue("BBB", "Installed").has_value());
    // CCC (position 2) came back before AAA (position 0); both save as
    // listed options at closing.
    std::string log = ProcessLog();
    EXPECT_LT(log.find("CCC:Install(1)"), log.find("AAA:Install(1)")) << log;
    EXPECT_EQ(ModuleLog("CCC.DLL"), "CCC:Install(1);CCC:SaveSettings(0,enabled=1);CCC:Delete;");
    EXPECT_EQ(ModuleLog("AAA.DLL"), "AAA:Install(1);AAA:SaveSettings(0,enabled=1);AAA:Delete;");
}

TEST_F(ReinstallDialog, CancelAfterCheckingReinstallsNothing)
{
    DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> items;
    RunOptions([&](HWND sheet, HWND page) {
        PressButton(page, IDC_REINSTALL);
        HWND dialog = WaitForReinstallDialog(uiThread);
        ASSERT_NE(dialog, nullptr);
        ClickCheckBox(GetDlgItem(dialog, IDC_REMOVED_LIST), 0);
        PressButton(dialog, IDCANCEL);
        ASSERT_TRUE(WaitFor("the dialog to close", [&] { return !IsWindow(dialog); }));
        ui.WaitForPostedMessages();
        items = Items(GetDlgItem(page, IDC_OPTION_LIST));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, std::vector<std::string>{"LISTED..."});
    EXPECT_FALSE(OptionValue("AAA", "Installed").has_value());
}

}  // namespace
