// Folders the stand-ins work in, each with a trailing backslash.
#pragma once
#include "setup/StartupRules.h"

#include <windows.h>

#include <string>

inline std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return keld::AppDirectoryOf(path);
}

inline std::string WindowsFolder()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return keld::WithTrailingBackslash(folder);
}
