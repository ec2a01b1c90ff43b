// Reading the "SetupExtensions" registrations: where the enumeration stops,
// which module names are loaded, and the module path.
#include "setup/options/ExtensionRegistration.h"

#include <gtest/gtest.h>

namespace {

using keld::ExtensionRegistration;

struct SplitCase {
    const char* text;
    bool loads;
    const char* module;
    const char* entryPoint;
};

class Registration : public testing::TestWithParam<SplitCase> {};

TEST_P(Registration, SplitsAtTheFirstCommaOrStops)
{
    std::optional<ExtensionRegistration> split = keld::SplitExtensionRegistration(GetParam().text);
    ASSERT_EQ(split.has_value(), GetParam().loads) << GetParam().text;
    if (split) {
        EXPECT_EQ(split->module, GetParam().module);
        EXPECT_EQ(split->entryPoint, GetParam().entryPoint);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, Registration,
    testing::Values(SplitCase{"ABC,MakeOption", true, "ABC", "MakeOption"},
                    SplitCase{"ABC.DLL,MakeOption", true, "ABC.DLL", "MakeOption"},
                    SplitCase{"ABC, MakeOption", true, "ABC", " MakeOption"},
                    SplitCase{"ABC ,Make,Option", true, "ABC ", "Make,Option"},
                    SplitCase{"ABC,", true, "ABC", ""},
                    SplitCase{",MakeOption", false, "", ""},
                    SplitCase{"ABCMakeOption", false, "", ""},
                    SplitCase{"", false, "", ""}));

TEST(RegistrationText, StopsAtItsNulAndRefusesTextThatFillsTheBuffer)
{
    const char withNul[] = "ABC,Make\0garbage";
    EXPECT_EQ(keld::RegistrationText(withNul, sizeof withNul, 64), "ABC,Make");
    EXPECT_EQ(keld::RegistrationText("ABC,Make", 8, 64), "ABC,Make") << "data stored without its NUL";
    std::string full(64, 'x');
    EXPECT_FALSE(keld::RegistrationText(full.data(), 64, 64).has_value());
    std::string fits(63, 'x');
    fits += '\0';
    EXPECT_EQ(keld::RegistrationText(fits.data(), 64, 64), std::string(63, 'x'));
    EXPECT_FALSE(keld::RegistrationText(full.data(), 65, 64).has_value());
}

struct NameCase {
    const char* module;
    bool plain;
};

class ModuleName : public testing::TestWithParam<NameCase> {};

TEST_P(ModuleName, StaysInsideTheProgramFolder)
{
    EXPECT_EQ(keld::IsPlainModuleName(GetParam().module), GetParam().plain) << GetParam().module;
}

INSTANTIATE_TEST_SUITE_P(Names, ModuleName,
    testing::Values(NameCase{"ABC", true}, NameCase{"ABC.DLL", true}, NameCase{"My Option", true},
                    NameCase{"..\\ABC", false}, NameCase{"sub\\ABC", false}, NameCase{"sub/ABC", false},
                    NameCase{"C:ABC", false}, NameCase{"C:\\windows\\ABC", false}, NameCase{"..", false},
                    NameCase{"\\\\server\\share\\ABC", false}));

TEST(ModulePath, AppendsDllWhateverTheNameEndsWith)
{
    EXPECT_EQ(keld::ExtensionModulePath("C:\\KELDORAN\\", "ABC"), "C:\\KELDORAN\\ABC.DLL");
    EXPECT_EQ(keld::ExtensionModulePath("C:\\KELDORAN\\", "ABC.DLL"), "C:\\KELDORAN\\ABC.DLL.DLL");
}

}  // namespace
