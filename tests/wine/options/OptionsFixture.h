// A fresh installation for the extension interface: the program's profile
// paths point into it, KELD4K.INI and NVXTOOLS.INI are empty, and the
// product's Options key holds no option.
#pragma once
#include "ConfigurationFixture.h"
#include "TestFiles.h"
#include "resources/ProductConstants.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace optionstest {

// Below HKEY_LOCAL_MACHINE, one subkey per option, as the extension
// interface documents it.
inline constexpr const char* kOptionsKey = "Software\\Brindlecraft\\PXR2000\\Options";
// The key of an option.
std::string OptionKeyPath(const std::string& option);

void RemoveOptionKeys();
// Whether the option's key exists, and a DWORD value of it.
bool OptionKeyExists(const std::string& option);
std::optional<DWORD> OptionValue(const std::string& option, const char* value);
void SetOptionValue(const std::string& option, const char* value, DWORD type, const void* data, DWORD size);

class OptionsInstallation : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Program(const char* section, const char* key) const
    {
        return testkit::ProfileText(testkit::TestApp().ProgramIniPath, section, key);
    }
    void WriteProgram(const std::string& content) const
    {
        testkit::WriteFile(testkit::TestApp().ProgramIniPath, content);
    }

    testkit::Installation installation;
};

}  // namespace optionstest
