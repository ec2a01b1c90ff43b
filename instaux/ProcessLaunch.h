// Starting the product's programs from the installer's process.
#pragma once
#include <string>

namespace instaux {

// Starts the program of `commandLine` and waits, without a time limit,
// until it ends; false when it could not be started.
bool RunProcessAndWait(const std::string& commandLine, const char* workingDir, int showCommand);
// Brings the installer's visible windows (those of this thread) to the front.
void BringInstallerToFront();

}  // namespace instaux
