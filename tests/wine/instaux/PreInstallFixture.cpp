#include "PreInstallFixture.h"

#include "../TestFiles.h"

#include <cstring>

namespace instauxtest {

void PreInstallFixture::SetUp()
{
    ASSERT_TRUE(m_library.Loaded());
    ResetProductRegistry();
    RemoveDriverService();
    m_target = FreshFolder("target");
    m_backup = FreshFolder("backup");
    std::memset(m_existing, 'x', sizeof(m_existing) - 1);
    m_existing[sizeof(m_existing) - 1] = '\0';
}

void PreInstallFixture::TearDown()
{
    ResetProductRegistry();
    RemoveDriverService();
}

LONG PreInstallFixture::Check(std::vector<Answer> answers, const std::string& targetDir)
{
    ThreadRecorder recorder;
    WindowScript script(std::move(answers));
    LONG result = m_library.PreInstallCheck(targetDir, m_backup, m_existing);
    m_seen = script.Finish();
    m_positions = recorder.Positions();
    m_dialogs = recorder.Dialogs();
    return result;
}

void PreInstallFixture::PutConfigurationFiles()
{
    for (const char* name : kConfigurationFiles)
        testkit::WriteFile(m_target + name, SampleContent(name));
}

void PreInstallFixture::PutDataFiles()
{
    for (const char* name : kObsoleteDataFiles)
        testkit::WriteFile(m_target + name, SampleContent(name));
}

std::vector<std::string> PreInstallFixture::DataFilesLeft() const
{
    std::vector<std::string> left;
    for (const char* name : kObsoleteDataFiles)
        if (testkit::FileExists(m_target + name))
            left.push_back(name);
    return left;
}

std::vector<std::string> PreInstallFixture::FilesWithBackup() const
{
    std::vector<std::string> backedUp;
    for (const char* name : kConfigurationFiles) {
        std::string copy = m_backup + name + ".Backup";
        if (testkit::FileExists(copy) && testkit::ReadFile(copy) == SampleContent(name))
            backedUp.push_back(name);
    }
    return backedUp;
}

bool PreInstallFixture::OptionRegistrationsLeft() const
{
    const std::string product = kProductKey;
    return KeyExists(product + "\\SetupExtensions") || KeyExists(product + "\\KELDOPT") ||
           KeyExists(product + "\\Options");
}

bool PreInstallFixture::ProgressWindowLeft() const
{
    return FindWindowA(nullptr, "Please Wait...") != nullptr;
}

}  // namespace instauxtest
