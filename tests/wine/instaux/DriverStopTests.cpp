// StopBoardDriver against a service manager double, for the failures that
// a working service manager does not produce, and the pre-install check's
// answer to them. The library's code is built into this test.
#include "ExpectedTexts.h"
#include "InstallMachine.h"
#include "InstallScript.h"

#include "../TestFiles.h"

#include "framework/ServiceControl.h"
#include "instaux/InstallHelperApp.h"

#include <gtest/gtest.h>

using namespace instauxtest;
namespace ex = instauxtest::expected;
using Calls = std::vector<std::string>;

namespace {

// Answers as told and notes every call, with the handles it was given.
class ScriptedServices final : public fw::ServiceControl {
public:
    bool managerOpens = true;
    bool serviceExists = true;
    bool queryWorks = true;
    DWORD state = SERVICE_RUNNING;
    bool stopWorks = true;
    Calls calls;

    SC_HANDLE OpenManager() override
    {
        calls.push_back("open manager");
        return managerOpens ? kManager : nullptr;
    }
    SC_HANDLE OpenService(SC_HANDLE manager, const char* name) override
    {
        calls.push_back(std::string("open ") + name + Of(manager));
        return serviceExists ? kService : nullptr;
    }
    bool QueryStatus(SC_HANDLE service, SERVICE_STATUS& status) override
    {
        calls.push_back("query" + Of(service));
        status = SERVICE_STATUS{};
        status.dwCurrentState = state;
        return queryWorks;
    }
    bool Stop(SC_HANDLE service) override
    {
        calls.push_back("stop" + Of(service));
        return stopWorks;
    }
    void Close(SC_HANDLE handle) override { calls.push_back("close" + Of(handle)); }
    SC_HANDLE CreateService(SC_HANDLE, const char*, DWORD, DWORD, DWORD, const char*) override
    {
        calls.push_back("create");
        return nullptr;
    }
    bool Start(SC_HANDLE service) override
    {
        calls.push_back("start" + Of(service));
        return false;
    }

private:
    static inline const SC_HANDLE kManager = reinterpret_cast<SC_HANDLE>(0x1100);
    static inline const SC_HANDLE kService = reinterpret_cast<SC_HANDLE>(0x2200);
    static std::string Of(SC_HANDLE handle)
    {
        return handle == kManager ? " manager" : handle == kService ? " service" : " unknown handle";
    }
};

// The double stands in for the system's service manager while it lives.
struct ServicesInPlace {
    explicit ServicesInPlace(fw::ServiceControl& services) { fw::SetServices(&services); }
    ~ServicesInPlace() { fw::SetServices(nullptr); }
    ServicesInPlace(const ServicesInPlace&) = delete;
    ServicesInPlace& operator=(const ServicesInPlace&) = delete;
};

const Calls kOpenBoth{"open manager", "open NextMove manager"};

Calls Then(Calls calls, const Calls& more)
{
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

struct StopCase {
    const char* name;
    bool windowsNT;
    bool managerOpens;
    bool serviceExists;
    bool queryWorks;
    DWORD state;
    bool stopWorks;
    bool result;
    Calls calls;
    bool managerMessage;
};

class InstauxStopBoardDriver : public testing::TestWithParam<StopCase> {};

TEST_P(InstauxStopBoardDriver, FailsOnlyWhenARunningServiceRefusesTheStopRequest)
{
    const StopCase& c = GetParam();
    ScriptedServices services;
    services.managerOpens = c.managerOpens;
    services.serviceExists = c.serviceExists;
    services.queryWorks = c.queryWorks;
    services.state = c.state;
    services.stopWorks = c.stopWorks;
    instaux::CInstallHelperApp app;
    ServicesInPlace inPlace(services);
    app.IsWindowsNT = c.windowsNT;

    WindowScript script(c.managerMessage ? std::vector<Answer>{Press(IDOK)} : std::vector<Answer>{});
    EXPECT_EQ(app.StopBoardDriver(), c.result);
    std::vector<Seen> seen = script.Finish();

    EXPECT_EQ(services.calls, c.calls);
    if (c.managerMessage) {
        EXPECT_EQ(seen, std::vector<Seen>{Message(ex::kServiceManagerError, "OK")});
    } else {
        EXPECT_TRUE(seen.empty());
    }
}

const Calls kQueried = Then(kOpenBoth, {"query service"});
const Calls kClosed{"close service", "close manager"};

INSTANTIATE_TEST_SUITE_P(Services, InstauxStopBoardDriver,
    testing::Values(
        StopCase{"not_windows_nt", false, true, true, true, SERVICE_RUNNING, false, true, {}, false},
        StopCase{"no_service_manager", true, false, true, true, SERVICE_RUNNING, false, true, {"open manager"}, true},
        StopCase{"no_service", true, true, false, true, SERVICE_RUNNING, false, true,
                 Then(kOpenBoth, {"close manager"}), false},
        StopCase{"query_fails", true, true, true, false, SERVICE_RUNNING, false, true, Then(kQueried, kClosed), false},
        StopCase{"stopped", true, true, true, true, SERVICE_STOPPED, false, true, Then(kQueried, kClosed), false},
        StopCase{"start_pending", true, true, true, true, SERVICE_START_PENDING, false, true, Then(kQueried, kClosed),
                 false},
        StopCase{"stop_pending", true, true, true, true, SERVICE_STOP_PENDING, false, true, Then(kQueried, kClosed),
                 false},
        StopCase{"running_stops", true, true, true, true, SERVICE_RUNNING, true, true,
                 Then(kQueried, Then({"stop service"}, kClosed)), false},
        StopCase{"running_refuses", true, true, true, true, SERVICE_RUNNING, false, false,
                 Then(kQueried, Then({"stop service"}, kClosed)), false}),
    [](const testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

// The whole check with the double in place of the service manager.
class InstauxDriverFailure : public testing::Test {
protected:
    void SetUp() override
    {
        ResetProductRegistry();
        m_target = FreshFolder("target");
        m_backup = FreshFolder("backup");
        RegisterOptions(2);
        for (const char* name : {"KELD4K.INB", "TESTPREV.RVP", "DefIni.ini"})
            testkit::WriteFile(m_target + name, SampleContent(name));
        fw::SetServices(&m_services);
    }
    void TearDown() override
    {
        fw::SetServices(nullptr);
        ResetProductRegistry();
    }

    LONG Check(std::vector<Answer> answers)
    {
        ThreadRecorder recorder;
        WindowScript script(std::move(answers));
        char existing[260] = {};
        LONG result = m_app.PreInstallCheck(0, m_target.c_str(), m_backup.c_str(), existing);
        m_seen = script.Finish();
        m_positions = recorder.Positions();
        return result;
    }
    bool CleanedUp() const
    {
        return !KeyExists(std::string(kProductKey) + "\\Options") && !testkit::FileExists(m_target + "KELD4K.INB") &&
               !testkit::FileExists(m_target + "DefIni.ini");
    }

    ScriptedServices m_services;
    instaux::CInstallHelperApp m_app;
    std::string m_target;
    std::string m_backup;
    std::vector<Seen> m_seen;
    std::vector<int> m_positions;
};

TEST_F(InstauxDriverFailure, RefusedStopGivesMessage1000AndEndsTheCheckAfterTheCleanUp)
{
    m_services.stopWorks = false;
    EXPECT_EQ(Check({Press(IDOK)}), -1);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kDriverStopFailed, "OK", 60)});
    EXPECT_EQ(m_positions, (std::vector<int>{5, 10, 20, 50, 55, 60}));
    EXPECT_TRUE(CleanedUp());
    EXPECT_FALSE(InstanceLockIsFree());
}

TEST_F(InstauxDriverFailure, MissingServiceManagerIsReportedAndTheInstallationGoesOn)
{
    m_services.managerOpens = false;
    EXPECT_EQ(Check({Press(IDOK)}), 1);
    EXPECT_EQ(m_seen, std::vector<Seen>{Message(ex::kServiceManagerError, "OK", 60)});
    EXPECT_EQ(m_positions, (std::vector<int>{5, 10, 20, 50, 55, 60, 70, 80, 90, 100}));
    EXPECT_TRUE(CleanedUp());
}

TEST_F(InstauxDriverFailure, RunningDriverIsAskedToStopOnceWithoutWaiting)
{
    EXPECT_EQ(Check({}), 1);
    EXPECT_EQ(m_services.calls, Then(kQueried, Then({"stop service"}, kClosed)));
}

}  // namespace
