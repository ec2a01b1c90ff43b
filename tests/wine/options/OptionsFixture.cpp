#include "OptionsFixture.h"

#include <windows.h>

namespace optionstest {

std::string OptionKeyPath(const std::string& option)
{
    return std::string(kOptionsKey) + "\\" + option;
}

void RemoveOptionKeys()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kOptionsKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kOptionsKey);
}

bool OptionKeyExists(const std::string& option)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, OptionKeyPath(option).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<DWORD> OptionValue(const std::string& option, const char* value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, OptionKeyPath(option).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD data = 0, size = sizeof data;
    bool read = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read ? std::optional<DWORD>(data) : std::nullopt;
}

void SetOptionValue(const std::string& option, const char* value, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, OptionKeyPath(option).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, value, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void OptionsInstallation::SetUp()
{
    keld::CSetupApp& app = testkit::TestApp();
    installation = testkit::MakeInstallation("options");
    app.ProgramIniPath = installation.Path("KELD4K.INI");
    app.TestIniPath = installation.Path("TESTCTL.INI");
    app.ToolsIniPath = installation.Path("NVXTOOLS.INI");
    app.ControlIniPath = testkit::WindowsFolder() + "KELDORAN.INI";
    RemoveOptionKeys();
}

void OptionsInstallation::TearDown()
{
    RemoveOptionKeys();
}

}  // namespace optionstest
