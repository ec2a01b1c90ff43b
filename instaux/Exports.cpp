// INSTAUX.DLL: the application object and the installer's two entry
// points, exported by their plain names through INSTAUX.def alone.
#include "instaux/InstallHelperApp.h"
#include "instaux/InstauxExports.h"

namespace {
instaux::CInstallHelperApp theApp;
}

extern "C" LONG WINAPI PreInstallCheck(DWORD value, const char* targetDir, const char* backupDir, char* existingDir)
{
    return theApp.PreInstallCheck(value, targetDir, backupDir, existingDir);
}

extern "C" LONG WINAPI PostInstall(const char* configDir)
{
    return theApp.PostInstall(configDir);
}
