// Texts of the installation library's message boxes that are not in its
// string table.
#pragma once

namespace instaux::text {

inline constexpr const char* kProductRunning =
    "You cannot install while running KELDORAN or KELDSetup.\nExit all KELDORAN applications and run SETUP again.";
// The installed directory goes between the quotes.
inline constexpr const char* kOtherLocationHead = "Warning: A version of KELDORAN has been installed in another location.\n   '";
inline constexpr const char* kOtherLocationTail =
    "'\nIf you install KELDORAN in the selected directory, you should NOT use the existing version.\n\nContinue "
    "installing KELDORAN?";
inline constexpr const char* kOnlyReplace =
    "An old version of KELDORAN is already installed.\nYou cannot Upgrade this previous version.  If you proceed it "
    "will be Replaced.\nYou will need your configuration disk from version 1.03 or later to install this new "
    "version.\n\nContinue installing KELDORAN?";
inline constexpr const char* kNewerInstalled =
    "A newer version of KELDORAN has already installed.\n\nYou must uninstall the new version before installing "
    "this version.";
inline constexpr const char* kBackupFailed =
    "Error backing up configuration files.\nThis can happen if you are low on disk space, or if your KELDORAN "
    "installation is not complete.\nIf you proceed with the installation, not all of your configuration files will "
    "have backups.\n\nProceed with installation?";

inline constexpr const char* kRestoreFailed =
    "Error backing up one or more configuration files.\nNot all of your configuration files will have backups.";
inline constexpr const char* kInsertConfigurationDisk = "Please insert your Configuration Disk";
inline constexpr const char* kImportFailed =
    "Error Installing Configuration.\n\nRun KELDOpt.EXE and select KELD.KCI from your Configuration Disk.\nThen run "
    "KELDSetup.";
inline constexpr const char* kSetupWillRun =
    "The KELDSetup program will now be run.\n\nBe certain to verify that the correct options are installed\nand that "
    "the options are configured correctly.\n\nSelect OK when you have verified the options.";
// The program's name goes between head and tail.
inline constexpr const char* kSetupFailedHead = "Error Starting Setup program.\n\nRun ";
inline constexpr const char* kSetupFailedTail = " and select the Options page to insure proper setup.";
inline constexpr const char* kMayNeedReboot = "You may need to reboot your computer in order to start the updated Driver.";

}  // namespace instaux::text
