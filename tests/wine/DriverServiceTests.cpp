// StartBoardDriver against Wine's real service control manager with the
// NEXTMOVE.SYS stand-in, and its failure paths through the call table.
#include "DriverFixture.h"
#include "TestFiles.h"

#include "framework/MessageBox.h"
#include "framework/ServiceControl.h"
#include "setup/SetupApp.h"
#include "setup/pages/DriverService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testkit;

namespace {

keld::CSetupApp g_app;

class DriverService : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveDriverService();
        ASSERT_TRUE(InstallDriverFile());
        SetDriverAddressParameter(800);
        fw::SetMessageBoxObserver([this](const std::string& text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        fw::SetMessageBoxObserver(nullptr);
        RemoveDriverService();
    }
    std::vector<std::string> messages;
};

TEST_F(DriverService, MissingServiceIsCreatedAsAnAutomaticKernelDriverAndStarted)
{
    ASSERT_FALSE(QueryDriverService().exists);
    EXPECT_TRUE(keld::StartBoardDriver(true));
    DriverServiceState state = QueryDriverService();
    EXPECT_TRUE(state.exists);
    EXPECT_TRUE(state.running);
    EXPECT_EQ(state.serviceType, static_cast<DWORD>(SERVICE_KERNEL_DRIVER));
    EXPECT_EQ(state.startType, static_cast<DWORD>(SERVICE_AUTO_START));
    EXPECT_EQ(state.errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(state.imagePath, "\\SystemRoot\\system32\\drivers\\NEXTMOVE.SYS");
    EXPECT_EQ(state.displayName, "NextMove");
    EXPECT_EQ(DriverRunningAddress(), 800u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DriverService, RunningServiceIsLeftAloneWhenItMustOnlyRun)
{
    ASSERT_TRUE(RegisterDriverService());
    ASSERT_TRUE(StartDriverService());
    DWORD starts = DriverStartCount();
    SetDriverAddressParameter(816);
    EXPECT_TRUE(keld::StartBoardDriver(true));
    EXPECT_TRUE(QueryDriverService().running);
    EXPECT_EQ(DriverStartCount(), starts);
    EXPECT_EQ(DriverRunningAddress(), 800u);
}

TEST_F(DriverService, RestartRunsTheDriverWithTheNewAddress)
{
    ASSERT_TRUE(RegisterDriverService());
    ASSERT_TRUE(StartDriverService());
    ASSERT_TRUE(DriverStopIsCompleteOnReturn()) << "a stop that ends after ControlService returns fails the restart";
    DWORD starts = DriverStartCount();
    SetDriverAddressParameter(816);
    EXPECT_TRUE(keld::StartBoardDriver(false));
    EXPECT_TRUE(QueryDriverService().running);
    EXPECT_EQ(DriverStartCount(), starts + 1);
    EXPECT_EQ(DriverRunningAddress(), 816u);
}

TEST_F(DriverService, StoppedServiceIsStartedByARestart)
{
    ASSERT_TRUE(RegisterDriverService());
    DWORD starts = DriverStartCount();
    EXPECT_TRUE(keld::StartBoardDriver(false));
    EXPECT_TRUE(QueryDriverService().running);
    EXPECT_EQ(DriverStartCount(), starts + 1);
}

TEST_F(DriverService, DriverThatCannotStartGivesFalseWithoutAMessage)
{
    SetDriverAddressParameter(-1);  // the stand-in refuses to start without its address
    EXPECT_FALSE(keld::StartBoardDriver(true));
    EXPECT_TRUE(QueryDriverService().exists);
    EXPECT_FALSE(QueryDriverService().running);
    EXPECT_TRUE(messages.empty());
}

// ---- the manager's failures that Wine cannot produce ------------------------

std::vector<std::string> g_calls;
DWORD g_openError = 0;
bool g_serviceExists = true;
bool g_createWorks = true;
bool g_queryWorks = true;
DWORD g_state = SERVICE_RUNNING;
bool g_startWorks = true;
SC_HANDLE const kManager = reinterpret_cast<SC_HANDLE>(0x100);
SC_HANDLE const kService = reinterpret_cast<SC_HANDLE>(0x200);

// Answers as the globals above say and notes every call.
class ScriptedServices final : public fw::ServiceControl {
public:
    SC_HANDLE OpenManager() override
    {
        g_calls.push_back("open manager");
        if (g_openError) {
            SetLastError(g_openError);
            return nullptr;
        }
        return kManager;
    }
    SC_HANDLE OpenService(SC_HANDLE, const char* name) override
    {
        g_calls.push_back(std::string("open service ") + name);
        return g_serviceExists ? kService : nullptr;
    }
    SC_HANDLE CreateService(SC_HANDLE, const char*, DWORD, DWORD, DWORD, const char*) override
    {
        g_calls.push_back("create service");
        return g_createWorks ? kService : nullptr;
    }
    bool QueryStatus(SC_HANDLE, SERVICE_STATUS& status) override
    {
        g_calls.push_back("query");
        status.dwCurrentState = g_state;
        return g_queryWorks;
    }
    bool Stop(SC_HANDLE) override
    {
        g_calls.push_back("stop");
        return false;  // a failed stop request goes unnoticed
    }
    bool Start(SC_HANDLE) override
    {
        g_calls.push_back("start");
        return g_startWorks;
    }
    void Close(SC_HANDLE handle) override { g_calls.push_back(handle == kManager ? "close manager" : "close service"); }
};

class DriverServiceCalls : public testing::Test {
protected:
    void SetUp() override
    {
        fw::SetServices(&scripted);
        g_calls.clear();
        g_openError = 0;
        g_serviceExists = true;
        g_createWorks = true;
        g_queryWorks = true;
        g_state = SERVICE_RUNNING;
        g_startWorks = true;
        fw::SetMessageBoxObserver([this](const std::string& text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        fw::SetServices(nullptr);
        fw::SetMessageBoxObserver(nullptr);
    }
    ScriptedServices scripted;
    std::vector<std::string> messages;
};

using Calls = std::vector<std::string>;

TEST_F(DriverServiceCalls, AccessDeniedShowsTheUserRightsMessageOnceAndTouchesNoService)
{
    g_openError = ERROR_ACCESS_DENIED;
    EXPECT_FALSE(keld::StartBoardDriver(false));
    EXPECT_EQ(g_calls, (Calls{"open manager"}));
    EXPECT_EQ(messages, (std::vector<std::string>{"Incorrect User Priveledges to change Interface Card Address"}));
}

TEST_F(DriverServiceCalls, OtherManagerFailureShowsTheRestartMessage)
{
    g_openError = ERROR_SERVICE_DATABASE_LOCKED;
    EXPECT_FALSE(keld::StartBoardDriver(true));
    EXPECT_EQ(g_calls, (Calls{"open manager"}));
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "Error restarting Interface Card Driver.\nYou must restart Windows NT to use the new address."}));
}

TEST_F(DriverServiceCalls, ServiceThatCannotBeCreatedGivesFalseQuietly)
{
    g_serviceExists = false;
    g_createWorks = false;
    EXPECT_FALSE(keld::StartBoardDriver(true));
    EXPECT_EQ(g_calls, (Calls{"open manager", "open service NextMove", "create service", "close manager"}));
    EXPECT_TRUE(messages.empty());
}

struct RequestCase {
    const char* name;
    bool keepRunning;
    DWORD state;
    bool queryWorks;
    bool startWorks;
    bool result;
    Calls calls;
};

class DriverServiceRequests : public DriverServiceCalls, public testing::WithParamInterface<RequestCase> {};

TEST_P(DriverServiceRequests, FollowTheOrderWithoutWaitingOrRetrying)
{
    g_state = GetParam().state;
    g_queryWorks = GetParam().queryWorks;
    g_startWorks = GetParam().startWorks;
    EXPECT_EQ(keld::StartBoardDriver(GetParam().keepRunning), GetParam().result);
    EXPECT_EQ(g_calls, GetParam().calls);
    EXPECT_TRUE(messages.empty());
}

const Calls kOpen{"open manager", "open service NextMove", "query"};
Calls With(Calls calls, std::initializer_list<const char*> more)
{
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

INSTANTIATE_TEST_SUITE_P(Requests, DriverServiceRequests,
    testing::Values(
        RequestCase{"RunningKept", true, SERVICE_RUNNING, true, true, true, With(kOpen, {"close service", "close manager"})},
        RequestCase{"RunningRestarted", false, SERVICE_RUNNING, true, true, true,
                    With(kOpen, {"stop", "start", "close service", "close manager"})},
        RequestCase{"RestartWhoseStartFails", false, SERVICE_RUNNING, true, false, false,
                    With(kOpen, {"stop", "start", "close service", "close manager"})},
        RequestCase{"StoppedRestarted", false, SERVICE_STOPPED, true, true, true,
                    With(kOpen, {"start", "close service", "close manager"})},
        RequestCase{"StoppedKeptIsStarted", true, SERVICE_STOPPED, true, true, true,
                    With(kOpen, {"start", "close service", "close manager"})},
        RequestCase{"FailedQueryCountsAsStopped", true, SERVICE_RUNNING, false, true, true,
                    With(kOpen, {"start", "close service", "close manager"})}),
    [](const testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

}  // namespace
