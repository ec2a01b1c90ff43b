// The two entry points of INSTAUX.DLL, as the installer calls them.
#pragma once
#include <windows.h>

extern "C" {

// Both are __stdcall (WINAPI) and exported by their plain names.

// Before any file is copied. Results: -1 do not install; -256 the operator
// declined to install beside the installation in existingDir (at least 260
// bytes); 1 new installation, 2 Replace, 3 Update: go on.
LONG WINAPI PreInstallCheck(DWORD value, const char* targetDir, const char* backupDir, char* existingDir);
typedef LONG(WINAPI* PreInstallCheckFunction)(DWORD value, const char* targetDir, const char* backupDir,
                                              char* existingDir);

// After the files were copied; always 0.
LONG WINAPI PostInstall(const char* configDir);
typedef LONG(WINAPI* PostInstallFunction)(const char* configDir);

}
