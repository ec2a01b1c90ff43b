// Paths and command lines built from the installation's directories.
// Directories end with a backslash; names are appended without one.
#pragma once
#include <string>

namespace instaux {

// directory + name + ".Backup"
std::string BackupPath(const std::string& directory, const std::string& name);

// configDir + "KELD.KCI": the configuration file on the configuration disk.
std::string ConfigurationFilePath(const std::string& configDir);

// "\"<targetDir>KELDOpt.EXE\" \"<configDir>KELD.KCI\""
std::string ImportCommandLine(const std::string& targetDir, const std::string& configDir);

// "\"<targetDir>KELDSetup.exe\" /I"
std::string SetupCommandLine(const std::string& targetDir);

// Whether `directory` names a folder the same way from every current
// directory: a drive letter with its root (C:\...) or a network share
// (\\server\share\...). Empty, relative and drive-relative texts do not.
bool IsFullDirectoryPath(const std::string& directory);

inline constexpr const char* kSetupProgramName = "KELDSetup.exe";

}  // namespace instaux
