// INSTAUX.DLL: the application object and the installer's two entry
// points, exported by their plain names (see INSTAUX.def).
#include "instaux/InstallHelperApp.h"
#include "instaux/InstauxExports.h"

namespace {
instaux::CInstallHelperApp theApp;
}

extern "C" __declspec(dllexport) LONG WINAPI PreInstallCheck(DWORD value, const char* targetDir, const char* backupDir,
                                                             char* existingDir)
{
    return theApp.PreInstallCheck(value, targetDir, backupDir, existingDir);
}

extern "C" __declspec(dllexport) LONG WINAPI PostInstall(const char* configDir)
{
    return theApp.PostInstall(configDir);
}
