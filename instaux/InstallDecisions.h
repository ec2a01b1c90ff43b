// Decisions of the pre-install check that need no window: the install
// modes, what an installation found in the target directory leads to, and
// which files the backup and the clean-up work on.
#pragma once
#include "resources/ProductConstants.h"

#include <array>
#include <string_view>

namespace instaux {

// Install modes; also the positive results of PreInstallCheck.
inline constexpr int kNewInstallation = 1;
inline constexpr int kReplace = 2;
inline constexpr int kUpdate = 3;

// What is asked when an installation of the given version number is found
// where the new one goes.
enum class VersionQuestion {
    ReplaceOnly,      // Yes/No: it can only be replaced
    UpdateOrReplace,  // the Update or Replace dialog, with a first line
    Refuse,           // a newer version: the installation cannot go on
};

struct VersionDecision {
    VersionQuestion question;
    const char* firstLine;  // for UpdateOrReplace, else nullptr
};

VersionDecision DecisionForVersion(int versionNumber);

// Configuration files saved before a Replace and put back beside the new
// installation afterwards, in this order. A failed copy of an optional
// file is no failure when the file does not exist.
struct ConfigurationFile {
    const char* name;
    bool optional;
};

inline constexpr std::array<ConfigurationFile, 5> kConfigurationFiles{{
    {keld::kProgramIniName, false},
    {keld::kTestIniName, false},
    {keld::kToolsIniName, false},
    {"ATC.CFG", false},
    {"SECURITY.DAT", true},
}};

// Data files of an old installation deleted before a new installation or
// a Replace, in this order.
inline constexpr std::array<const char*, 7> kObsoleteDataFiles{
    "KELD4K.INB", "TESTCTL.INB", "USERTOOL.INB", "TESTPREV.RVP", "SECURITY.DAT", "SECURITY.DAB", "DefIni.ini",
};

// Whether a failed copy of `file` leaves the operator without a backup
// that should exist. A missing optional file has nothing to lose; an
// optional file that exists and cannot be copied would be lost.
bool CopyFailureCounts(const ConfigurationFile& file, bool sourceExists);

// Whether `name` (any case) is one of the configuration files.
bool IsConfigurationFile(std::string_view name);

// The clean-up deletes a configuration file only when it is gone already
// or this check copied it to the backup directory.
bool MayDeleteObsoleteFile(std::string_view name, bool exists, bool backedUp);

}  // namespace instaux
