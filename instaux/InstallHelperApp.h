// The installation library's one application object. It keeps what the
// pre-install check learns for the post-install call of the same loaded
// library, and owns the instance lock between the two.
#pragma once
#include "framework/App.h"
#include "resources/ProductConstants.h"

#include <set>
#include <string>

namespace instaux {

using keld::kProductKey;

class CPleaseWaitDlg;

class CInstallHelperApp : public fw::CWinApp {
public:
    CInstallHelperApp();
    ~CInstallHelperApp() override;

    // The installer's calls; see PreInstallCheck.cpp and PostInstall.cpp.
    int PreInstallCheck(DWORD value, const char* targetDir, const char* backupDir, char* existingDir);
    int PostInstall(const char* configDir);

    // Sets the four detection members from the registry entry of an earlier
    // installation and the version resource of its KELDORAN.EXE. Members
    // are only ever set, never cleared.
    void DetectInstalledVersion();
    // False only when the driver service runs and the stop request failed.
    bool StopBoardDriver();
    // Deletes the old installation's data files from the target directory.
    void DeleteObsoleteFiles();

    std::string TargetDirectory;
    std::string BackupDirectory;
    DWORD FirstArgument = 0;  // kept, not used
    bool IsWindowsNT = false;
    bool RegistryDirectoryKnown = false;
    bool InstallationFound = false;
    int VersionNumber = 0;
    int InstallMode = 1;
    bool SameLocation = false;
    CPleaseWaitDlg* Progress = nullptr;  // while a check runs
    std::string InstalledDirectory;

private:
    int RunCheck(char* existingDir);
    int ConfirmLocation(char* existingDir);
    int DecideInstallMode();
    int PrepareTarget();
    void SetProgress(int position);
    bool BackUpConfigurationFiles();
    void RestoreConfigurationBackups();
    bool AcquireInstanceLock();
    void ReleaseInstanceLock();

    HANDLE m_instanceLock = nullptr;
    bool m_lockOwned = false;
    bool m_checkDecided = false;         // the last check returned 1, 2 or 3
    std::set<std::string> m_backedUp;    // configuration files copied by this check
};

// Whether a file or folder exists at `path`.
bool PathExists(const std::string& path);
// Whether `path` names an existing folder.
bool FolderExists(const std::string& path);

}  // namespace instaux
