// The texts the operator must see, written out here on their own so that a
// slip in the library's texts shows.
#pragma once
#include <string>

namespace instauxtest::expected {

inline const std::string kProductRunning =
    "You cannot install while running KELDORAN or KELDSetup.\nExit all KELDORAN applications and run SETUP again.";
inline std::string OtherLocation(const std::string& installed)
{
    return "Warning: A version of KELDORAN has been installed in another location.\n   '" + installed +
           "'\nIf you install KELDORAN in the selected directory, you should NOT use the existing version.\n\n"
           "Continue installing KELDORAN?";
}
inline const std::string kOnlyReplace =
    "An old version of KELDORAN is already installed.\nYou cannot Upgrade this previous version.  If you proceed it "
    "will be Replaced.\nYou will need your configuration disk from version 1.03 or later to install this new "
    "version.\n\nContinue installing KELDORAN?";
inline const std::string kNewerInstalled =
    "A newer version of KELDORAN has already installed.\n\nYou must uninstall the new version before installing this "
    "version.";
inline const std::string kBackupFailed =
    "Error backing up configuration files.\nThis can happen if you are low on disk space, or if your KELDORAN "
    "installation is not complete.\nIf you proceed with the installation, not all of your configuration files will "
    "have backups.\n\nProceed with installation?";
inline const std::string kDriverStopFailed =
    "Unable to stop the Interface Card driver.\nPlease restart your computer and try installing again.";
inline const std::string kServiceManagerError =
    "Error Opening Service Manager.\n\nYou may have to restart your computer after installation in order to use the "
    "software.";
inline std::string DirectoryNotFull(const std::string& directory)
{
    return "The directory '" + directory + "' is not a full path.\n\nSETUP cannot install KELDORAN there.";
}
inline const std::string kOldFirstLine = "An old version of KELDORAN is already installed.";
inline const std::string kExistingFirstLine = "An existing version of KELDORAN is already installed.";

inline const std::string kRestoreFailed =
    "Error backing up one or more configuration files.\nNot all of your configuration files will have backups.";
inline const std::string kInsertDisk = "Please insert your Configuration Disk";
inline const std::string kImportFailed =
    "Error Installing Configuration.\n\nRun KELDOpt.EXE and select KELD.KCI from your Configuration Disk.\nThen run "
    "KELDSetup.";
inline const std::string kSetupWillRun =
    "The KELDSetup program will now be run.\n\nBe certain to verify that the correct options are installed\nand that "
    "the options are configured correctly.\n\nSelect OK when you have verified the options.";
inline const std::string kSetupFailed =
    "Error Starting Setup program.\n\nRun KELDSetup.exe and select the Options page to insure proper setup.";
inline const std::string kMayNeedReboot = "You may need to reboot your computer in order to start the updated Driver.";

// The uninstaller's.
inline const std::string kUninstallRefused =
    "You cannot uninstall KELDORAN while running KELDORAN or KELDSetup.\nExit all KELDORAN applications and "
    "uninstall again.";
inline const std::string kDriverNotStopped =
    "The Interface Card driver could not be stopped.\n\nIt is removed when Windows restarts: restart the computer to "
    "finish uninstalling KELDORAN.";

}  // namespace instauxtest::expected
