#include "setup/StartupRules.h"
#include "resources/ProductConstants.h"

#include <cstring>

namespace keld {

std::string WithTrailingBackslash(std::string folder)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string AppDirectoryOf(const std::string& programPath)
{
    // Drive: "X:" at the start; directory: up to and including the last
    // separator after it. The file name is dropped.
    std::string drive;
    std::string rest = programPath;
    if (rest.size() >= 2 && rest[1] == ':') {
        drive = rest.substr(0, 2);
        rest = rest.substr(2);
    }
    size_t last = rest.find_last_of("\\/");
    std::string directory = last == std::string::npos ? std::string() : rest.substr(0, last + 1);
    return WithTrailingBackslash(drive + directory);
}

ProfilePaths BuildProfilePaths(const std::string& appDirectory, const std::string& windowsDirectory)
{
    std::string windows = WithTrailingBackslash(windowsDirectory);
    return ProfilePaths{appDirectory + kProgramIniName, appDirectory + kTestIniName, windows + kControlIniName,
                        appDirectory + kToolsIniName};
}

std::vector<std::string> FilesInTestOrder(const ProfilePaths& paths)
{
    return {paths.control, paths.program, paths.tools, paths.test};
}

const char* ArgumentsOfCommandLine(const char* commandLine)
{
    if (!commandLine)
        return "";
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

int StartPageForCommandLine(const char* commandLine)
{
    if (commandLine && (std::strstr(commandLine, "/I") || std::strstr(commandLine, "/i")))
        return kOptionsPageIndex;
    return kWelcomePageIndex;
}

std::string MissingFilesMessage(const std::string& head, const std::vector<std::string>& failing,
                                const std::string& tail)
{
    std::string message = head;
    for (const std::string& path : failing)
        message += "\n-> " + path;
    return message + tail;
}

}  // namespace keld
