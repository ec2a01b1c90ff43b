// A machine prepared for the pre-install check of INSTAUX.DLL, loaded into
// the test's process; the check runs on the test's thread while a script
// answers its windows.
#pragma once
#include "InstallMachine.h"
#include "InstallScript.h"
#include "InstauxLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace instauxtest {

// Progress bar positions of whole checks.
inline const std::vector<int> kNewInstallationPositions{5, 10, 20, 50, 55, 60, 70, 80, 90, 100};
inline const std::vector<int> kReplacePositions{5, 10, 15, 20, 25, 30, 36, 42, 48, 54, 60, 50, 55, 60, 70, 80, 90, 100};
inline const std::vector<int> kUpdatePositions{5, 10, 15, 20, 25, 30, 50, 60, 70, 80, 90, 100};
inline const std::vector<int> kElsewhereYesPositions{5, 10, 15, 20, 50, 55, 60, 70, 80, 90, 100};

class PreInstallFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs PreInstallCheck with `answers` for the windows it shows; fills
    // m_seen, m_positions and m_dialogs.
    LONG Check(std::vector<Answer> answers, const std::string& targetDir);
    LONG Check(std::vector<Answer> answers) { return Check(std::move(answers), m_target); }

    void PutConfigurationFiles();  // all five, each with its own content
    void PutDataFiles();           // the seven data files of an old installation
    std::vector<std::string> DataFilesLeft() const;
    // The configuration files that have a byte-identical backup.
    std::vector<std::string> FilesWithBackup() const;
    bool OptionRegistrationsLeft() const;  // any of SetupExtensions, KELDOPT, Options
    bool ProgressWindowLeft() const;

    InstauxLibrary m_library;
    std::string m_target;
    std::string m_backup;
    char m_existing[300];
    std::vector<Seen> m_seen;
    std::vector<int> m_positions;
    std::vector<std::string> m_dialogs;
};

}  // namespace instauxtest
