// The dialog framework on real comctl32 windows.
#include "UiThread.h"
#include "WindowDriver.h"

#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/PropertySheet.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <thread>

using namespace testkit;

namespace {

fw::CWinApp g_app("Framework Test");

constexpr int kNumber = 100, kCheck = 101, kRadio = 102, kReal = 105;

class ValuesPage : public fw::CPropertyPage {
public:
    ValuesPage() : fw::CPropertyPage(500) {}
    int number = 42;
    int check = 1;
    int radio = 2;
    double real = 2.5;
    int activations = 0;

    BOOL OnSetActive() override
    {
        ++activations;
        return fw::CPropertyPage::OnSetActive();
    }

protected:
    void DoDataExchange(fw::CDataExchange* dx) override
    {
        fw::DDX_Text(dx, kNumber, number);
        fw::DDX_Check(dx, kCheck, check);
        fw::DDX_Radio(dx, kRadio, radio);
        fw::DDX_Text(dx, kReal, real);
    }
};

class OtherPage : public fw::CPropertyPage {
public:
    OtherPage() : fw::CPropertyPage(501) {}
};

struct Sheet {
    ValuesPage values;
    OtherPage other;
    fw::CPropertySheet sheet{"Framework Test", nullptr, 0};

    INT_PTR Run(const std::function<void(HWND)>& drive)
    {
        sheet.AddPage(&values);
        sheet.AddPage(&other);
        return RunSheet([this] { return sheet.DoModal(); }, drive);
    }
};

void SetText(HWND sheet, int id, const char* text)
{
    HWND page = CurrentPage(sheet);
    SendMessageA(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

std::string GetText(HWND sheet, int id)
{
    HWND page = CurrentPage(sheet);
    return TextOf(GetDlgItem(page, id));
}

TEST(DataExchange, ShowsMembersAndReadsThemBackOnOk)
{
    Sheet s;
    std::string shownNumber, shownReal;
    INT_PTR result = s.Run([&](HWND sheet) {
        shownNumber = GetText(sheet, kNumber);
        shownReal = GetText(sheet, kReal);
        HWND page = CurrentPage(sheet);
        EXPECT_EQ(SendMessageA(GetDlgItem(page, kCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageA(GetDlgItem(page, 104), BM_GETCHECK, 0, 0), BST_CHECKED);
        SetText(sheet, kNumber, " -17 ");
        SetText(sheet, kReal, "0.125");
        SendMessageA(GetDlgItem(page, kCheck), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(GetDlgItem(page, 104), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(GetDlgItem(page, 102), BM_SETCHECK, BST_CHECKED, 0);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shownNumber, "42");
    EXPECT_EQ(shownReal, "2.5");
    EXPECT_EQ(s.values.number, -17);
    EXPECT_EQ(s.values.real, 0.125);
    EXPECT_EQ(s.values.check, 0);
    EXPECT_EQ(s.values.radio, 0);
}

TEST(DataExchange, NonIntegerTextShowsTheFrameworkMessageAndKeepsThePage)
{
    Sheet s;
    std::string message, caption;
    int pageAfter = -1;
    DWORD uiThread = GetCurrentThreadId();
    INT_PTR result = s.Run([&](HWND sheet) {
        SetText(sheet, kNumber, "12x");
        PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
        HWND box = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(box, nullptr);
        message = MessageBoxText(box);
        caption = TextOf(box);
        ASSERT_TRUE(AnswerMessageBox(box));
        pageAfter = ActivePageIndex(sheet);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(message, "Please enter an integer.");
    EXPECT_EQ(caption, "Framework Test");
    EXPECT_EQ(pageAfter, 0);
    EXPECT_EQ(s.values.number, 42);
}

TEST(PropertyPage, ExchangesTowardsTheControlsOnEveryActivationButTheFirst)
{
    Sheet s;
    std::string shownAfterReturn;
    s.Run([&](HWND sheet) {
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        SetText(sheet, kNumber, "ignored");  // page 1 has no such control
        s.values.number = 7;                 // changed while the page is not shown
        SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
        shownAfterReturn = GetText(sheet, kNumber);
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(shownAfterReturn, "7");
    EXPECT_EQ(s.values.activations, 2);
}

// The test rig itself: a sheet that the steps leave open is cancelled, and
// the test fails at once, saying what was shown.
INT_PTR g_rigResult = 0;

INT_PTR RunAndLeaveOpen()
{
    Sheet s;
    return s.Run([](HWND) {});
}

INT_PTR RunAndLeaveAMessageBox()
{
    Sheet s;
    return s.Run([](HWND sheet) {
        SetText(sheet, kNumber, "12x");
        PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
    });
}

TEST(SheetRig, CancelsASheetTheStepsLeftOpen)
{
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(g_rigResult = RunAndLeaveOpen(),
                                           "the sheet is still open after the test's steps");
    EXPECT_EQ(g_rigResult, IDCANCEL);
}

TEST(SheetRig, AnswersAMessageBoxTheStepsLeftAndNamesIt)
{
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(g_rigResult = RunAndLeaveAMessageBox(), "Please enter an integer.");
    EXPECT_EQ(g_rigResult, IDCANCEL);
}

TEST(AppMessageBoxTest, UsesTheApplicationCaptionOkAndExclamationUnlessTold)
{
    std::vector<UINT> types;
    fw::SetMessageBoxObserver([&](const std::string&, UINT type) {
        types.push_back(type);
        return 0;
    });
    std::string caption;
    bool hasIcon = false;
    std::thread driver([&] {
        HWND box = WaitForMessageBoxOfProcess(GetCurrentProcessId());
        ASSERT_NE(box, nullptr);
        caption = TextOf(box);
        hasIcon = GetDlgItem(box, 0x0440) != nullptr;  // the message box's icon control
        PressButton(box, IDOK);
    });
    int answer = fw::AppMessageBox("Something to know");
    driver.join();
    fw::SetMessageBoxObserver(nullptr);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(caption, "Framework Test");
    EXPECT_TRUE(hasIcon);
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0], static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST(AppMessageBoxTest, KeepsTheIconTheCallerNames)
{
    UINT seen = 0;
    fw::SetMessageBoxObserver([&](const std::string&, UINT type) {
        seen = type;
        return IDNO;
    });
    EXPECT_EQ(fw::AppMessageBox("Question?", MB_YESNO | MB_ICONQUESTION), IDNO);
    fw::SetMessageBoxObserver(nullptr);
    EXPECT_EQ(seen, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

}  // namespace
