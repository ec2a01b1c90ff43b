#include "setup/pages/BoardAddress.h"

#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "setup/SetupApp.h"
#include "setup/pages/CardAddress.h"
#include "setup/pages/DriverService.h"

#include <string>

namespace keld {

namespace {
constexpr const char* kSection = "Settings";
constexpr const char* kKey = "BoardAddress";

bool IsTextValueType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string SystemErrorText(DWORD error)
{
    char* text = nullptr;
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length ? std::string(text, length) : std::string();
    if (text)
        ::LocalFree(text);
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' ' ||
                               result.back() == '.'))
        result.pop_back();
    return result.empty() ? "error " + std::to_string(error) : result;
}
}  // namespace

bool GetBoardAddress(int& address)
{
    CSetupApp& app = SetupApp();
    if (!app.IsWindowsNT) {
        address = static_cast<int>(app.GetProfileInt(kSection, kKey, kDefaultCardAddress));
        return true;
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDriverParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = REG_NONE;
    LONG read = ::RegQueryValueExA(key, kDriverAddressValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    // Text would be taken for its character codes ("800" as 0x303038): a
    // port address no one chose, which the driver would then be given.
    if (read != ERROR_SUCCESS || IsTextValueType(type))
        return false;
    if (static_cast<int>(app.GetProfileInt(kSection, kKey, 0)) != static_cast<int>(value))
        app.WriteProfileInt(kSection, kKey, static_cast<int>(value));
    address = static_cast<int>(value);
    return true;
}

bool SetBoardAddress(int address)
{
    CSetupApp& app = SetupApp();
    if (app.IsWindowsNT) {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDriverParametersKey, 0, const_cast<char*>(""),
                              REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        DWORD value = static_cast<DWORD>(address);
        LONG written = ::RegSetValueExA(key, kDriverAddressValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                        sizeof value);
        ::RegCloseKey(key);
        if (written != ERROR_SUCCESS)
            return false;
    }
    // A driver that cannot be restarted takes the new address at its next
    // start: the profile says the same, and the user learns that it is not
    // in use yet.
    DriverStartFailure failure;
    const bool restarted = !app.IsWindowsNT || StartBoardDriver(false, &failure);
    if (!restarted && !failure.reported)
        fw::AppMessageBox(fw::FormatResourceString(failure.step, SystemErrorText(failure.error)));
    app.WriteProfileInt(kSection, kKey, address);
    return restarted;
}

}  // namespace keld
