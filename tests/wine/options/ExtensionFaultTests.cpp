// Extension modules that misbehave: factories that throw or hand out one
// object twice, and options that throw while they save at closing. The
// program goes on, and each object is listed and deleted once.
#include "OptionsPageFixture.h"

#include "resources/resource.h"

using namespace optionstest;
using namespace testkit;

namespace {

HWND List(HWND page)
{
    return GetDlgItem(page, IDC_OPTION_LIST);
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// The same module throws twice: the second time its runtime is already
// ending from the first.
TEST_F(OptionsPage, AFactoryThatThrowsIsPassedOverAndTheOthersLoad)
{
    PutModule("THROWER.DLL");
    PutModule("NEXT.DLL");
    Installed("THROWER");
    Installed("NEXT");
    Register({"THROWER,MakeThrow", "NEXT,MakeOption", "THROWER,MakeThrow"});
    std::vector<std::string> items;
    INT_PTR result = RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(items, std::vector<std::string>{"NEXT..."});
    EXPECT_TRUE(ModuleLoaded("THROWER.DLL"));
    EXPECT_EQ(ModuleLog("NEXT.DLL"), "NEXT:LoadSettings;NEXT:CreateOptWindow;NEXT:SaveSettings(1,enabled=1);NEXT:Delete;");
    EXPECT_EQ(Program("Units"), "0") << "the general settings are written after OK";
}

struct CachedCase {
    const char* name;
    bool installed;
    std::vector<std::string> items;
    std::vector<std::string> removedItems;  // in the Reinstall Options dialog
    const char* log;
};

std::vector<std::string> ReinstallDialogItems(HWND page, DWORD uiThread)
{
    std::vector<std::string> items;
    if (!IsWindowEnabled(GetDlgItem(page, IDC_REINSTALL)))
        return items;
    PressButton(page, IDC_REINSTALL);
    HWND dialog = WaitForWindowOfThread(uiThread, "Reinstall Options");
    if (!dialog)
        return items;
    items = Items(GetDlgItem(dialog, IDC_REMOVED_LIST));
    PressButton(dialog, IDCANCEL);
    WaitFor("the Reinstall Options dialog to close", [&] { return !IsWindow(dialog); });
    return items;
}

class OptionsPageCached : public OptionsPage, public testing::WithParamInterface<CachedCase> {};

TEST_P(OptionsPageCached, AnObjectHandedOutTwiceIsTakenOnce)
{
    PutModule("CACHED.DLL");
    if (GetParam().installed)
        Installed("CACHED");
    else
        NotInstalled("CACHED");
    Register({"CACHED,MakeCached", "CACHED,MakeCached"});
    DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> items, removedItems;
    RunOptions([&](HWND sheet, HWND page) {
        items = Items(List(page));
        removedItems = ReinstallDialogItems(page, uiThread);
        PressButton(sheet, IDOK);
    });
    EXPECT_EQ(items, GetParam().items);
    EXPECT_EQ(removedItems, GetParam().removedItems);
    EXPECT_EQ(ModuleLog("CACHED.DLL"), GetParam().log);
    EXPECT_EQ(Count(ModuleLog("CACHED.DLL"), "CACHED:Delete;"), 1u);
}

INSTANTIATE_TEST_SUITE_P(States, OptionsPageCached,
    testing::Values(CachedCase{"Listed", true, {"CACHED..."}, {},
                               "CACHED:LoadSettings;CACHED:CreateOptWindow;CACHED:SaveSettings(1,enabled=1);"
                               "CACHED:Delete;"},
                    CachedCase{"Removed", false, {}, {"CACHED..."}, "CACHED:Delete;"}),
    [](const testing::TestParamInfo<CachedCase>& info) { return std::string(info.param.name); });

// Closing runs last item first: SAVER throws before OTHER saves.
TEST_F(OptionsPage, AnOptionThatThrowsWhileSavingKeepsNeitherTheOthersNorTheSettingsFromBeingWritten)
{
    PutModule("SAVER.DLL");
    PutModule("OTHER.DLL");
    Installed("SAVER");
    Installed("OTHER");
    Register({"SAVER,MakeThrowingSave", "OTHER,MakePlain"});
    INT_PTR result = RunOptions([&](HWND sheet, HWND) { PressButton(sheet, IDOK); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ModuleLog("SAVER.DLL"), "SAVER:SaveSettings(1,enabled=1);SAVER:Delete;");
    EXPECT_EQ(ModuleLog("OTHER.DLL"), "OTHER:SaveSettings(1,enabled=1);OTHER:Delete;");
    EXPECT_EQ(Program("Units"), "0");
    EXPECT_EQ(Tools("ShaftHeight"), "1");
    EXPECT_EQ(Control("Defaults", "ValueDispPrec"), "4");
}

}  // namespace
