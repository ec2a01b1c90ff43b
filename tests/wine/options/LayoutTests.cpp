// Every window as the operator sees it at the DPI of this run (CTest runs
// these at 96, 120 and 144 DPI, each in a prefix of its own): no text is
// cut, the pictures grow with the DPI, and extension settings windows are
// drawn on the page's background.
#include "OptionsPageFixture.h"
#include "TextFit.h"

#include "resources/resource.h"

#include <sstream>

using namespace optionstest;
using namespace testkit;

namespace {

std::string Lines(const std::vector<std::string>& lines)
{
    std::ostringstream text;
    for (const std::string& line : lines)
        text << "\n  " << line;
    return text.str();
}

class Layout : public OptionsPage {
protected:
    void SetUp() override
    {
        OptionsPage::SetUp();
        PutModule("ATC.DLL");
        PutModule("COOL.DLL");
        Installed("ATC");
        NotInstalled("COOL");
        Register({"ATC,MakeOption", "COOL,MakeOption"});
    }
};

TEST_F(Layout, TheProgramRunsAtTheDpiOfItsPrefix)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(dpi, RunDpi());
}

TEST_F(Layout, NoTextOrControlOfTheSheetItsDialogsOrMessagesIsCut)
{
    DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> clipped;
    auto add = [&](HWND window, const std::string& name) {
        ui.Invoke([&] {
            std::vector<std::string> found = ClippedTexts(window, name);
            clipped.insert(clipped.end(), found.begin(), found.end());
            found = ControlsOutside(window, name);
            clipped.insert(clipped.end(), found.begin(), found.end());
        });
    };
    RunOptions([&](HWND sheet, HWND options) {
        const char* const names[] = {"Welcome page", "General page", "Options page", "Interface Card page"};
        for (int index = 0; index < 4; ++index)
            add(ShowPage(sheet, index), names[index]);
        add(sheet, "sheet");
        ShowPage(sheet, 2);

        PressButton(options, IDC_REINSTALL);
        HWND reinstall = WaitForWindowOfThread(uiThread, "Reinstall Options");
        ASSERT_NE(reinstall, nullptr);
        add(reinstall, "Reinstall Options dialog");
        PressButton(reinstall, IDCANCEL);
        ASSERT_TRUE(WaitFor("the Reinstall Options dialog to close", [&] { return !IsWindow(reinstall); }));

        PressButton(options, IDC_REMOVE);
        HWND question = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(question, nullptr);
        add(question, "Remove question");
        ASSERT_TRUE(AnswerMessageBox(question, IDNO));
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_TRUE(clipped.empty()) << "at " << RunDpi() << " DPI:" << Lines(clipped);
}

// ---- pictures ----------------------------------------------------------------

struct PictureCase {
    const char* name;
    int page;
    int id;
    int width96;   // the bitmap's size at 96 DPI
    int height96;
};

class LayoutPictures : public Layout, public testing::WithParamInterface<PictureCase> {};

// The control is the picture at this DPI, and what is drawn reaches its far
// corner: the picture is stretched, not drawn at its 96-DPI size.
TEST_P(LayoutPictures, GrowWithTheDpi)
{
    const PictureCase& c = GetParam();
    RECT control{};
    COLORREF farCorner = 0, outside = 0;
    RunOptions([&](HWND sheet, HWND) {
        HWND page = ShowPage(sheet, c.page);
        HWND picture = GetDlgItem(page, c.id);
        ui.WaitUntilPainted(page);
        GetClientRect(picture, &control);
        ui.Invoke([&] {
            HDC dc = GetDC(picture);
            farCorner = GetPixel(dc, control.right - 3, control.bottom - 3);
            ReleaseDC(picture, dc);
            HDC pageDc = GetDC(page);
            POINT left{-4, control.bottom / 2};
            MapWindowPoints(picture, page, &left, 1);
            outside = GetPixel(pageDc, left.x, left.y);
            ReleaseDC(page, pageDc);
        });
        PressButton(sheet, IDCANCEL);
    });
    const int dpi = RunDpi();
    EXPECT_NEAR(control.right, MulDiv(c.width96, dpi, 96), 1);
    EXPECT_NEAR(control.bottom, MulDiv(c.height96, dpi, 96), 1);
    EXPECT_NE(farCorner, outside) << "the picture's far corner shows the page, not the picture";
}

INSTANTIATE_TEST_SUITE_P(Pictures, LayoutPictures,
    testing::Values(PictureCase{"Welcome", 0, IDC_PICTURE, 229, 195},
                    // Four 14 x 26 cells in a one-pixel frame.
                    PictureCase{"DipSwitch", 3, IDC_DIPSWITCH, 58, 28}),
    [](const testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

TEST_F(Layout, TheCardPictureGrowsWithTheDpi)
{
    RECT control{};
    RunOptions([&](HWND sheet, HWND) {
        GetClientRect(GetDlgItem(ShowPage(sheet, 3), IDC_CARD_PICTURE), &control);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_NEAR(control.right, MulDiv(125, RunDpi(), 96), 1);
    EXPECT_NEAR(control.bottom, MulDiv(52, RunDpi(), 96), 1);
}

// ---- extension settings windows ----------------------------------------------

// The test module's settings window is a static control holding a check
// box; beside the check box's text, and in the settings window around it,
// the page's own background shows.
TEST_F(Layout, ExtensionSettingsAreDrawnOnThePageBackground)
{
    COLORREF page = 0, settings = 0, checkBox = 0;
    RunOptions([&](HWND sheet, HWND options) {
        HWND window = SettingsWindowOf(options, "ATC");
        ASSERT_NE(window, nullptr);
        HWND box = GetDlgItem(window, 100);
        ui.WaitUntilPainted(options);
        ui.Invoke([&] {
            RECT boxRect{};
            GetClientRect(box, &boxRect);
            HDC dc = GetDC(box);
            checkBox = GetPixel(dc, boxRect.right - 2, boxRect.bottom / 2);
            ReleaseDC(box, dc);
            RECT settingsRect{};
            GetClientRect(window, &settingsRect);
            dc = GetDC(window);
            settings = GetPixel(dc, settingsRect.right - 4, settingsRect.bottom - 4);
            ReleaseDC(window, dc);
            // The page between its buttons below the group boxes, where no
            // control is.
            RECT gap{180, 147, 181, 148};
            MapDialogRect(options, &gap);
            dc = GetDC(options);
            page = GetPixel(dc, gap.left, gap.top);
            ReleaseDC(options, dc);
        });
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(settings, page);
    EXPECT_EQ(checkBox, page);
}

}  // namespace
