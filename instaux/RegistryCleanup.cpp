// Registry entries of an old installation that a new one removes.
#include "instaux/RegistryCleanup.h"

#include "resources/ProductConstants.h"

#include <windows.h>

#include <string>
#include <vector>

namespace instaux {

namespace {

// Names of the key's direct subkeys. Registry key names have at most 255
// characters, so every subkey is listed.
std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        LONG status = ::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_SUCCESS)
            names.emplace_back(name, length);
        else if (status != ERROR_MORE_DATA)
            break;
    }
    return names;
}

}  // namespace

// Each deletion that fails (a key with subkeys of its own, for example) is
// left; the others still happen.
void RemoveOptionRegistry()
{
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, keld::kSetupExtensionsKey);
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, keld::kImportToolKey);
    HKEY options = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keld::kOptionsKey, 0, KEY_ALL_ACCESS, &options) == ERROR_SUCCESS) {
        for (const std::string& name : SubkeyNames(options))
            ::RegDeleteKeyA(options, name.c_str());
        ::RegCloseKey(options);
    }
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, keld::kOptionsKey);
}

void RemoveOldUninstallKeys()
{
    HKEY uninstall = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                        KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS)
        return;
    ::RegDeleteKeyA(uninstall, "KELDORANDeinstkey");
    ::RegDeleteKeyA(uninstall, "KELDORAN103");
    ::RegCloseKey(uninstall);
}

}  // namespace instaux
