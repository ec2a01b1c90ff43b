// The profile and option-registry services that extension modules call.
// Each profile call makes the selected file current for its own duration.
#include "setup/options/SetupExtension.h"

#include "resources/ProductConstants.h"
#include "setup/ProfileFileScope.h"
#include "setup/SetupApp.h"
#include "setup/options/OptionKey.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace {

// The file of a selector; none for an unknown one. Selector 0 names the
// current file, as it is held.
std::optional<std::string> SelectedFile(int profile)
{
    switch (profile) {
    case SETUP_PROFILE_CURRENT:
        return fw::CWinApp::Current()->ProfileName();
    case SETUP_PROFILE_PROGRAM:
        return keld::SetupApp().ProgramIniPath;
    case SETUP_PROFILE_TOOLS:
        return keld::SetupApp().ToolsIniPath;
    default:
        return std::nullopt;
    }
}

// Copies at most maxLength characters and a NUL; a negative maxLength
// counts as 0.
char* CopyBounded(const std::string& text, char* buffer, int maxLength)
{
    if (!buffer)
        return buffer;
    size_t length = std::min(text.size(), static_cast<size_t>(std::max(maxLength, 0)));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return buffer;
}

const char* FlagValueName(int installed)
{
    return installed ? "Installed" : "Enabled";
}

}  // namespace

extern "C" {

int KELDSETUP_CALL SetupGetVersion(void)
{
    return 100;
}

char* KELDSETUP_CALL SetupGetProfileName(int profile, char* buffer, int maxLength)
{
    return CopyBounded(SelectedFile(profile).value_or(""), buffer, maxLength);
}

unsigned int KELDSETUP_CALL SetupGetProfileInt(int profile, const char* section, const char* key, int defaultValue)
{
    std::optional<std::string> file = SelectedFile(profile);
    if (!file)
        return static_cast<unsigned int>(defaultValue);
    keld::ProfileFileScope scope(*file);
    return fw::CWinApp::Current()->GetProfileInt(section, key, defaultValue);
}

int KELDSETUP_CALL SetupWriteProfileInt(int profile, const char* section, const char* key, int value)
{
    std::optional<std::string> file = SelectedFile(profile);
    if (!file)
        return 0;
    keld::ProfileFileScope scope(*file);
    return fw::CWinApp::Current()->WriteProfileInt(section, key, value);
}

char* KELDSETUP_CALL SetupGetProfileString(int profile, const char* section, const char* key,
                                           const char* defaultValue, char* buffer, int maxLength)
{
    const char* fallback = defaultValue ? defaultValue : "";
    std::optional<std::string> file = SelectedFile(profile);
    if (!file)
        return CopyBounded(fallback, buffer, maxLength);
    std::string text;
    {
        keld::ProfileFileScope scope(*file);
        text = fw::CWinApp::Current()->GetProfileString(section, key, fallback);
    }
    if (text.size() > 4095)
        text.resize(4095);
    return CopyBounded(text, buffer, maxLength);
}

int KELDSETUP_CALL SetupWriteProfileString(int profile, const char* section, const char* key, const char* value)
{
    std::optional<std::string> file = SelectedFile(profile);
    if (!file)
        return 0;
    keld::ProfileFileScope scope(*file);
    return fw::CWinApp::Current()->WriteProfileString(section, key, value);
}

int KELDSETUP_CALL GetOptionInstalledOrEnabled(const char* optionName, int installed)
{
    if (!optionName)
        return 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keld::OptionKeyPath(optionName).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    LONG read = ::RegQueryValueExA(key, FlagValueName(installed), nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                                   &size);
    ::RegCloseKey(key);
    return read == ERROR_SUCCESS ? static_cast<int>(value) : 0;
}

int KELDSETUP_CALL SetOptionInstalledOrEnabled(const char* optionName, int installed, int value)
{
    if (!optionName)
        return 0;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, keld::OptionKeyPath(optionName).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    DWORD stored = value ? 1 : 0;
    LONG written = ::RegSetValueExA(key, FlagValueName(installed), 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&stored), sizeof stored);
    ::RegCloseKey(key);
    return written == ERROR_SUCCESS ? 1 : 0;
}

}  // extern "C"
