// The configuration run: every general setting loaded before the sheet and
// written back on OK, through the real sheet, profile files, registry and
// driver.
#include "ConfigurationFixture.h"

#include "resources/resource.h"
#include "setup/valueentry/ValueField.h"

#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <vector>

using namespace testkit;

namespace {

const char* const kNoDriverInfo =
    "Interface Card driver information not found in the registry.\nYou must reinstall the software under NT in "
    "order to install the NT Driver.\n\nUntil you install the driver, you will not be able to operate the machine.";

using SettingsRun = ConfigurationRun;

// The wParam of every WM_SHEETCLOSING that a window of this thread receives.
std::vector<WPARAM> g_closingFlags;
HHOOK g_closingHook = nullptr;

LRESULT CALLBACK RecordSheetClosing(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SHEETCLOSING)
        g_closingFlags.push_back(message->wParam);
    return CallNextHookEx(g_closingHook, code, wParam, lParam);
}

// A page that refuses the first OK, as one whose contents do not validate;
// `data` counts the refusals.
LRESULT CALLBACK RefuseFirstApply(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* refusals = reinterpret_cast<std::atomic<int>*>(data);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY && *refusals == 0) {
        ++*refusals;
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
        return PSNRET_INVALID_NOCHANGEPAGE;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST_F(SettingsRun, EmptyFilesShowTheDefaultsAndOkWritesEveryKey)
{
    bool inchSelected = false, online = false;
    std::map<int, std::string> shown;
    INT_PTR result = Run([&](HWND sheet) {
        inchSelected = Checked(CurrentPage(sheet), IDC_UNITS_INCH);
        HWND general = ShowPage(sheet, 1);
        online = !Checked(general, IDC_RUN_OFFLINE);
        for (int id : {IDC_L_FACTOR, IDC_RUN_FEEDRATE, IDC_MAX_ARC_DEVIATION, IDC_SHAFT_HEIGHT, IDC_MAX_SUBS,
                       IDC_MAX_SUB_DEPTH, IDC_DECIMAL_PLACES})
            shown[id] = Text(general, id);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(inchSelected);
    EXPECT_TRUE(online);
    EXPECT_EQ(shown, (std::map<int, std::string>{{IDC_L_FACTOR, "-1"}, {IDC_RUN_FEEDRATE, "10"},
                                                 {IDC_MAX_ARC_DEVIATION, "0.002"}, {IDC_SHAFT_HEIGHT, "1"},
                                                 {IDC_MAX_SUBS, "20"}, {IDC_MAX_SUB_DEPTH, "20"},
                                                 {IDC_DECIMAL_PLACES, "4"}}));
    EXPECT_EQ(Program("DefaultLFactor"), "-1");
    EXPECT_EQ(Program("DefaultRunFeed"), "10");
    EXPECT_EQ(Program("MaxArcRadiiDif"), "0.002");
    EXPECT_EQ(Program("Units"), "0");
    EXPECT_EQ(Tools("ShaftHeight"), "1");
    EXPECT_EQ(Control("Settings", "DefaultMachine"), "4");
    EXPECT_EQ(Control("FlowCtl", "MaxSubs"), "20");
    EXPECT_EQ(Control("FlowCtl", "MaxSubDepth"), "20");
    EXPECT_EQ(Control("Defaults", "ValueDispPrec"), "4");
    EXPECT_TRUE(messagesBeforeSheet.empty());
}

TEST_F(SettingsRun, CancelAfterChangesWritesNothingAndLeavesAddressAndDriverAlone)
{
    // Not the default address, so that Default changes it.
    SetDriverAddressParameter(812);
    WriteProgram("Units=0\r\nBoardAddress=812\r\nDefaultLFactor=2\r\n");
    WriteFile(TestApp().ToolsIniPath, "[Tools]\r\nShaftHeight=3\r\n");
    std::string program = ReadFile(TestApp().ProgramIniPath), tools = ReadFile(TestApp().ToolsIniPath),
                control = ReadFile(TestApp().ControlIniPath);
    std::string addressBefore, addressAfterDefault;
    INT_PTR result = Run([&](HWND sheet) {
        PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_UNITS_METRIC), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor("the Metric click to switch the units", [] { return keld::InchUnits == 0; }, 5000));
        HWND general = ShowPage(sheet, 1);
        SendMessageA(GetDlgItem(general, IDC_SHAFT_HEIGHT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("99"));
        PressButton(general, IDC_GENERAL_DEFAULTS);
        HWND card = ShowPage(sheet, 3);
        addressBefore = Text(card, IDC_ADDRESS);
        PressButton(card, IDC_CARD_DEFAULT);
        ui.WaitForPostedMessages();
        addressAfterDefault = Text(card, IDC_ADDRESS);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(addressBefore, "812 (32C hex)");
    EXPECT_EQ(addressAfterDefault, "800 (320 hex)");
    EXPECT_EQ(ReadFile(TestApp().ProgramIniPath), program);
    EXPECT_EQ(ReadFile(TestApp().ToolsIniPath), tools);
    EXPECT_EQ(ReadFile(TestApp().ControlIniPath), control);
    EXPECT_FALSE(QueryDriverService().exists);
    DWORD address = 0;
    EXPECT_TRUE(ReadDriverAddressParameter(address));
    EXPECT_EQ(address, 812u);
}

// The Welcome page accepts the OK before the Interface Card page refuses it.
TEST_F(SettingsRun, CancelAfterARefusedOkIsACancel)
{
    WriteProgram("Units=0\r\nBoardAddress=800\r\n");
    std::string program = ReadFile(TestApp().ProgramIniPath), tools = ReadFile(TestApp().ToolsIniPath),
                control = ReadFile(TestApp().ControlIniPath);
    std::atomic<int> refusals{0};
    bool openAfterRefusal = false;
    g_closingFlags.clear();
    g_closingHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSheetClosing, nullptr, GetCurrentThreadId());
    INT_PTR result = Run([&](HWND sheet) {
        PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_UNITS_METRIC), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor("the Metric click to switch the units", [] { return keld::InchUnits == 0; }, 5000));
        HWND card = ShowPage(sheet, 3);
        ui.Invoke([&] { SetWindowSubclass(card, RefuseFirstApply, 1, reinterpret_cast<DWORD_PTR>(&refusals)); });
        PressButton(sheet, IDOK);
        ASSERT_TRUE(WaitFor("the Interface Card page to refuse OK", [&] { return refusals == 1; }, 5000));
        ui.WaitForPostedMessages();
        openAfterRefusal = IsWindowVisible(sheet) && CurrentPage(sheet) != nullptr;
        PressButton(sheet, IDCANCEL);
    });
    UnhookWindowsHookEx(g_closingHook);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadFile(TestApp().ProgramIniPath), program);
    EXPECT_EQ(ReadFile(TestApp().ToolsIniPath), tools);
    EXPECT_EQ(ReadFile(TestApp().ControlIniPath), control);
    EXPECT_FALSE(QueryDriverService().exists);
    ASSERT_FALSE(g_closingFlags.empty());
    EXPECT_EQ(g_closingFlags, std::vector<WPARAM>(g_closingFlags.size(), 0));
}

// Every path that applies the pages saves, also what the current page's
// field shows without having left it.
enum class OkPath { Button, Enter, PressOk, PressFinish };

struct OkPathCase {
    const char* name;
    OkPath path;
};

class SettingsRunOkPaths : public SettingsRun, public testing::WithParamInterface<OkPathCase> {};

TEST_P(SettingsRunOkPaths, WriteEverySettingWithTheFieldBeingTyped)
{
    g_closingFlags.clear();
    g_closingHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSheetClosing, nullptr, GetCurrentThreadId());
    INT_PTR result = Run([&](HWND sheet) {
        HWND general = ShowPage(sheet, 1);
        HWND field = GetDlgItem(general, IDC_SHAFT_HEIGHT);
        ui.Invoke([field] { SetFocus(field); });
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3"));
        switch (GetParam().path) {
        case OkPath::Button:
            PressButton(sheet, IDOK);
            break;
        case OkPath::Enter:
            PressKey(field, VK_RETURN);
            break;
        case OkPath::PressOk:
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
            break;
        case OkPath::PressFinish:
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
            break;
        }
    });
    UnhookWindowsHookEx(g_closingHook);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Tools("ShaftHeight"), "3");
    EXPECT_EQ(Program("Units"), "0");
    EXPECT_EQ(Control("Defaults", "ValueDispPrec"), "4");
    ASSERT_FALSE(g_closingFlags.empty());
    EXPECT_EQ(g_closingFlags, std::vector<WPARAM>(g_closingFlags.size(), 1));
}

INSTANTIATE_TEST_SUITE_P(Paths, SettingsRunOkPaths,
    testing::Values(OkPathCase{"button", OkPath::Button}, OkPathCase{"enter", OkPath::Enter},
                    OkPathCase{"press_ok", OkPath::PressOk}, OkPathCase{"press_finish", OkPath::PressFinish}),
    [](const testing::TestParamInfo<OkPathCase>& info) { return std::string(info.param.name); });

// Text that would not evaluate, still in its field when the sheet is
// cancelled: nothing is checked and no message holds up the closing (the
// run fails the test if one does).
enum class CancelPath { Escape, CancelClick, CloseBox, PressCancel };

struct CancelPathCase {
    const char* name;
    CancelPath path;
};

class SettingsRunCancelPaths : public SettingsRun, public testing::WithParamInterface<CancelPathCase> {};

TEST_P(SettingsRunCancelPaths, CheckNothingInTheFieldBeingTyped)
{
    WriteProgram("BoardAddress=800\r\n");
    std::string program = ReadFile(TestApp().ProgramIniPath), tools = ReadFile(TestApp().ToolsIniPath);
    INT_PTR result = Run([&](HWND sheet) {
        HWND general = ShowPage(sheet, 1);
        HWND field = GetDlgItem(general, IDC_SHAFT_HEIGHT);
        ui.Invoke([field] { SetFocus(field); });
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
        switch (GetParam().path) {
        case CancelPath::Escape:
            PressKey(field, VK_ESCAPE);
            break;
        case CancelPath::CancelClick: {
            // A real click: the button takes the focus from the field first.
            HWND cancel = GetDlgItem(sheet, IDCANCEL);
            RECT rect;
            GetClientRect(cancel, &rect);
            LPARAM point = MAKELPARAM(rect.right / 2, rect.bottom / 2);
            PostMessageA(cancel, WM_LBUTTONDOWN, MK_LBUTTON, point);
            PostMessageA(cancel, WM_LBUTTONUP, 0, point);
            break;
        }
        case CancelPath::CloseBox:
            PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case CancelPath::PressCancel:
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            break;
        }
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadFile(TestApp().ProgramIniPath), program);
    EXPECT_EQ(ReadFile(TestApp().ToolsIniPath), tools);
}

INSTANTIATE_TEST_SUITE_P(Paths, SettingsRunCancelPaths,
    testing::Values(CancelPathCase{"escape", CancelPath::Escape}, CancelPathCase{"cancel_click", CancelPath::CancelClick},
                    CancelPathCase{"close_box", CancelPath::CloseBox},
                    CancelPathCase{"press_cancel", CancelPath::PressCancel}),
    [](const testing::TestParamInfo<CancelPathCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsRun, StoredFormsAreNormalisedOnOk)
{
    WriteProgram("Units=7\r\nBoardAddress=800\r\nDefaultLFactor=\r\nDefaultRunFeed=abc\r\nMaxArcRadiiDif=2.5mm\r\n");
    WriteFile(TestApp().ToolsIniPath, "[Tools]\r\nShaftHeight=1234567.5\r\n");
    WriteFile(TestApp().ControlIniPath, "[Settings]\r\nDefaultMachine=2\r\n[FlowCtl]\r\nMaxSubs=7\r\n");
    bool metricSelected = false, online = false;
    INT_PTR result = Run([&](HWND sheet) {
        metricSelected = Checked(CurrentPage(sheet), IDC_UNITS_METRIC);
        online = !Checked(ShowPage(sheet, 1), IDC_RUN_OFFLINE);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(metricSelected);
    EXPECT_TRUE(online);
    EXPECT_EQ(Program("Units"), "1");
    EXPECT_EQ(Program("DefaultLFactor"), "-1");
    EXPECT_EQ(Program("DefaultRunFeed"), "0");
    EXPECT_EQ(Program("MaxArcRadiiDif"), "2.5");
    // "%g" (1.23457e+06) would show 31358078 mm the next time, not 31358014.5.
    EXPECT_EQ(Tools("ShaftHeight"), "1234567.5");
    EXPECT_EQ(Control("Settings", "DefaultMachine"), "4");
    EXPECT_EQ(Control("FlowCtl", "MaxSubs"), "7");
}

struct SmallValueCase {
    const char* stored;
    const char* written;
};

class SettingsRunSmallValues : public SettingsRun, public testing::WithParamInterface<SmallValueCase> {};

TEST_P(SettingsRunSmallValues, AreWrittenInAFormThatReadsBackToTheSameValue)
{
    WriteProgram(std::string("BoardAddress=800\r\nMaxArcRadiiDif=") + GetParam().stored + "\r\n");
    Run([&](HWND sheet) { PressButton(sheet, IDOK); });
    std::string written = Program("MaxArcRadiiDif");
    EXPECT_EQ(written, GetParam().written);
    EXPECT_EQ(atof(written.c_str()), atof(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsRunSmallValues,
    testing::Values(SmallValueCase{"0.00001", "1e-05"}, SmallValueCase{"0.0025", "0.0025"}));

// Typed into Tool Shaft Height, saved with OK, shown by the next run.
struct TypedValueCase {
    const char* name;
    bool metric;
    const char* typed;
    const char* stored;
    const char* shownNext;
};

class SettingsRunTypedValues : public SettingsRun, public testing::WithParamInterface<TypedValueCase> {};

TEST_P(SettingsRunTypedValues, ComeBackAsTheFieldShowedThem)
{
    const TypedValueCase& c = GetParam();
    WriteProgram(std::string("BoardAddress=800\r\nUnits=") + (c.metric ? "1" : "0") + "\r\n");
    INT_PTR result = Run([&](HWND sheet) {
        HWND general = ShowPage(sheet, 1);
        SendMessageA(GetDlgItem(general, IDC_SHAFT_HEIGHT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        PressButton(sheet, IDOK);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(Tools("ShaftHeight"), c.stored);
    std::string shown;
    Run([&](HWND sheet) {
        shown = Text(ShowPage(sheet, 1), IDC_SHAFT_HEIGHT);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(shown, c.shownNext);
}

INSTANTIATE_TEST_SUITE_P(Entries, SettingsRunTypedValues,
    testing::Values(TypedValueCase{"metric_30", true, "30", "1.1811024", "30"},
                    TypedValueCase{"metric_50_8", true, "50.8", "2", "50.8"},
                    TypedValueCase{"metric_expression", true, "25.4*2", "2", "50.8"},
                    TypedValueCase{"metric_1000", true, "1000", "39.3700787", "1000"},
                    TypedValueCase{"metric_2500", true, "2500", "98.425197", "2500"},
                    TypedValueCase{"inch_1_5", false, "1.5", "1.5", "1.5"},
                    TypedValueCase{"inch_more_places_than_shown", false, "1.23456789", "1.234568", "1.234568"}),
    [](const testing::TestParamInfo<TypedValueCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsRun, OfflineFlagRoundTrips)
{
    WriteFile(TestApp().ControlIniPath, "[Settings]\r\nDefaultMachine=0\r\n");
    bool offline = false;
    Run([&](HWND sheet) {
        offline = Checked(ShowPage(sheet, 1), IDC_RUN_OFFLINE);
        PressButton(sheet, IDOK);
    });
    EXPECT_TRUE(offline);
    EXPECT_EQ(Control("Settings", "DefaultMachine"), "0");
}

TEST_F(SettingsRun, RegistryAddressWinsOverTheProfileAndIsCopiedIntoIt)
{
    SetDriverAddressParameter(816);
    WriteProgram("BoardAddress=800\r\n");
    std::string shown;
    Run([&](HWND sheet) {
        shown = Text(ShowPage(sheet, 3), IDC_ADDRESS);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(shown, "816 (330 hex)");
    EXPECT_EQ(Program("BoardAddress"), "816");
}

TEST_F(SettingsRun, AddressBeyondSixteenBitsIsStoredTruncatedOnOk)
{
    SetDriverAddressParameter(0x10000 + 812);
    WriteProgram("BoardAddress=800\r\n");
    std::string shown;
    Run([&](HWND sheet) {
        shown = Text(ShowPage(sheet, 3), IDC_ADDRESS);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(shown, "812 (32C hex)");
    DWORD address = 0;
    EXPECT_TRUE(ReadDriverAddressParameter(address));
    EXPECT_EQ(address, 812u);
    EXPECT_EQ(Program("BoardAddress"), "812");
    EXPECT_EQ(DriverRunningAddress(), 812u);
}

TEST_F(SettingsRun, NewAddressIsStoredAndTheDriverRestartedWithIt)
{
    ASSERT_TRUE(RegisterDriverService());
    ASSERT_TRUE(StartDriverService());
    ASSERT_TRUE(DriverStopIsCompleteOnReturn()) << "a stop that ends after ControlService returns fails the restart";
    WriteProgram("BoardAddress=800\r\n");
    std::string afterStep;
    Run([&](HWND sheet) {
        HWND card = ShowPage(sheet, 3);
        ClickSpin(GetDlgItem(card, IDC_ADDRESS_SPIN), true);
        ASSERT_TRUE(WaitFor("the spin step to change the address",
                            [&] { return Text(card, IDC_ADDRESS) != "800 (320 hex)"; }, 5000));
        afterStep = Text(card, IDC_ADDRESS);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(afterStep, "804 (324 hex)");
    DWORD address = 0;
    EXPECT_TRUE(ReadDriverAddressParameter(address));
    EXPECT_EQ(address, 804u);
    EXPECT_EQ(Program("BoardAddress"), "804");
    EXPECT_EQ(DriverRunningAddress(), 804u);
}

// The new address is in the driver's parameter but the driver cannot start
// with it: the profile says the same address and the operator is told.
TEST_F(SettingsRun, NewAddressThatTheDriverCannotTakeNowIsStoredAlikeAndReported)
{
    ASSERT_TRUE(RegisterDriverService(SERVICE_DISABLED));
    WriteProgram("BoardAddress=800\r\n");
    DWORD uiThread = GetCurrentThreadId();
    std::string message;
    INT_PTR result = Run([&](HWND sheet) {
        HWND card = ShowPage(sheet, 3);
        ClickSpin(GetDlgItem(card, IDC_ADDRESS_SPIN), true);
        ClickSpin(GetDlgItem(card, IDC_ADDRESS_SPIN), true);
        ASSERT_TRUE(WaitFor("two spin steps to change the address",
                            [&] { return Text(card, IDC_ADDRESS) == "808 (328 hex)"; }, 5000));
        PressButton(sheet, IDOK);
        HWND box = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(box, nullptr);
        message = MessageBoxText(box);
        AnswerMessageBox(box);
    });
    EXPECT_EQ(result, IDOK);
    const std::string before = "The Interface Card Driver could not be restarted (";
    const std::string after = ").\n\nThe new address takes effect when the driver next starts.";
    EXPECT_EQ(message.substr(0, before.size()), before) << message;
    ASSERT_GT(message.size(), before.size() + after.size()) << message;
    EXPECT_EQ(message.substr(message.size() - after.size()), after) << message;
    DWORD address = 0;
    EXPECT_TRUE(ReadDriverAddressParameter(address));
    EXPECT_EQ(address, 808u);
    EXPECT_EQ(Program("BoardAddress"), "808");
}

TEST_F(SettingsRun, UnchangedAddressOnNtMakesSureTheDriverRuns)
{
    WriteProgram("BoardAddress=800\r\n");
    DWORD starts = DriverStartCount();
    Run([&](HWND sheet) { PressButton(sheet, IDOK); });
    DriverServiceState state = QueryDriverService();
    EXPECT_TRUE(state.exists);
    EXPECT_TRUE(state.running);
    EXPECT_EQ(DriverStartCount(), starts + 1);
    EXPECT_EQ(Program("BoardAddress"), "800");
}

TEST_F(SettingsRun, UnchangedAddressOnNtLeavesARunningDriverAlone)
{
    ASSERT_TRUE(RegisterDriverService());
    ASSERT_TRUE(StartDriverService());
    WriteProgram("BoardAddress=800\r\n");
    DWORD starts = DriverStartCount();
    Run([&](HWND sheet) { PressButton(sheet, IDOK); });
    EXPECT_TRUE(QueryDriverService().running);
    EXPECT_EQ(DriverStartCount(), starts);
    EXPECT_EQ(DriverRunningAddress(), 800u);
}

TEST_F(SettingsRun, UnreadableAddressIsReportedShownAsDefaultAndNotStored)
{
    SetDriverAddressParameter(-1);
    WriteProgram("BoardAddress=812\r\n");
    std::string shown;
    Run([&](HWND sheet) {
        shown = Text(ShowPage(sheet, 3), IDC_ADDRESS);
        PressButton(sheet, IDOK);
    });
    ASSERT_EQ(messagesBeforeSheet.size(), 1u);
    EXPECT_EQ(messagesBeforeSheet[0], kNoDriverInfo);
    EXPECT_EQ(shown, "800 (320 hex)");
    DWORD address = 0;
    EXPECT_FALSE(ReadDriverAddressParameter(address));
    EXPECT_EQ(Program("BoardAddress"), "812");
    EXPECT_TRUE(QueryDriverService().exists);  // made to run as far as possible
}

struct TextAddressCase {
    const char* name;
    DWORD type;
    std::string data;  // four bytes, the width of the address
};

class SettingsRunTextAddress : public SettingsRun, public testing::WithParamInterface<TextAddressCase> {};

// Text is no port address: it counts as a missing parameter, whatever its
// four bytes would read as.
TEST_P(SettingsRunTextAddress, IsReportedShownAsDefaultAndNotStored)
{
    SetDriverAddressParameterData(GetParam().type, GetParam().data);
    WriteProgram("BoardAddress=812\r\n");
    std::string shown;
    Run([&](HWND sheet) {
        shown = Text(ShowPage(sheet, 3), IDC_ADDRESS);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(messagesBeforeSheet, std::vector<std::string>{kNoDriverInfo});
    EXPECT_EQ(shown, "800 (320 hex)");
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadDriverAddressParameterData(type, data));
    EXPECT_EQ(type, GetParam().type);
    EXPECT_EQ(data, GetParam().data);
    EXPECT_EQ(Program("BoardAddress"), "812");
}

INSTANTIATE_TEST_SUITE_P(Types, SettingsRunTextAddress,
    testing::Values(TextAddressCase{"string", REG_SZ, std::string("800", 4)},
                    TextAddressCase{"expandable_string", REG_EXPAND_SZ, std::string("800", 4)},
                    TextAddressCase{"string_list", REG_MULTI_SZ, std::string("80\0", 4)}),
    [](const testing::TestParamInfo<TextAddressCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsRun, FourBytesOfBinaryDataAreReadAsTheAddress)
{
    const DWORD address = 816;
    SetDriverAddressParameterData(REG_BINARY, std::string(reinterpret_cast<const char*>(&address), 4));
    WriteProgram("BoardAddress=800\r\n");
    std::string shown;
    Run([&](HWND sheet) {
        shown = Text(ShowPage(sheet, 3), IDC_ADDRESS);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_TRUE(messagesBeforeSheet.empty());
    EXPECT_EQ(shown, "816 (330 hex)");
    EXPECT_EQ(Program("BoardAddress"), "816");
}

TEST_F(SettingsRun, OnWindows9xNoRegistryNoDriverAndNoAddressWrite)
{
    TestApp().IsWindowsNT = false;
    SetDriverAddressParameter(-1);
    WriteProgram("Units=0\r\n");
    std::string shown;
    Run([&](HWND sheet) {
        shown = Text(ShowPage(sheet, 3), IDC_ADDRESS);
        PressButton(sheet, IDOK);
    });
    EXPECT_TRUE(messagesBeforeSheet.empty());
    EXPECT_EQ(shown, "800 (320 hex)");
    EXPECT_EQ(Program("BoardAddress"), "<absent>");
    EXPECT_FALSE(QueryDriverService().exists);
    DWORD address = 0;
    EXPECT_FALSE(ReadDriverAddressParameter(address));
}

TEST_F(SettingsRun, OnWindows9xAChangedAddressGoesToTheProfileOnly)
{
    TestApp().IsWindowsNT = false;
    SetDriverAddressParameter(-1);
    WriteProgram("BoardAddress=828\r\n");
    Run([&](HWND sheet) {
        PressButton(ShowPage(sheet, 3), IDC_CARD_DEFAULT);
        ASSERT_TRUE(WaitFor("Default to show the address 800",
                            [&] { return Text(CurrentPage(sheet), IDC_ADDRESS) == "800 (320 hex)"; }, 5000));
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(Program("BoardAddress"), "800");
    EXPECT_FALSE(QueryDriverService().exists);
}

}  // namespace
