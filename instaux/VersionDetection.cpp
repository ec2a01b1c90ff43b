// Finding an earlier installation, where it is and its version number.
#include "instaux/InstallHelperApp.h"
#include "instaux/VersionNumber.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <vector>

namespace instaux {

namespace {

// The "FileVersion" text of the US-English Unicode string table only.
std::optional<std::string> FileVersionText(const std::string& path)
{
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> resource(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, resource.data()))
        return std::nullopt;
    char* text = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(resource.data(), "\\StringFileInfo\\040904B0\\FileVersion",
                          reinterpret_cast<void**>(&text), &length) ||
        !text)
        return std::nullopt;
    return std::string(text, ::strnlen(text, length));
}

// "InstallDir" of the product key; nothing unless it is a non-empty text
// that fits 260 characters with its terminator.
std::optional<std::string> RegisteredInstallDirectory()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char directory[MAX_PATH] = {};
    DWORD size = sizeof(directory);
    LONG status = ::RegGetValueA(key, nullptr, keld::kInstallDirValue,
                                 RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, directory, &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || directory[0] == '\0')
        return std::nullopt;
    return std::string(directory);
}

}  // namespace

void CInstallHelperApp::DetectInstalledVersion()
{
    if (std::optional<std::string> registered = RegisteredInstallDirectory()) {
        InstalledDirectory = *registered;
        RegistryDirectoryKnown = true;
    }
    // Without a registry entry the installation, if any, is the one in the
    // target directory.
    std::string program = (RegistryDirectoryKnown ? InstalledDirectory : TargetDirectory) + "KELDORAN.EXE";
    if (!PathExists(program))
        return;
    InstallationFound = true;
    if (!RegistryDirectoryKnown) {
        RegistryDirectoryKnown = true;
        InstalledDirectory = TargetDirectory;
    }
    if (std::optional<std::string> text = FileVersionText(program)) {
        if (std::optional<int> number = VersionNumberFromFileVersion(*text))
            VersionNumber = *number;
    }
}

}  // namespace instaux
