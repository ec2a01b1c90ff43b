// Stopping the interface card's driver service before its file is replaced.
#include "instaux/InstallHelperApp.h"
#include "resources/ProductConstants.h"
#include "resources/instaux_resource.h"

#include "framework/MessageBox.h"
#include "framework/ServiceControl.h"

namespace instaux {

// Only the stop request counts: there is no waiting for the stopped state
// and no retry. Without a service manager the installation goes on.
bool CInstallHelperApp::StopBoardDriver()
{
    if (!IsWindowsNT)
        return true;
    fw::ServiceControl& services = fw::Services();
    SC_HANDLE manager = services.OpenManager();
    if (!manager) {
        fw::AppMessageBox(IDS_SERVICE_MANAGER_ERROR);
        return true;
    }
    SC_HANDLE service = services.OpenService(manager, keld::kDriverServiceName);
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
