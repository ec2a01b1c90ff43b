// The Options page through its real windows: extension modules loaded from
// the registry, the list, settings windows, Remove, Reinstall and closing.
#include "OptionsPageFixture.h"

#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "setup/options/SetupExtension.h"

using namespace optionstest;
using namespace testkit;

namespace {

const char* const kRemoveQuestion =
    "Removed options cannot be enabled or configured.\nYou can reinstall options once they have been removed.\n\n"
    "Remove the '%s' option?";
const char* const kConflictWarning =
    "Error!  The ATC is enabled with the High Speed Spindle selected.\n\nYou must run this Setup program again and "
    "disable the ATC or select another Spindle type.";

std::string RemoveQuestion(const std::string& name)
{
    std::string text = kRemoveQuestion;
    return text.replace(text.find("%s"), 2, name);
}

HWND List(HWND page)
{
    return GetDlgItem(page, IDC_OPTION_LIST);
}

// ---- loading ---------------------------------------------------------------

struct StopCase {
    const char* name;
    DWORD type;
    std::string data;
};

class OptionsPageStop : public OptionsPage, public testing::WithParamInterface<StopCase> {};

TEST_P(OptionsPageStop, EndsTheLoadingAtTheValue)
{
    PutModule("FIRST.DLL");
    PutModule("LAST.DLL");
    Installed("FIRST");
    Installed("LAST");
    Register({"FIRST,MakeOption"});
    RegisterValue("Extension2", GetParam().type, GetParam().data);
    Register({});
    RegisterValue("Extension3", REG_SZ, std::string("LAST,MakeOption") + '\0');
    std::vector<std::string> items;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, std::vector<std::string>{"FIRST..."});
    EXPECT_FALSE(ModuleLoaded("LAST.DLL"));
}

INSTANTIATE_TEST_SUITE_P(Values, OptionsPageStop,
    testing::Values(StopCase{"CommaFirst", REG_SZ, std::string(",MakeOption") + '\0'},
                    StopCase{"NoComma", REG_SZ, std::string("LASTMakeOption") + '\0'},
                    StopCase{"Empty", REG_SZ, std::string(1, '\0')},
                    StopCase{"FillsTheBufferWithoutNul", REG_BINARY, std::string(64, 'x')},
                    StopCase{"LongerThanTheBuffer", REG_SZ, "LAST," + std::string(70, 'x') + '\0'}),
    [](const testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

struct SkipCase {
    const char* name;
    const char* registration;
    const char* file;  // put where the program folder and this name lead, or ""
    const char* loadedFile;  // loaded although skipped, or "": the file put is never loaded
};

class OptionsPageSkip : public OptionsPage, public testing::WithParamInterface<SkipCase> {};

// A module that cannot be used is passed over and the next one still loads.
TEST_P(OptionsPageSkip, PassesOverTheModuleAndGoesOn)
{
    const SkipCase& c = GetParam();
    if (*c.file)
        PutModule(c.file);
    PutModule("NEXT.DLL");
    Installed("ABC");
    Installed("NEXT");
    Register({c.registration, "NEXT,MakeOption"});
    std::vector<std::string> items;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, std::vector<std::string>{"NEXT..."});
    if (*c.loadedFile) {
        EXPECT_TRUE(ModuleLoaded(c.loadedFile));
    } else if (*c.file) {
        EXPECT_FALSE(FileLoaded(programFolder + c.file)) << c.file;
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, OptionsPageSkip,
    testing::Values(SkipCase{"MissingModule", "ABC,MakeOption", "", ""},
                    SkipCase{"NameWithExtensionLooksForDllDll", "ABC.DLL,MakeOption", "ABC.DLL", ""},
                    SkipCase{"BlankBeforeTheEntryPoint", "ABC, MakeOption", "ABC.DLL", "ABC.DLL"},
                    SkipCase{"MissingEntryPoint", "ABC,MakeNothing", "ABC.DLL", "ABC.DLL"},
                    SkipCase{"FactoryMakesNothing", "ABC,MakeNull", "ABC.DLL", "ABC.DLL"},
                    // A loader that took these names as they are would find
                    // the module: beside the program folder, and in it under
                    // a name with the drive (Wine's file names may hold a
                    // colon, Windows reads it as a stream of the file "C").
                    SkipCase{"PathInTheName", "..\\ABC,MakeOption", "..\\ABC.DLL", ""},
                    SkipCase{"DriveInTheName", "C:ABC,MakeOption", "C:ABC.DLL", ""}),
    [](const testing::TestParamInfo<SkipCase>& info) { return std::string(info.param.name); });

TEST_F(OptionsPage, ADotDllNameLoadsTheFileWithDllTwice)
{
    PutModule("ABC.DLL.DLL");
    Installed("ABC");
    Register({"ABC.DLL,MakeOption"});
    std::vector<std::string> items;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_TRUE(ModuleLoaded("ABC.DLL.DLL"));
    EXPECT_EQ(items, std::vector<std::string>{"ABC..."});
}

TEST_F(OptionsPage, AModuleOfTheSameNameElsewhereIsNeverLoaded)
{
    ASSERT_TRUE(CopyFileA(FromUnixPath(KELD_TEST_OPTION_MODULE).c_str(), DecoyModulePath().c_str(), FALSE));
    Installed("DECOY");
    Register({"DECOY,MakeOption"});
    std::vector<std::string> items;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_FALSE(ModuleLoaded("DECOY.DLL"));
    EXPECT_TRUE(items.empty());
}

TEST_F(OptionsPage, AModuleThatIsNoImageIsPassedOver)
{
    WriteFile(programFolder + "BROKEN.DLL", "MZ this is not a program");
    PutModule("NEXT.DLL");
    Installed("NEXT");
    Register({"BROKEN,MakeOption", "NEXT,MakeOption"});
    std::vector<std::string> items;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, std::vector<std::string>{"NEXT..."});
}

TEST_F(OptionsPage, WithoutRegistrationsTheListIsEmptyAndBothButtonsDisabled)
{
    bool remove = true, reinstall = true;
    size_t count = 1;
    RunOptions([&](HWND sheet, HWND page) {
        count = Items(List(page)).size();
        remove = Enabled(page, IDC_REMOVE);
        reinstall = Enabled(page, IDC_REINSTALL);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(remove);
    EXPECT_FALSE(reinstall);
}

// ---- the list --------------------------------------------------------------

TEST_F(OptionsPage, ListsSortedSelectsTheFirstAndShowsItsSettings)
{
    PutModule("SPINDLE.DLL");
    PutModule("ATC.DLL");
    Installed("SPINDLE");
    Installed("ATC", false);
    Register({"SPINDLE,MakeOption", "ATC,MakeOption"});
    std::vector<std::string> items;
    std::vector<bool> checks;
    int selected = -1;
    HWND atcWindow = nullptr, spindleWindow = nullptr;
    RECT placed{}, area{};
    bool settingsEnabled = true;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        checks = Checks(List(page));
        selected = Selection(List(page));
        atcWindow = SettingsWindowOf(page, "ATC");
        spindleWindow = SettingsWindowOf(page, "SPINDLE");
        if (atcWindow) {
            GetWindowRect(atcWindow, &placed);
            GetWindowRect(GetDlgItem(page, IDC_SETTINGS_AREA), &area);
            settingsEnabled = Enabled(atcWindow, 100);
        }
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, (std::vector<std::string>{"ATC...", "SPINDLE..."}));
    EXPECT_EQ(checks, (std::vector<bool>{false, true}));
    EXPECT_EQ(selected, 0);
    ASSERT_NE(atcWindow, nullptr);
    EXPECT_EQ(spindleWindow, nullptr);
    EXPECT_TRUE(EqualRect(&placed, &area)) << "the settings go where the placeholder is";
    EXPECT_FALSE(settingsEnabled) << "a disabled option shows its settings disabled";
    EXPECT_EQ(ModuleLog("SPINDLE.DLL"), "SPINDLE:SaveSettings(0,enabled=1);SPINDLE:Delete;");
}

// More options than the list has rows: loaded in one go, the list shows
// them all, with its scroll bar over the whole range.
TEST_F(OptionsPage, ManyOptionsFillTheListAndItsScrollBar)
{
    constexpr int kOptions = 16;
    std::vector<std::string> registrations, expected;
    for (int i = 0; i < kOptions; ++i) {
        std::string name = "OPT" + std::string(1, static_cast<char>('A' + i));
        PutModule(name + ".DLL");
        Installed(name);
        registrations.push_back(name + ",MakeOption");
        expected.push_back(name + "...");
    }
    Register(registrations);
    std::vector<std::string> items;
    bool visible = false;
    int rows = 0;
    SCROLLINFO scroll{sizeof(scroll), SIF_RANGE | SIF_PAGE};
    BOOL scrollRead = FALSE;
    RunOptions([&](HWND sheet, HWND page) {
        HWND list = List(page);
        items = Items(list);
        visible = IsWindowVisible(list) != FALSE;
        RECT client{};
        GetClientRect(list, &client);
        LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
        rows = height > 0 ? static_cast<int>(client.bottom / height) : 0;
        scrollRead = GetScrollInfo(list, SB_VERT, &scroll);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, expected);
    EXPECT_TRUE(visible) << "the list is hidden after loading";
    ASSERT_LT(rows, kOptions) << "the list must have fewer rows than options for this test";
    ASSERT_TRUE(scrollRead) << "no vertical scroll bar";
    EXPECT_EQ(scroll.nMin, 0);
    EXPECT_EQ(scroll.nMax, kOptions - 1);
    EXPECT_EQ(static_cast<int>(scroll.nPage), rows);
}

TEST_F(OptionsPage, SelectingAnotherItemSwitchesTheSettingsWindow)
{
    PutModule("ATC.DLL");
    PutModule("SPINDLE.DLL");
    Installed("ATC");
    Installed("SPINDLE");
    Register({"ATC,MakeOption", "SPINDLE,MakeOption"});
    HWND atcAfter = nullptr, spindleAfter = nullptr;
    RunOptions([&](HWND sheet, HWND page) {
        ClickItem(List(page), 1);
        ui.WaitForPostedMessages();
        atcAfter = SettingsWindowOf(page, "ATC");
        spindleAfter = SettingsWindowOf(page, "SPINDLE");
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(atcAfter, nullptr);
    EXPECT_NE(spindleAfter, nullptr);
}

TEST_F(OptionsPage, ANotInstalledOptionIsNotListedButCanBeReinstalled)
{
    PutModule("ATC.DLL");
    PutModule("COOL.DLL");
    Installed("ATC");
    NotInstalled("COOL");
    Register({"ATC,MakeOption", "COOL,MakePlain"});
    std::vector<std::string> items;
    bool reinstall = false;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        reinstall = Enabled(page, IDC_REINSTALL);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(items, std::vector<std::string>{"ATC..."});
    EXPECT_TRUE(reinstall);
    EXPECT_EQ(ModuleLog("COOL.DLL"), "COOL:Delete;") << "a removed option gets no call at closing";
}

TEST_F(OptionsPage, ClearingTheCheckDisablesTheSettingsAndCheckingEnablesThem)
{
    PutModule("ATC.DLL");
    Installed("ATC");
    Register({"ATC,MakeOption"});
    bool afterClear = true, afterCheck = false;
    std::vector<bool> checks;
    RunOptions([&](HWND sheet, HWND page) {
        ClickCheckBox(List(page), 0);
        ui.WaitForPostedMessages();
        afterClear = Enabled(SettingsWindowOf(page, "ATC"), 100);
        PressKey(List(page), VK_SPACE);
        ui.WaitForPostedMessages();
        afterCheck = Enabled(SettingsWindowOf(page, "ATC"), 100);
        checks = Checks(List(page));
        PressButton(sheet, IDOK);
    });
    EXPECT_FALSE(afterClear);
    EXPECT_TRUE(afterCheck);
    EXPECT_EQ(checks, std::vector<bool>{true});
    EXPECT_EQ(ModuleLog("ATC.DLL"), "ATC:LoadSettings;ATC:CreateOptWindow;ATC:SaveSettings(1,enabled=1);ATC:Delete;");
}

TEST_F(OptionsPage, AnAlwaysEnabledOptionGetsItsCheckMarkBack)
{
    PutModule("BOARD.DLL");
    Installed("BOARD", false);
    Register({"BOARD,MakeAlways"});
    std::vector<bool> checksBefore, checksAfter;
    bool settingsEnabled = false;
    RunOptions([&](HWND sheet, HWND page) {
        checksBefore = Checks(List(page));
        ClickCheckBox(List(page), 0);
        ui.WaitForPostedMessages();
        checksAfter = Checks(List(page));
        settingsEnabled = Enabled(SettingsWindowOf(page, "BOARD"), 100);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(checksBefore, std::vector<bool>{true});
    EXPECT_EQ(checksAfter, std::vector<bool>{true});
    EXPECT_TRUE(settingsEnabled);
}

TEST_F(OptionsPage, DefaultsReachTheSelectedOptionOnly)
{
    PutModule("ATC.DLL");
    PutModule("SPINDLE.DLL");
    Installed("ATC");
    Installed("SPINDLE");
    Register({"ATC,MakeOption", "SPINDLE,MakeOption"});
    RunOptions([&](HWND sheet, HWND page) {
        PressButton(page, IDC_OPTION_DEFAULTS);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(ModuleLog("ATC.DLL"),
              "ATC:LoadSettings;ATC:CreateOptWindow;ATC:LoadDefaults;ATC:SaveSettings(1,enabled=1);ATC:Delete;");
    EXPECT_EQ(ModuleLog("SPINDLE.DLL"), "SPINDLE:SaveSettings(1,enabled=1);SPINDLE:Delete;");
}

TEST_F(OptionsPage, APermanentOptionCannotBeRemoved)
{
    PutModule("BOARD.DLL");
    PutModule("COOL.DLL");
    Installed("BOARD");
    Installed("COOL");
    Register({"BOARD,MakePermanent", "COOL,MakePlain"});
    bool removeOnBoard = true, removeOnCool = false;
    RunOptions([&](HWND sheet, HWND page) {
        removeOnBoard = Enabled(page, IDC_REMOVE);
        ClickItem(List(page), 1);
        ui.WaitForPostedMessages();
        removeOnCool = Enabled(page, IDC_REMOVE);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_FALSE(removeOnBoard);
    EXPECT_TRUE(removeOnCool);
}

// ---- Remove ----------------------------------------------------------------

struct RemoveCase {
    const char* name;
    std::vector<std::string> modules;  // installed, registered in this order
    int removed;                       // the item removed
    std::vector<std::string> itemsAfter;
    int selectedAfter;
};

class OptionsPageRemove : public OptionsPage, public testing::WithParamInterface<RemoveCase> {};

TEST_P(OptionsPageRemove, AsksThenMarksTheOptionRemovedAndSelectsTheNeighbour)
{
    const RemoveCase& c = GetParam();
    std::vector<std::string> registrations;
    for (const std::string& module : c.modules) {
        PutModule(module + ".DLL");
        Installed(module);
        registrations.push_back(module + ",MakeOption");
    }
    Register(registrations);
    DWORD uiThread = GetCurrentThreadId();
    std::string question;
    std::vector<std::string> items;
    int selected = -2;
    bool remove = true, reinstall = false, settingsShown = true, removedSettingsShown = true;
    std::string removedName;
    RunOptions([&](HWND sheet, HWND page) {
        ClickItem(List(page), c.removed);
        ui.WaitForPostedMessages();
        char name[64] = {};
        SendMessageA(List(page), LB_GETTEXT, static_cast<WPARAM>(c.removed), reinterpret_cast<LPARAM>(name));
        removedName = name;
        PressButton(page, IDC_REMOVE);
        HWND box = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(box, nullptr);
        question = MessageBoxText(box);
        ASSERT_TRUE(AnswerMessageBox(box, IDYES));
        ui.WaitForPostedMessages();
        items = Items(List(page));
        selected = Selection(List(page));
        remove = Enabled(page, IDC_REMOVE);
        reinstall = Enabled(page, IDC_REINSTALL);
        settingsShown = false;
        for (const std::string& module : c.itemsAfter)
            settingsShown = settingsShown || SettingsWindowOf(page, module.substr(0, module.size() - 3));
        removedSettingsShown = SettingsWindowOf(page, removedName.substr(0, removedName.size() - 3)) != nullptr;
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(question, RemoveQuestion(removedName));
    EXPECT_EQ(items, c.itemsAfter);
    EXPECT_EQ(selected, c.selectedAfter);
    EXPECT_EQ(remove, c.selectedAfter >= 0);
    EXPECT_TRUE(reinstall);
    EXPECT_EQ(settingsShown, c.selectedAfter >= 0);
    EXPECT_FALSE(removedSettingsShown) << "the removed option's settings window still shows";
    std::string module = removedName.substr(0, removedName.size() - 3);
    EXPECT_EQ(OptionValue(module, "Installed"), 0u) << "Remove stays after Cancel";
    EXPECT_NE(ModuleLog(module + ".DLL").find(module + ":Install(0);" + module + ":SaveSettings(1,enabled=1);"),
              std::string::npos)
        << ModuleLog(module + ".DLL");
}

INSTANTIATE_TEST_SUITE_P(Lists, OptionsPageRemove,
    testing::Values(RemoveCase{"LastOfThree", {"AAA", "BBB", "CCC"}, 2, {"AAA...", "BBB..."}, 1},
                    RemoveCase{"FirstOfThree", {"AAA", "BBB", "CCC"}, 0, {"BBB...", "CCC..."}, 0},
                    RemoveCase{"TheOnlyOne", {"AAA"}, 0, {}, -1}),
    [](const testing::TestParamInfo<RemoveCase>& info) { return std::string(info.param.name); });

TEST_F(OptionsPage, AnsweringNoToRemoveChangesNothing)
{
    PutModule("ATC.DLL");
    Installed("ATC");
    Register({"ATC,MakeOption"});
    DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> items;
    RunOptions([&](HWND sheet, HWND page) {
        PressButton(page, IDC_REMOVE);
        HWND box = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(AnswerMessageBox(box, IDNO));
        items = Items(List(page));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(items, std::vector<std::string>{"ATC..."});
    EXPECT_EQ(OptionValue("ATC", "Installed"), 1u);
}

// ---- closing ---------------------------------------------------------------

struct CloseCase {
    const char* name;
    int button;
    const char* saved;
};

class OptionsPageClosing : public OptionsPage, public testing::WithParamInterface<CloseCase> {};

TEST_P(OptionsPageClosing, EveryListedOptionSavesOnOkAndDiscardsOnCancelLastFirst)
{
    PutModule("AAA.DLL");
    PutModule("BBB.DLL");
    Installed("AAA");
    Installed("BBB");
    Register({"AAA,MakePlain", "BBB,MakeOption"});
    std::vector<std::string> order;
    INT_PTR result = RunOptions([&](HWND sheet, HWND) { PressButton(sheet, GetParam().button); });
    EXPECT_EQ(result, GetParam().button);
    std::string save = std::string("SaveSettings(") + GetParam().saved + ",enabled=1);";
    EXPECT_EQ(ModuleLog("AAA.DLL"), "AAA:" + save + "AAA:Delete;");
    EXPECT_EQ(ModuleLog("BBB.DLL"), "BBB:" + save + "BBB:Delete;");
}

INSTANTIATE_TEST_SUITE_P(Buttons, OptionsPageClosing,
    testing::Values(CloseCase{"Ok", IDOK, "1"}, CloseCase{"Cancel", IDCANCEL, "0"}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(OptionsPage, TheAtcAndHighSpeedSpindleConflictIsShownAlsoAfterCancel)
{
    WriteProgram("EnableATC=1\r\nSpindleType=hIGHsPEEDsPINDLE\r\nBoardAddress=800\r\n");
    DWORD uiThread = GetCurrentThreadId();
    std::string warning;
    RunOptions([&](HWND sheet, HWND) {
        PressButton(sheet, IDCANCEL);
        HWND box = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(box, nullptr);
        warning = MessageBoxText(box);
        AnswerMessageBox(box);
    });
    EXPECT_EQ(warning, kConflictWarning);
}

// Without the conflict the sheet closes without a message box: the run
// fails the test if one holds up the closing.
TEST_F(OptionsPage, NoWarningWithoutTheConflict)
{
    WriteProgram("EnableATC=0\r\nSpindleType=HighSpeedSpindle\r\nBoardAddress=800\r\n");
    RunOptions([&](HWND sheet, HWND) { PressButton(sheet, IDCANCEL); });
}

TEST_F(OptionsPage, ThePageNeverShownLoadsNothing)
{
    PutModule("ATC.DLL");
    Installed("ATC");
    Register({"ATC,MakeOption"});
    Run([](HWND sheet) { PressButton(sheet, IDOK); });
    EXPECT_FALSE(ModuleLoaded("ATC.DLL"));
}

}  // namespace
