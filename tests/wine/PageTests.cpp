// The Welcome, General and Interface Card pages in the running sheet.
#include "ConfigurationFixture.h"

#include "resources/resource.h"
#include "setup/valueentry/ValueField.h"

#include <gtest/gtest.h>

#include <map>

using namespace testkit;

namespace {

using Pages = ConfigurationRun;

RECT RectIn(HWND window, HWND parent)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Pixel of a control as it is on the screen.
COLORREF PixelOf(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// ---- Welcome ---------------------------------------------------------------

TEST_F(Pages, WelcomeSelectsTheStoredUnitsAndSwitchesThemAtOnce)
{
    WriteProgram("Units=0\r\nBoardAddress=800\r\n");
    bool inch = false;
    std::map<int, std::string> metricTexts;
    INT_PTR result = Run([&](HWND sheet) {
        inch = Checked(CurrentPage(sheet), IDC_UNITS_INCH);
        PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_UNITS_METRIC), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor("the Metric click to switch the units", [] { return keld::InchUnits == 0; }, 5000));
        HWND general = ShowPage(sheet, 1);
        for (int id : {IDC_L_FACTOR, IDC_RUN_FEEDRATE, IDC_MAX_ARC_DEVIATION, IDC_SHAFT_HEIGHT})
            metricTexts[id] = Text(general, id);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(inch);
    EXPECT_EQ(metricTexts, (std::map<int, std::string>{{IDC_L_FACTOR, "-1"}, {IDC_RUN_FEEDRATE, "254"},
                                                       {IDC_MAX_ARC_DEVIATION, "0.0508"}, {IDC_SHAFT_HEIGHT, "25.4"}}));
    EXPECT_EQ(Program("Units"), "0");
}

TEST_F(Pages, WelcomePictureKeepsItsLeftEdgeIsCentredAndFramed)
{
    // The bitmap's top-left pixel (the wall's grey, colour 249 of
    // resources/machine.bmp), to be found at the picture's top-left.
    const COLORREF expected = RGB(216, 216, 216);

    RECT templateRect{130, 9, 283, 145};  // the picture's place in the template, dialog units
    RECT picture{}, frame{};
    int paletteSize = 0;
    COLORREF topLeft = 0;
    Run([&](HWND window) {
        HWND page = CurrentPage(window);
        MapDialogRect(page, &templateRect);
        picture = RectIn(GetDlgItem(page, IDC_PICTURE), page);
        frame = RectIn(GetDlgItem(page, IDC_PICTURE_FRAME), page);
        ui.Invoke([&] {
            HPALETTE palette = sheet->Palette();
            paletteSize = palette ? GetPaletteEntries(palette, 0, 0, nullptr) : 0;
        });
        WaitFor("the picture's first pixel on the screen",
                [&] { return PixelOf(GetDlgItem(page, IDC_PICTURE), 0, 0) == expected; }, 3000);
        topLeft = PixelOf(GetDlgItem(page, IDC_PICTURE), 0, 0);
        PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(picture.right - picture.left, 229);
    EXPECT_EQ(picture.bottom - picture.top, 195);
    EXPECT_EQ(picture.left, templateRect.left);
    EXPECT_EQ(picture.top, (templateRect.top + templateRect.bottom - 195) / 2);
    EXPECT_EQ(frame.left, picture.left - 2);
    EXPECT_EQ(frame.top, picture.top - 2);
    EXPECT_EQ(frame.right - frame.left, 229 + 3);
    EXPECT_EQ(frame.bottom - frame.top, 195 + 3);
    EXPECT_EQ(paletteSize, 256);
    EXPECT_EQ(topLeft, expected);
}

// ---- General ---------------------------------------------------------------

TEST_F(Pages, GeneralDefaultsShowAtOnceAndWriteNothing)
{
    WriteProgram("BoardAddress=800\r\nDefaultLFactor=3\r\nDefaultRunFeed=40\r\n");
    WriteFile(TestApp().ControlIniPath, "[Settings]\r\nDefaultMachine=0\r\n[FlowCtl]\r\nMaxSubs=9\r\n");
    std::string program = ReadFile(TestApp().ProgramIniPath), control = ReadFile(TestApp().ControlIniPath);
    std::map<int, std::string> before, after;
    bool offlineAfter = true;
    Run([&](HWND sheet) {
        HWND general = ShowPage(sheet, 1);
        for (int id : {IDC_L_FACTOR, IDC_RUN_FEEDRATE, IDC_MAX_SUBS})
            before[id] = Text(general, id);
        PressButton(general, IDC_GENERAL_DEFAULTS);
        ui.WaitForPostedMessages();
        for (int id : {IDC_L_FACTOR, IDC_RUN_FEEDRATE, IDC_MAX_SUBS, IDC_MAX_SUB_DEPTH, IDC_DECIMAL_PLACES,
                       IDC_SHAFT_HEIGHT, IDC_MAX_ARC_DEVIATION})
            after[id] = Text(general, id);
        offlineAfter = Checked(general, IDC_RUN_OFFLINE);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(before, (std::map<int, std::string>{{IDC_L_FACTOR, "3"}, {IDC_RUN_FEEDRATE, "40"}, {IDC_MAX_SUBS, "9"}}));
    EXPECT_EQ(after, (std::map<int, std::string>{{IDC_L_FACTOR, "-1"}, {IDC_RUN_FEEDRATE, "10"}, {IDC_MAX_SUBS, "20"},
                                                 {IDC_MAX_SUB_DEPTH, "20"}, {IDC_DECIMAL_PLACES, "4"},
                                                 {IDC_SHAFT_HEIGHT, "1"}, {IDC_MAX_ARC_DEVIATION, "0.002"}}));
    EXPECT_FALSE(offlineAfter);
    EXPECT_EQ(ReadFile(TestApp().ProgramIniPath), program);
    EXPECT_EQ(ReadFile(TestApp().ControlIniPath), control);
}

TEST_F(Pages, GeneralSpinsStopAtTheirLimitsAndStoredValuesShowUnchanged)
{
    WriteFile(TestApp().ControlIniPath,
              "[Defaults]\r\nValueDispPrec=8\r\n[FlowCtl]\r\nMaxSubs=1\r\nMaxSubDepth=250\r\n");
    std::string places, subs, depth;
    Run([&](HWND sheet) {
        HWND general = ShowPage(sheet, 1);
        depth = Text(general, IDC_MAX_SUB_DEPTH);
        ClickSpin(GetDlgItem(general, IDC_DECIMAL_PLACES_SPIN), true);
        ClickSpin(GetDlgItem(general, IDC_MAX_SUBS_SPIN), false);
        ui.WaitForPostedMessages();
        places = Text(general, IDC_DECIMAL_PLACES);
        subs = Text(general, IDC_MAX_SUBS);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(depth, "250");
    EXPECT_EQ(places, "8");
    EXPECT_EQ(subs, "1");
    EXPECT_EQ(Control("Defaults", "ValueDispPrec"), "8");
    EXPECT_EQ(Control("FlowCtl", "MaxSubs"), "1");
    EXPECT_EQ(Control("FlowCtl", "MaxSubDepth"), "250");
}

struct SpinEndCase {
    const char* name;
    const char* section;
    const char* key;
    int edit;
    int spin;
    const char* end;  // a limit of the range, stored before the run
    bool up;          // the arrow that points beyond it
    const char* back; // after one step the other way
};

class GeneralSpinEnd : public Pages, public testing::WithParamInterface<SpinEndCase> {};

// Each click is handled before the text is read.
TEST_P(GeneralSpinEnd, StopsAtTheLimitAndStepsBackFromIt)
{
    const SpinEndCase& c = GetParam();
    WriteFile(TestApp().ControlIniPath, std::string("[") + c.section + "]\r\n" + c.key + "=" + c.end + "\r\n");
    std::string beyond, back;
    Run([&](HWND sheet) {
        HWND general = ShowPage(sheet, 1);
        ClickSpin(GetDlgItem(general, c.spin), c.up);
        ui.WaitForPostedMessages();
        beyond = Text(general, c.edit);
        ClickSpin(GetDlgItem(general, c.spin), !c.up);
        ui.WaitForPostedMessages();
        back = Text(general, c.edit);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(beyond, c.end);
    EXPECT_EQ(back, c.back);
}

INSTANTIATE_TEST_SUITE_P(Spins, GeneralSpinEnd,
    testing::Values(
        SpinEndCase{"places_top", "Defaults", "ValueDispPrec", IDC_DECIMAL_PLACES, IDC_DECIMAL_PLACES_SPIN, "8", true, "7"},
        SpinEndCase{"places_bottom", "Defaults", "ValueDispPrec", IDC_DECIMAL_PLACES, IDC_DECIMAL_PLACES_SPIN, "1", false,
                    "2"},
        SpinEndCase{"subs_top", "FlowCtl", "MaxSubs", IDC_MAX_SUBS, IDC_MAX_SUBS_SPIN, "100", true, "99"},
        SpinEndCase{"subs_bottom", "FlowCtl", "MaxSubs", IDC_MAX_SUBS, IDC_MAX_SUBS_SPIN, "1", false, "2"},
        SpinEndCase{"depth_top", "FlowCtl", "MaxSubDepth", IDC_MAX_SUB_DEPTH, IDC_MAX_SUB_DEPTH_SPIN, "100", true, "99"},
        SpinEndCase{"depth_bottom", "FlowCtl", "MaxSubDepth", IDC_MAX_SUB_DEPTH, IDC_MAX_SUB_DEPTH_SPIN, "1", false,
                    "2"}),
    [](const testing::TestParamInfo<SpinEndCase>& info) { return std::string(info.param.name); });

TEST_F(Pages, GeneralExpressionIsShownEvaluatedAndStored)
{
    std::string shown;
    Run([&](HWND sheet) {
        HWND general = ShowPage(sheet, 1);
        HWND field = GetDlgItem(general, IDC_L_FACTOR);
        ui.Invoke([&] { SetFocus(field); });
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2*3"));
        PostMessageA(general, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(general, IDC_RUN_FEEDRATE)), TRUE);
        WaitFor("the L-factor field to show 6", [&] { return Text(general, IDC_L_FACTOR) == "6"; }, 5000);
        shown = Text(general, IDC_L_FACTOR);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(shown, "6");
    EXPECT_EQ(Program("DefaultLFactor"), "6");
}

// ---- Interface Card -------------------------------------------------------

// The switch row on the screen, left to right, read in each cell of
// resources/dipswitch.bmp where the upper half of the slot shows: the
// black of a lever pushed up (ON), or the grey of the empty slot (OFF).
// Any other colour there, as of a cell not drawn, reads "?".
std::string SwitchRow(HWND dipSwitch)
{
    std::string row;
    for (int i = 0; i < 4; ++i) {
        COLORREF slot = PixelOf(dipSwitch, 1 + i * 14 + 6, 1 + 13);
        row += slot == RGB(0, 0, 0) ? "ON" : slot == RGB(128, 128, 128) ? "OFF" : "?";
        if (i < 3)
            row += ' ';
    }
    return row;
}

enum class CardAction { None, Up, Down, Default };

struct CardCase {
    const char* name;
    int stored;
    CardAction action;
    const char* text;
    const char* switches;
};

class InterfaceCardPage : public ConfigurationRun, public testing::WithParamInterface<CardCase> {};

TEST_P(InterfaceCardPage, ShowsAddressAndSwitches)
{
    const CardCase& c = GetParam();
    SetDriverAddressParameter(c.stored);
    WriteProgram("BoardAddress=" + std::to_string(c.stored) + "\r\n");
    std::string text, switches;
    RECT switchRect{};
    Run([&](HWND sheet) {
        HWND card = ShowPage(sheet, 3);
        std::string initial = Text(card, IDC_ADDRESS);
        switch (c.action) {
        case CardAction::Up:
            ClickSpin(GetDlgItem(card, IDC_ADDRESS_SPIN), true);
            break;
        case CardAction::Down:
            ClickSpin(GetDlgItem(card, IDC_ADDRESS_SPIN), false);
            break;
        case CardAction::Default:
            PressButton(card, IDC_CARD_DEFAULT);
            break;
        case CardAction::None:
            break;
        }
        ui.WaitUntilPainted(card);
        text = Text(card, IDC_ADDRESS);
        HWND dipSwitch = GetDlgItem(card, IDC_DIPSWITCH);
        GetClientRect(dipSwitch, &switchRect);
        switches = SwitchRow(dipSwitch);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(switches, c.switches);
    EXPECT_EQ(switchRect.right, 58);
    EXPECT_EQ(switchRect.bottom, 28);
}

INSTANTIATE_TEST_SUITE_P(Addresses, InterfaceCardPage,
    testing::Values(CardCase{"LowestStepsDownToItself", 768, CardAction::Down, "768 (300 hex)", "ON ON ON ON"},
                    CardCase{"HighestStepsUpToItself", 828, CardAction::Up, "828 (33C hex)", "OFF OFF OFF OFF"},
                    CardCase{"StepUp", 800, CardAction::Up, "804 (324 hex)", "OFF ON ON OFF"},
                    CardCase{"Shown", 812, CardAction::None, "812 (32C hex)", "OFF ON OFF OFF"},
                    CardCase{"DefaultFromAnyAddress", 828, CardAction::Default, "800 (320 hex)", "OFF ON ON ON"},
                    CardCase{"OutOfRangeShownAsStored", 640, CardAction::None, "640 (280 hex)", "ON ON ON ON"},
                    CardCase{"OutOfRangeClampedByTheFirstStep", 640, CardAction::Up, "768 (300 hex)", "ON ON ON ON"}),
    [](const testing::TestParamInfo<CardCase>& info) { return std::string(info.param.name); });

TEST_F(Pages, CardPictureShowsThePageWhereTheBitmapIsNavy)
{
    COLORREF surround = 0, pageBackground = 1, body = 0, line = 0;
    RECT cardRect{};
    Run([&](HWND sheet) {
        HWND card = ShowPage(sheet, 3);
        HWND picture = GetDlgItem(card, IDC_CARD_PICTURE);
        GetClientRect(picture, &cardRect);
        WaitFor("the card body's green on the screen", [&] { return PixelOf(picture, 10, 10) == RGB(0, 128, 0); },
                3000);
        surround = PixelOf(picture, 0, 0);
        body = PixelOf(picture, 10, 10);
        line = PixelOf(picture, 110, 17);
        RECT place = RectIn(picture, card);
        pageBackground = PixelOf(card, place.left - 3, place.top + 1);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(cardRect.right, 125);
    EXPECT_EQ(cardRect.bottom, 52);
    EXPECT_EQ(surround, pageBackground);
    EXPECT_NE(surround, RGB(0, 0, 128));
    EXPECT_EQ(body, RGB(0, 128, 0));
    EXPECT_EQ(line, RGB(255, 255, 255));
}

}  // namespace
