// Start-up decisions that need no window: profile file paths, the start
// page chosen by the command line and the text of the missing-files message.
#pragma once
#include <string>
#include <vector>

namespace keld {

inline constexpr int kWelcomePageIndex = 0;
inline constexpr int kOptionsPageIndex = 2;

// Appends a backslash unless the text already ends with one.
std::string WithTrailingBackslash(std::string folder);

// Drive and directory of a program file's full path, ending with a backslash.
std::string AppDirectoryOf(const std::string& programPath);

struct ProfilePaths {
    std::string program;  // KELD4K.INI in the program folder
    std::string test;     // TESTCTL.INI in the program folder
    std::string control;  // KELDORAN.INI in the Windows folder
    std::string tools;    // NVXTOOLS.INI in the program folder
};

// appDirectory ends with a backslash; windowsDirectory may or may not.
ProfilePaths BuildProfilePaths(const std::string& appDirectory, const std::string& windowsDirectory);

// The order in which the files are tested and listed.
std::vector<std::string> FilesInTestOrder(const ProfilePaths& paths);

// The arguments part of a full command line: the program token (quoted or
// not) and the blanks after it are dropped, as WinMain receives it.
const char* ArgumentsOfCommandLine(const char* commandLine);

// "/I" or "/i" anywhere in the command line opens the Options page.
int StartPageForCommandLine(const char* commandLine);

// head, then "\n-> " + path for each failing file, then tail.
std::string MissingFilesMessage(const std::string& head, const std::vector<std::string>& failing,
                                const std::string& tail);

}  // namespace keld
