// Stopping the interface card's driver service before its file is replaced.
#include "instaux/InstallHelperApp.h"
#include "instaux/ServiceControl.h"
#include "instaux/resource.h"

#include "framework/MessageBox.h"

namespace instaux {

namespace {

class SystemServices final : public ServiceControl {
public:
    SC_HANDLE OpenManager() override { return ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS); }
    SC_HANDLE OpenService(SC_HANDLE manager, const char* name) override
    {
        return ::OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    }
    bool QueryStatus(SC_HANDLE service, SERVICE_STATUS& status) override
    {
        return ::QueryServiceStatus(service, &status) != FALSE;
    }
    bool Stop(SC_HANDLE service) override
    {
        SERVICE_STATUS status{};
        return ::ControlService(service, SERVICE_CONTROL_STOP, &status) != FALSE;
    }
    void Close(SC_HANDLE handle) override { ::CloseServiceHandle(handle); }
};

}  // namespace

ServiceControl& SystemServiceControl()
{
    static SystemServices services;
    return services;
}

// Only the stop request counts: there is no waiting for the stopped state
// and no retry. Without a service manager the installation goes on.
bool CInstallHelperApp::StopBoardDriver()
{
    if (!IsWindowsNT)
        return true;
    ServiceControl& services = *m_serviceControl;
    SC_HANDLE manager = services.OpenManager();
    if (!manager) {
        fw::AppMessageBox(IDS_SERVICE_MANAGER_ERROR);
        return true;
    }
    SC_HANDLE service = services.OpenService(manager, kDriverServiceName);
    if (!service) {
        services.Close(manager);
        return true;
    }
    bool stopped = true;
    SERVICE_STATUS status{};
    if (services.QueryStatus(service, status) && status.dwCurrentState == SERVICE_RUNNING)
        stopped = services.Stop(service);
    services.Close(service);
    services.Close(manager);
    return stopped;
}

}  // namespace instaux
