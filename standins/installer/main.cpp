// Stand-in for the product's installer.
//
//   SETUP.EXE <target folder> <backup folder> <configuration disk folder>
//
// Loads INSTAUX.DLL from its own folder and calls PreInstallCheck. When the
// operator declines to install beside an installation elsewhere (-256) it
// calls again with that installation's folder. On 1, 2 or 3 it copies the
// product's files from payload\ beside itself into the target folder,
// records the folder as "InstallDir" and calls PostInstall. The exit code is
// the last result of PreInstallCheck, or 100 when it could not be called.
#include "instaux/InstauxExports.h"

#include "standins/Folders.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kOtherLocation = -256;
constexpr int kUpdate = 3;
constexpr int kNotRun = 100;

// Creates the folder and the folders above it that are missing.
void CreateFolderPath(const std::string& folder)
{
    for (size_t end = folder.find('\\', 3); end != std::string::npos; end = folder.find('\\', end + 1))
        CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
}

void Copy(const std::string& source, const std::string& destination, bool replace)
{
    if (!CopyFileA(source.c_str(), destination.c_str(), replace ? FALSE : TRUE) && replace)
        std::printf("cannot copy %s to %s (error %lu)\n", source.c_str(), destination.c_str(), GetLastError());
}

// The files of the product. An Update keeps the operator's settings.
void CopyProductFiles(const std::string& target, int installMode)
{
    const std::string payload = ProgramFolder() + "payload\\";
    CreateFolderPath(target);
    for (const char* program : {"KELDORAN.EXE", "KELDSetup.exe", "KELDOpt.EXE"})
        Copy(payload + program, target + program, true);
    for (const char* settings : {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI"})
        Copy(payload + settings, target + settings, installMode != kUpdate);
    Copy(payload + "KELDORAN.INI", WindowsFolder() + "KELDORAN.INI", false);
}

void RecordInstallDir(const std::string& target)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brindlecraft\\PXR2000", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                   static_cast<DWORD>(target.size() + 1));
    RegCloseKey(key);
}

// The installer's own window, which the library brings to the front.
HWND CreateInstallerWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "KeldoranInstallerStandIn";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("KeldoranInstallerStandIn", "KELDORAN Installation", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, 420, 140, nullptr, nullptr, windowClass.hInstance, nullptr);
    CreateWindowA("STATIC", "Installing KELDORAN (installer stand-in)...", WS_CHILD | WS_VISIBLE, 20, 30, 360, 20,
                  window, nullptr, windowClass.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: SETUP.EXE <target folder> <backup folder> <configuration disk folder>\n");
        return kNotRun;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::string target = keld::WithTrailingBackslash(argv[1]);
    const std::string backup = keld::WithTrailingBackslash(argv[2]);
    const std::string configDir = keld::WithTrailingBackslash(argv[3]);

    HMODULE library = LoadLibraryA((ProgramFolder() + "INSTAUX.DLL").c_str());
    auto preInstallCheck = library ? reinterpret_cast<PreInstallCheckFunction>(
                                         reinterpret_cast<void*>(GetProcAddress(library, "PreInstallCheck")))
                                   : nullptr;
    auto postInstall = library ? reinterpret_cast<PostInstallFunction>(
                                     reinterpret_cast<void*>(GetProcAddress(library, "PostInstall")))
                               : nullptr;
    if (!preInstallCheck || !postInstall) {
        std::fprintf(stderr, "INSTAUX.DLL or its entry points not found\n");
        return kNotRun;
    }
    CreateInstallerWindow();
    CreateFolderPath(backup);

    char existing[MAX_PATH] = {};
    LONG result = preInstallCheck(0, target.c_str(), backup.c_str(), existing);
    std::printf("PreInstallCheck(%s) = %ld\n", target.c_str(), result);
    for (int retries = 0; result == kOtherLocation && retries < 3; ++retries) {
        target = existing;
        result = preInstallCheck(0, target.c_str(), backup.c_str(), existing);
        std::printf("PreInstallCheck(%s) = %ld\n", target.c_str(), result);
    }
    if (result >= 1 && result <= 3) {
        CopyProductFiles(target, result);
        RecordInstallDir(target);
        std::printf("PostInstall(%s) = %ld\n", configDir.c_str(), postInstall(configDir.c_str()));
    }
    std::fflush(stdout);
    FreeLibrary(library);
    return static_cast<int>(result);
}
