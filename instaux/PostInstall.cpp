// The installer's call after it copied the files: put the backups beside
// the new installation, import the configuration, run KELDSetup on its
// Options page, tidy up.
#include "instaux/InstallDecisions.h"
#include "instaux/InstallHelperApp.h"
#include "instaux/InstallMessages.h"
#include "instaux/InstallPaths.h"
#include "instaux/ProcessLaunch.h"
#include "instaux/RegistryCleanup.h"

#include "framework/MessageBox.h"

#include <vector>

namespace instaux {

// The result is always 0. Without a check that let the installation go on
// there is nothing to finish: no program is started.
int CInstallHelperApp::PostInstall(const char* configDirText)
{
    if (!m_checkDecided)
        return 0;
    const std::string configDir = configDirText ? configDirText : "";

    BringInstallerToFront();
    if (InstallMode == kReplace)
        RestoreConfigurationBackups();

    bool importStarted = true;
    if (InstallMode != kUpdate) {
        if (!PathExists(ConfigurationFilePath(configDir)))
            fw::AppMessageBox(text::kInsertConfigurationDisk);
        // KELDSetup and the import tool must find the lock free.
        ReleaseInstanceLock();
        // The import tool works in the configuration disk's folder. Without
        // the disk there is no such folder (the default A:\ on a machine
        // without the drive), and no program starts in a working directory
        // that is not there: the tool then starts in ours and reports the
        // missing file itself, and the installation goes on to KELDSetup.
        const char* importFolder = FolderExists(configDir) ? configDir.c_str() : nullptr;
        importStarted = RunProcessAndWait(ImportCommandLine(TargetDirectory, configDir), importFolder, SW_SHOW);
        if (!importStarted) {
            BringInstallerToFront();
            fw::AppMessageBox(text::kImportFailed);
        }
    }

    bool setupStarted = false;
    if (importStarted) {
        BringInstallerToFront();
        fw::AppMessageBox(text::kSetupWillRun);
        ReleaseInstanceLock();
        BringInstallerToFront();
        setupStarted = RunProcessAndWait(SetupCommandLine(TargetDirectory), nullptr, SW_SHOW);
    } else {
        BringInstallerToFront();
    }
    if (!setupStarted)
        fw::AppMessageBox(std::string(text::kSetupFailedHead) + kSetupProgramName + text::kSetupFailedTail);

    BringInstallerToFront();
    if (IsWindowsNT)
        fw::AppMessageBox(text::kMayNeedReboot);
    if (SameLocation)
        RemoveOldUninstallKeys();
    return 0;
}

// Copies each backup that this check made from the backup directory into
// the target directory, both named name + ".Backup"; one message however
// many copies failed. A backup left in the backup directory by an earlier
// installation is not this one's: it would replace the target's own.
void CInstallHelperApp::RestoreConfigurationBackups()
{
    bool complete = true;
    for (const ConfigurationFile& file : kConfigurationFiles) {
        std::string source = BackupPath(BackupDirectory, file.name);
        bool restored = m_backedUp.count(file.name) != 0 &&
                        ::CopyFileA(source.c_str(), BackupPath(TargetDirectory, file.name).c_str(), FALSE);
        if (!restored && CopyFailureCounts(file, m_backedUp.count(file.name) != 0))
            complete = false;
    }
    if (!complete)
        fw::AppMessageBox(text::kRestoreFailed);
}

}  // namespace instaux
