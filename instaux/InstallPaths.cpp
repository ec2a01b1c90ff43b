#include "instaux/InstallPaths.h"

namespace instaux {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool IsFullDirectoryPath(const std::string& directory)
{
    if (directory.size() >= 3 && IsDriveLetter(directory[0]) && directory[1] == ':' && IsSeparator(directory[2]))
        return true;
    return directory.size() >= 3 && IsSeparator(directory[0]) && IsSeparator(directory[1]) &&
           !IsSeparator(directory[2]);
}

std::string BackupPath(const std::string& directory, const std::string& name)
{
    return directory + name + ".Backup";
}

std::string ConfigurationFilePath(const std::string& configDir)
{
    return configDir + "KELD.KCI";
}

std::string ImportCommandLine(const std::string& targetDir, const std::string& configDir)
{
    return "\"" + targetDir + "KELDOpt.EXE\" \"" + ConfigurationFilePath(configDir) + "\"";
}

std::string SetupCommandLine(const std::string& targetDir)
{
    return "\"" + targetDir + kSetupProgramName + "\" /I";
}

}  // namespace instaux
