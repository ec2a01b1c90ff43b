// Value fields on real edit controls of a real page, driven from a second
// thread through notifications, focus changes and message boxes.
#include "UiThread.h"
#include "WindowDriver.h"

#include "framework/MessageBox.h"
#include "setup/SetupApp.h"
#include "setup/valueentry/ValueField.h"

#include <gtest/gtest.h>

#include <thread>

using namespace testkit;

namespace {

keld::CSetupApp g_app;

constexpr int kPlain = 10;   // expression, no unit
constexpr int kLength = 11;  // expression and length
constexpr int kOther = 12;   // an ordinary edit to move the focus to

class FieldsPage : public keld::CPropertyPageBase {
public:
    FieldsPage() : keld::CPropertyPageBase(600, 0) {}
    double plain = -1.0;
    double length = 1.0;

    BOOL OnSetActive() override
    {
        ShowAllFields();
        return keld::CPropertyPageBase::OnSetActive();
    }

protected:
    BOOL OnInitDialog() override
    {
        AddField(kPlain, keld::VF_EXPRESSION, 0.0);
        AddField(kLength, keld::VF_EXPRESSION | keld::VF_LENGTH, 0.0);
        return keld::CPropertyPageBase::OnInitDialog();
    }
    void DoDataExchange(fw::CDataExchange* dx) override
    {
        keld::CPropertyPageBase::DoDataExchange(dx);
        keld::DDX_ValueField(this, dx, kPlain, plain);
        keld::DDX_ValueField(this, dx, kLength, length);
    }
};

class OtherPage : public fw::CPropertyPage {
public:
    OtherPage() : fw::CPropertyPage(601) {}
};

// A sheet with the fields page first, run on this thread.
class FieldSheet {
public:
    explicit FieldSheet(int inchUnits) { keld::InchUnits = inchUnits; }
    ~FieldSheet() { keld::InchUnits = 1; }

    INT_PTR Run(const std::function<void(HWND sheet, HWND page)>& drive)
    {
        m_sheet.AddPage(&fields);
        m_sheet.AddPage(&m_other);
        return RunSheet([this] { return m_sheet.DoModal(); }, [&](HWND sheet) {
            drive(sheet, CurrentPage(sheet));
        });
    }

    // Field state read on the UI thread.
    keld::CValueField Field(int id) const
    {
        keld::CValueField copy;
        m_ui.Invoke([&] { copy = *const_cast<FieldsPage&>(fields).FindField(id); });
        return copy;
    }
    void Focus(HWND page, int id) const
    {
        m_ui.Invoke([&] { SetFocus(GetDlgItem(page, id)); });
    }
    const UiInvoker& Ui() const { return m_ui; }

    FieldsPage fields;

private:
    UiInvoker m_ui;
    OtherPage m_other;
    fw::CPropertySheet m_sheet{"KELDORAN Setup", nullptr, 0};
};

void Type(HWND page, int id, const char* text)
{
    SendMessageA(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Moves the focus on without waiting for what the field does about it.
void Leave(HWND page)
{
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, kOther)), TRUE);
}


struct LeaveCase {
    const char* name;
    int inchUnits;
    int id;
    const char* typed;
    const char* shown;
    double stored;
};

class FieldFocusLoss : public testing::TestWithParam<LeaveCase> {};

TEST_P(FieldFocusLoss, ChangeMarksTheFieldAndLeavingShowsTheNormalisedValue)
{
    const LeaveCase& c = GetParam();
    FieldSheet sheet(c.inchUnits);
    bool markedAfterTyping = false;
    keld::CValueField after;
    std::string shown;
    sheet.Run([&](HWND s, HWND page) {
        sheet.Focus(page, c.id);
        Type(page, c.id, c.typed);
        markedAfterTyping = sheet.Field(c.id).modified;
        Leave(page);
        // The typed text may already be the one shown afterwards, so the
        // field's own state tells when the focus loss has been handled.
        WaitFor("the field to show its normalised value", [&] {
            after = sheet.Field(c.id);
            shown = TextOf(GetDlgItem(page, c.id));
            return !after.modified && shown == c.shown;
        }, 5000);
        PressButton(s, IDCANCEL);
    });
    EXPECT_TRUE(markedAfterTyping);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(after.value, c.stored);
    EXPECT_FALSE(after.modified);
}

INSTANTIATE_TEST_SUITE_P(Entries, FieldFocusLoss,
    testing::Values(LeaveCase{"FractionInPlainField", 1, kPlain, "1/8", "0.125", 0.125},
                    LeaveCase{"FractionInLength", 1, kLength, "1/8", "0.125", 0.125},
                    LeaveCase{"AboveTheLimit", 1, kLength, "2000000", "1000000", 1000000.0},
                    LeaveCase{"MetricAboveTheLimit", 0, kLength, "30000000", "25400000", 1000000.0},
                    LeaveCase{"MetricExpression", 0, kLength, "25.4*2", "50.8", 1.9999999999999998},
                    LeaveCase{"PlainFieldIsNeverConverted", 0, kPlain, "25.4", "25.4", 25.4},
                    LeaveCase{"ClearedFieldShowsItsValueAgain", 0, kLength, "", "25.4", 1.0}),
    [](const testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

TEST(ValueField, InvalidTextShowsTheErrorKeepsTheTextAndTheValue)
{
    FieldSheet sheet(1);
    std::string message, caption, textAfter, textAfterVisit, textAfterReturn;
    keld::CValueField after;
    bool secondMessage = true;
    DWORD uiThread = GetCurrentThreadId();
    sheet.Run([&](HWND s, HWND page) {
        sheet.Focus(page, kLength);
        Type(page, kLength, "abc");
        Leave(page);
        HWND box = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(box, nullptr);
        message = MessageBoxText(box);
        caption = TextOf(box);
        ASSERT_TRUE(AnswerMessageBox(box));
        textAfter = TextOf(GetDlgItem(page, kLength));
        after = sheet.Field(kLength);

        // Only visiting the field again changes nothing and asks nothing.
        // The focus moves synchronously on the UI thread, so any message
        // box has been asked for by the time Focus returns; the observer
        // answers it without showing it.
        int boxes = 0;
        sheet.Ui().Invoke([&] {
            fw::SetMessageBoxObserver([&boxes](const std::string&, UINT) {
                ++boxes;
                return IDOK;
            });
        });
        sheet.Focus(page, kLength);
        sheet.Focus(page, kOther);
        sheet.Ui().Invoke([] { fw::SetMessageBoxObserver(nullptr); });
        secondMessage = boxes != 0;
        textAfterVisit = TextOf(GetDlgItem(page, kLength));

        // Coming back to the page shows the stored value again.
        SendMessageA(s, PSM_SETCURSEL, 1, 0);
        SendMessageA(s, PSM_SETCURSEL, 0, 0);
        page = CurrentPage(s);
        textAfterReturn = TextOf(GetDlgItem(page, kLength));
        PressButton(s, IDCANCEL);
    });
    EXPECT_EQ(message, "Invalid Character");
    EXPECT_EQ(caption, "KELDORAN Setup");
    EXPECT_EQ(textAfter, "abc");
    EXPECT_EQ(after.value, 1.0);
    EXPECT_FALSE(after.modified);
    EXPECT_FALSE(secondMessage);
    EXPECT_EQ(textAfterVisit, "abc");
    EXPECT_EQ(textAfterReturn, "1");
}

TEST(ValueField, ReactivationAfterAUnitsSwitchConvertsLengthsOnly)
{
    FieldSheet sheet(1);
    std::string lengthBefore, plainBefore, lengthAfter, plainAfter;
    sheet.Run([&](HWND s, HWND page) {
        lengthBefore = TextOf(GetDlgItem(page, kLength));
        plainBefore = TextOf(GetDlgItem(page, kPlain));
        SendMessageA(s, PSM_SETCURSEL, 1, 0);
        sheet.Ui().Invoke([] { keld::InchUnits = 0; });
        SendMessageA(s, PSM_SETCURSEL, 0, 0);
        lengthAfter = TextOf(GetDlgItem(page, kLength));
        plainAfter = TextOf(GetDlgItem(page, kPlain));
        PressButton(s, IDCANCEL);
    });
    EXPECT_EQ(lengthBefore, "1");
    EXPECT_EQ(plainBefore, "-1");
    EXPECT_EQ(lengthAfter, "25.4");
    EXPECT_EQ(plainAfter, "-1");
}

TEST(ValueField, OkProcessesAFieldStillBeingTyped)
{
    FieldSheet sheet(0);
    INT_PTR result = sheet.Run([&](HWND s, HWND page) {
        sheet.Focus(page, kLength);
        Type(page, kLength, "25.4");
        Type(page, kPlain, "2*3");
        PressButton(s, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(sheet.fields.plain, 6.0);
    EXPECT_EQ(sheet.fields.length, 0.9999999999999999);
}

TEST(ValueField, OkWithInvalidTextShowsTheMessageAndSavesThePreviousValue)
{
    FieldSheet sheet(1);
    std::string message;
    DWORD uiThread = GetCurrentThreadId();
    INT_PTR result = sheet.Run([&](HWND s, HWND page) {
        Type(page, kPlain, "1/0");
        PressButton(s, IDOK);
        HWND box = WaitForMessageBoxOfThread(uiThread);
        ASSERT_NE(box, nullptr);
        message = MessageBoxText(box);
        AnswerMessageBox(box);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(message, "Divide By Zero");
    EXPECT_EQ(sheet.fields.plain, -1.0);
}

}  // namespace
