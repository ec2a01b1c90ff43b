// A sample extension module built through the SDK folder alone, loaded
// into this program (named KELDSetup.exe and exporting the interface, as
// the program does) and driven through COption.
#include "OptionsFixture.h"

#include "setup/options/SetupExtension.h"

#include <memory>

using namespace optionstest;
using testkit::TestApp;

namespace {

class SampleModule : public OptionsInstallation {
protected:
    void SetUp() override
    {
        OptionsInstallation::SetUp();
        // Extension modules stay loaded for the life of the program.
        HMODULE module = LoadLibraryA(testkit::FromUnixPath(std::string(KELD_SAMPLE_EXTENSIONS_DIR) + "/COOLANT.DLL").c_str());
        ASSERT_NE(module, nullptr) << "COOLANT.DLL does not load: error " << GetLastError();
        factory = reinterpret_cast<OptionFactory>(reinterpret_cast<void*>(GetProcAddress(module, "MakeCoolantPump")));
        ASSERT_NE(factory, nullptr);
    }

    OptionFactory factory = nullptr;
};

TEST_F(SampleModule, CoolantPumpPublishesItsOutputWhileInstalledAndEnabled)
{
    ASSERT_NE(SetOptionInstalledOrEnabled("CoolantPump", 0, 1), 0);
    std::unique_ptr<COption> pump(factory());
    ASSERT_NE(pump, nullptr);
    char name[128] = {}, key[128] = {};
    pump->GetName(name);
    pump->GetOptionName(key);
    EXPECT_STREQ(name, "Coolant Pump");
    EXPECT_STREQ(key, "CoolantPump");
    EXPECT_NE(pump->IsEnabled(), 0) << "the stored Enabled value";
    EXPECT_EQ(pump->HasOptions(), 0);

    pump->Install(1);
    EXPECT_EQ(OptionValue("CoolantPump", "Installed"), 1u);
    EXPECT_EQ(Program("Settings", "NumOutputs"), "1");
    EXPECT_EQ(Program("OUTPUT0", "MapTo"), "8");
    EXPECT_EQ(Program("OUTPUT0", "Desc"), "Coolant");
    EXPECT_EQ(Program("OUTPUT0", "OnDesc"), "Coolant On");
    EXPECT_EQ(IsButtonVisible(8, 1, nullptr), 1);

    pump->SetEnabled(0);
    pump->SaveAndClose(1);
    EXPECT_EQ(OptionValue("CoolantPump", "Enabled"), 0u);
    EXPECT_EQ(IsButtonVisible(8, 1, nullptr), 0);

    pump->SetEnabled(1);
    pump->SaveAndClose(1);
    EXPECT_EQ(IsButtonVisible(8, 1, nullptr), 1);

    pump->Install(0);
    EXPECT_EQ(OptionValue("CoolantPump", "Installed"), 0u);
    EXPECT_EQ(IsButtonVisible(8, 1, nullptr), 0);
    EXPECT_EQ(Program("Settings", "NumOutputs"), "1") << "withdrawing keeps the section";
}

TEST_F(SampleModule, CancellingKeepsWhatWasStored)
{
    std::unique_ptr<COption> pump(factory());
    pump->Install(1);
    EXPECT_EQ(pump->IsEnabled(), 0);
    pump->SetEnabled(1);
    pump->SaveAndClose(0);
    EXPECT_FALSE(OptionValue("CoolantPump", "Enabled").has_value());
}

}  // namespace
