// COption through a small derived option of this test, on real windows.
#include "OptionsFixture.h"

#include "setup/options/SetupExtension.h"

#include <string>
#include <vector>

using namespace optionstest;

namespace {

// Records every virtual call; its settings window holds a check box and a
// group window with an edit control inside it.
class RecordingOption : public COption {
public:
    explicit RecordingOption(uint16_t initialFlags = 0) { flags = initialFlags; }

    std::vector<std::string> calls;
    int loadResult = 1;
    int createResult = 1;
    HWND check = nullptr, group = nullptr, nestedEdit = nullptr;

    uint16_t Flags() const { return flags; }
    HWND Window() const { return window; }
    RECT Rect() const { return rect; }
    void* Parent() const { return parent; }
    void CallEnableAll(int enable) { EnableAll(enable); }

    int CreateOptWindow(HWND parentWindow) override
    {
        calls.push_back("CreateOptWindow");
        if (!createResult)
            return 0;
        window = CreateWindowExA(0, "STATIC", "settings", WS_CHILD, 0, 0, 10, 10, parentWindow, nullptr, nullptr,
                                 nullptr);
        check = CreateWindowExA(0, "BUTTON", "Enable", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 2, 2, 80, 16, window,
                                nullptr, nullptr, nullptr);
        group = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 2, 20, 100, 40, window, nullptr, nullptr,
                                nullptr);
        nestedEdit = CreateWindowExA(0, "EDIT", "12", WS_CHILD | WS_VISIBLE | WS_BORDER, 2, 2, 60, 16, group, nullptr,
                                     nullptr, nullptr);
        return 1;
    }
    int LoadSettings() override
    {
        calls.push_back("LoadSettings");
        return loadResult;
    }
    int LoadDefaults() override
    {
        calls.push_back("LoadDefaults");
        return 1;
    }
    int SaveSettings(int save) override
    {
        calls.push_back("SaveSettings(" + std::to_string(save) + ")");
        return 1;
    }
};

// A top-level window standing in for the Options page.
class OptionWindows : public OptionsInstallation {
protected:
    void SetUp() override
    {
        OptionsInstallation::SetUp();
        page = CreateWindowExA(0, "STATIC", "page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(page);
        OptionsInstallation::TearDown();
    }
    void Initialize(RecordingOption& option) { ASSERT_EQ(option.Initialize(page, &area), 1); }

    HWND page = nullptr;
    RECT area{143, 15, 287, 130};
};

bool Enabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

TEST_F(OptionWindows, AFreshOptionHasNoFlagsAndUnknownNames)
{
    COption option;
    EXPECT_EQ(option.IsEnabled(), 0);
    EXPECT_EQ(option.IsVisible(), 0);
    EXPECT_EQ(option.HasOptions(), 0);
    EXPECT_EQ(option.IsPermanent(), 0);
    EXPECT_EQ(option.IsAlwaysEnabled(), 0);
    char name[128] = {}, key[128] = {};
    option.GetName(name);
    option.GetOptionName(key);
    EXPECT_STREQ(name, "Unknown");
    EXPECT_STREQ(key, "Unknown");
}

TEST_F(OptionWindows, FlagTestsReturnTheMaskedBits)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_PERMANENT | OPT_ALWAYSENABLED);
    EXPECT_EQ(option.HasOptions(), OPT_HASOPTIONS);
    EXPECT_EQ(option.IsPermanent(), OPT_PERMANENT);
    EXPECT_EQ(option.IsAlwaysEnabled(), OPT_ALWAYSENABLED);
    EXPECT_EQ(option.IsEnabled(), OPT_ALWAYSENABLED);
    RecordingOption enabled(OPT_ENABLED);
    EXPECT_EQ(enabled.IsEnabled(), OPT_ENABLED);
}

TEST_F(OptionWindows, ShowingTwiceLoadsAndCreatesOnceAndPlacesTheWindow)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_ENABLED);
    Initialize(option);
    EXPECT_EQ(option.Show(1), 1);
    EXPECT_EQ(option.Show(1), 1);
    EXPECT_EQ(option.calls, (std::vector<std::string>{"LoadSettings", "CreateOptWindow"}));
    ASSERT_NE(option.Window(), nullptr);
    EXPECT_TRUE(IsWindowVisible(option.Window()));
    EXPECT_EQ(GetParent(option.Window()), page);
    RECT placed;
    GetWindowRect(option.Window(), &placed);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, area.left);
    EXPECT_EQ(placed.top, area.top);
    EXPECT_EQ(placed.right, area.right);
    EXPECT_EQ(placed.bottom, area.bottom);
    EXPECT_NE(option.IsVisible(), 0);
    EXPECT_TRUE(Enabled(option.check) && Enabled(option.nestedEdit));
}

TEST_F(OptionWindows, HidingKeepsTheWindowAndShowingAgainCreatesNothing)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_ENABLED);
    Initialize(option);
    option.Show(1);
    HWND window = option.Window();
    EXPECT_EQ(option.Show(0), 1);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(option.IsVisible(), 0);
    option.Show(1);
    EXPECT_EQ(option.Window(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(option.calls, (std::vector<std::string>{"LoadSettings", "CreateOptWindow"}));
}

TEST_F(OptionWindows, AnOptionWithoutSettingsOnlyBecomesVisible)
{
    RecordingOption option(OPT_ENABLED);
    Initialize(option);
    EXPECT_EQ(option.Show(1), 1);
    EXPECT_NE(option.IsVisible(), 0);
    EXPECT_TRUE(option.calls.empty());
    EXPECT_EQ(option.Window(), nullptr);
}

TEST_F(OptionWindows, ADisabledOptionShowsEveryControlDisabled)
{
    RecordingOption option(OPT_HASOPTIONS);
    Initialize(option);
    option.Show(1);
    ASSERT_NE(option.Window(), nullptr);
    EXPECT_FALSE(Enabled(option.check));
    EXPECT_FALSE(Enabled(option.group));
    EXPECT_FALSE(Enabled(option.nestedEdit));
    EXPECT_TRUE(Enabled(option.Window()));

    option.SetEnabled(1);
    EXPECT_EQ(option.Flags() & OPT_ENABLED, OPT_ENABLED);
    EXPECT_TRUE(Enabled(option.check) && Enabled(option.group) && Enabled(option.nestedEdit));
    option.SetEnabled(0);
    EXPECT_FALSE(Enabled(option.check) || Enabled(option.group) || Enabled(option.nestedEdit));
}

TEST_F(OptionWindows, SetEnabledOfTheSameStateChangesNoControl)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_ENABLED);
    Initialize(option);
    option.Show(1);
    option.CallEnableAll(0);
    option.SetEnabled(1);
    EXPECT_FALSE(Enabled(option.check)) << "an unchanged state must not enable the controls again";
}

TEST_F(OptionWindows, DisablingAnAlwaysEnabledOptionKeepsItsControlsEnabled)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_ENABLED | OPT_ALWAYSENABLED);
    Initialize(option);
    option.Show(1);
    option.SetEnabled(0);
    EXPECT_EQ(option.Flags() & OPT_ENABLED, 0);
    EXPECT_NE(option.IsEnabled(), 0);
    EXPECT_TRUE(Enabled(option.check) && Enabled(option.nestedEdit));
    option.SetEnabled(1);
    EXPECT_EQ(option.Flags() & OPT_ENABLED, 0) << "an always-enabled option is enabled already";
}

struct RefusalCase {
    const char* name;
    int loadResult;
    int createResult;
    std::vector<std::string> calls;
};

class OptionRefusal : public OptionWindows, public testing::WithParamInterface<RefusalCase> {};

TEST_P(OptionRefusal, LeavesItInvisibleAndIsTriedAgain)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_ENABLED);
    Initialize(option);
    option.loadResult = GetParam().loadResult;
    option.createResult = GetParam().createResult;
    EXPECT_EQ(option.Show(1), 0);
    EXPECT_EQ(option.IsVisible(), 0);
    EXPECT_EQ(option.calls, GetParam().calls);
    option.loadResult = option.createResult = 1;
    option.calls.clear();
    EXPECT_EQ(option.Show(1), 1);
    EXPECT_EQ(option.calls, (std::vector<std::string>{"LoadSettings", "CreateOptWindow"}));
    EXPECT_NE(option.IsVisible(), 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, OptionRefusal,
    testing::Values(RefusalCase{"LoadSettings", 0, 1, {"LoadSettings"}},
                    RefusalCase{"CreateOptWindow", 1, 0, {"LoadSettings", "CreateOptWindow"}}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(OptionWindows, SaveAndCloseSavesDestroysTheWindowAndLoadsAgainNextTime)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_ENABLED);
    Initialize(option);
    option.Show(1);
    HWND window = option.Window();
    EXPECT_EQ(option.SaveAndClose(1), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(option.Window(), nullptr);
    EXPECT_NE(option.IsVisible(), 0) << "SaveAndClose leaves the flags alone";
    option.Show(0);
    option.Show(1);
    EXPECT_EQ(option.calls, (std::vector<std::string>{"LoadSettings", "CreateOptWindow", "SaveSettings(1)",
                                                      "LoadSettings", "CreateOptWindow"}));
}

TEST_F(OptionWindows, SaveAndCloseWithoutAWindowStillSaves)
{
    RecordingOption option;
    EXPECT_EQ(option.SaveAndClose(0), 1);
    EXPECT_EQ(option.calls, std::vector<std::string>{"SaveSettings(0)"});
}

TEST_F(OptionWindows, CopiesTakeEveryMemberWithTheWindowHandle)
{
    RecordingOption option(OPT_HASOPTIONS | OPT_ENABLED);
    Initialize(option);
    option.Show(1);
    RecordingOption copy;
    static_cast<COption&>(copy) = option;
    EXPECT_EQ(copy.Window(), option.Window());
    EXPECT_EQ(copy.Flags(), option.Flags());
    EXPECT_EQ(copy.Parent(), page);
    EXPECT_EQ(copy.Rect().right, area.right);
    COption constructed(option);
    EXPECT_EQ(constructed.IsVisible(), option.IsVisible());
}

TEST_F(OptionWindows, DefaultInstallStoresInstalledUnderTheKeyName)
{
    COption option;
    EXPECT_NE(option.Install(0), 0);
    EXPECT_EQ(OptionValue("Unknown", "Installed"), 0u);
    EXPECT_NE(option.Install(1), 0);
    EXPECT_EQ(OptionValue("Unknown", "Installed"), 1u);
}

}  // namespace
