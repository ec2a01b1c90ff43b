// The Options page's check marks against the options' enabled state, by
// every keyboard and mouse path: the mark the list draws is what the
// option saves on OK.
#include "OptionsPageFixture.h"

#include "resources/resource.h"

using namespace optionstest;
using namespace testkit;

namespace {

enum class Act { ClickItem, ClickBox, Space, ReinstallFirst, Remove };

struct Step {
    Act act;
    int index = 0;  // the item clicked
};

struct Module {
    const char* name;
    const char* factory;
    bool installed = true;
};

struct MarkCase {
    const char* name;
    std::vector<Module> modules;
    std::vector<Step> steps;
    std::vector<std::string> items;  // listed at the end, sorted
    std::vector<bool> marks;         // drawn at the end
    int selected;
};

// The enabled state that the option's SaveSettings(1) saw, or '?' when it
// was not called.
char SavedEnabled(const std::string& item)
{
    std::string name = item.substr(0, item.find('.'));
    std::string log = ModuleLog(name + ".DLL");
    const std::string call = name + ":SaveSettings(1,enabled=";
    size_t at = log.find(call);
    return at == std::string::npos ? '?' : log[at + call.size()];
}

class CheckMarks : public OptionsPage, public testing::WithParamInterface<MarkCase> {};

TEST_P(CheckMarks, AgreeWithTheOptionsStateAfterEveryPath)
{
    const MarkCase& c = GetParam();
    std::vector<std::string> registrations;
    for (const Module& module : c.modules) {
        PutModule(std::string(module.name) + ".DLL");
        if (module.installed)
            Installed(module.name);
        else
            NotInstalled(module.name);
        registrations.push_back(std::string(module.name) + "," + module.factory);
    }
    Register(registrations);
    DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> items;
    std::vector<bool> marks;
    int selected = -2, caret = -2;
    RunOptions([&](HWND sheet, HWND page) {
        HWND list = GetDlgItem(page, IDC_OPTION_LIST);
        for (const Step& step : c.steps) {
            switch (step.act) {
            case Act::ClickItem:
                ClickItem(list, step.index);
                break;
            case Act::ClickBox:
                ClickCheckBox(list, step.index);
                break;
            case Act::Space:
                PressKey(list, VK_SPACE);
                break;
            case Act::ReinstallFirst: {
                PressButton(page, IDC_REINSTALL);
                HWND dialog = WaitForWindowOfThread(uiThread, "Reinstall Options");
                ASSERT_NE(dialog, nullptr);
                ClickCheckBox(GetDlgItem(dialog, IDC_REMOVED_LIST), 0);
                PressButton(dialog, IDC_REINSTALL_CHOSEN);
                ASSERT_TRUE(WaitFor("the Reinstall Options dialog to close", [&] { return !IsWindow(dialog); }));
                break;
            }
            case Act::Remove: {
                PressButton(page, IDC_REMOVE);
                HWND box = WaitForMessageBoxOfThread(uiThread);
                ASSERT_NE(box, nullptr);
                ASSERT_TRUE(AnswerMessageBox(box, IDYES));
                break;
            }
            }
            ui.WaitForPostedMessages();
        }
        items = Items(list);
        marks = Checks(list);
        selected = Selection(list);
        caret = static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(items, c.items);
    EXPECT_EQ(marks, c.marks);
    EXPECT_EQ(selected, c.selected);
    EXPECT_EQ(caret, c.selected) << "the focus rectangle is on the selected item";
    for (size_t i = 0; i < items.size() && i < marks.size(); ++i)
        EXPECT_EQ(SavedEnabled(items[i]), marks[i] ? '1' : '0') << items[i] << " saves what its mark shows";
}

INSTANTIATE_TEST_SUITE_P(Paths, CheckMarks,
    testing::Values(
        // Reinstalled AAA sorts before the selected CCC and moves it down.
        MarkCase{"SpaceAfterAnInsertionBeforeTheSelection",
                 {{"BBB", "MakeAlways"}, {"CCC", "MakeOption"}, {"AAA", "MakeOption", false}},
                 {{Act::ClickItem, 1}, {Act::ReinstallFirst}, {Act::Space}},
                 {"AAA...", "BBB...", "CCC..."},
                 {true, true, false},
                 2},
        MarkCase{"SpaceAfterARemove",
                 {{"AAA", "MakeOption"}, {"BBB", "MakeOption"}, {"CCC", "MakeOption"}},
                 {{Act::ClickItem, 1}, {Act::Remove}, {Act::Space}},
                 {"AAA...", "CCC..."},
                 {true, false},
                 1},
        MarkCase{"ClickOnTheBoxOfAnUnselectedItem",
                 {{"AAA", "MakeOption"}, {"BBB", "MakeOption"}},
                 {{Act::ClickBox, 1}},
                 {"AAA...", "BBB..."},
                 {true, false},
                 1},
        MarkCase{"ClickOnTheBoxOfAnUnselectedAlwaysEnabledItem",
                 {{"AAA", "MakeOption"}, {"BBB", "MakeAlways"}},
                 {{Act::ClickBox, 1}},
                 {"AAA...", "BBB..."},
                 {true, true},
                 1},
        MarkCase{"SpaceOnAnAlwaysEnabledItemAfterAnInsertion",
                 {{"BBB", "MakeAlways"}, {"AAA", "MakeOption", false}},
                 {{Act::ReinstallFirst}, {Act::Space}, {Act::ClickItem, 0}, {Act::Space}},
                 {"AAA...", "BBB..."},
                 {false, true},
                 0}),
    [](const testing::TestParamInfo<MarkCase>& info) { return std::string(info.param.name); });

}  // namespace
