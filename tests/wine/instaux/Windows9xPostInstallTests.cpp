// PostInstall as it ends on Windows 95/98, where no driver service needs a
// restart. Wine reports an NT system, so the check runs as it does there
// and the library's code, built into this test, is then told otherwise.
#include "ExpectedTexts.h"
#include "InstallMachine.h"
#include "InstallScript.h"

#include "../TestFiles.h"

#include "instaux/InstallHelperApp.h"

#include <gtest/gtest.h>

using namespace instauxtest;
namespace ex = instauxtest::expected;

namespace {

class InstauxPostInstallOnWindows9x : public testing::Test {
protected:
    void SetUp() override
    {
        ResetProductRegistry();
        RemoveDriverService();
        m_target = FreshFolder("target");
        m_backup = FreshFolder("backup");
        // KELDSetup itself runs on Wine's NT and wants the driver's address.
        m_surroundings.SetUp();
    }
    void TearDown() override
    {
        m_surroundings.TearDown();
        ResetProductRegistry();
    }

    instaux::CInstallHelperApp m_app;
    std::string m_target;
    std::string m_backup;
    PostInstallSurroundings m_surroundings;
};

TEST_F(InstauxPostInstallOnWindows9x, ImportsRunsSetupAndEndsWithoutTheRebootMessage)
{
    {
        WindowScript script({});
        char existing[260] = {};
        ASSERT_EQ(m_app.PreInstallCheck(0, m_target.c_str(), m_backup.c_str(), existing), 1);
        ASSERT_TRUE(script.Finish().empty());
    }
    m_app.IsWindowsNT = false;
    PutProductFiles(m_target);
    ASSERT_FALSE(HasFatalFailure());

    WindowScript script({Press(IDOK), Press(IDCANCEL)});
    EXPECT_EQ(m_app.PostInstall(m_surroundings.disk.c_str()), 0);
    EXPECT_EQ(script.Finish(), (std::vector<Seen>{Message(ex::kSetupWillRun, "OK"), SetupSheet(2)}));
    EXPECT_TRUE(testkit::FileExists(m_target + "KELDOpt.log")) << "the import tool did not run";
    EXPECT_TRUE(InstanceLockIsFree());
}

}  // namespace
