#include "instaux/InstallPaths.h"

namespace instaux {

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
