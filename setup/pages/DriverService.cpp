#include "setup/pages/DriverService.h"

#include "framework/MessageBox.h"
#include "framework/ServiceControl.h"
#include "resources/resource.h"

namespace keld {

bool StartBoardDriver(bool keepRunning)
{
    fw::ServiceControl& scm = fw::Services();
    SC_HANDLE manager = scm.OpenManager();
    if (!manager) {
        DWORD error = ::GetLastError();
        fw::AppMessageBox(error == ERROR_ACCESS_DENIED ? IDS_SERVICE_ACCESS_DENIED : IDS_SERVICE_RESTART_ERROR);
        return false;
    }
    SC_HANDLE service = scm.OpenService(manager, kDriverServiceName);
    if (!service) {
        service = scm.CreateService(manager, kDriverServiceName, SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START,
                                    SERVICE_ERROR_NORMAL, kDriverImagePath);
        if (!service) {
            scm.Close(manager);
            return false;
        }
    }
    SERVICE_STATUS status{};
    if (scm.QueryStatus(service, status) && status.dwCurrentState == SERVICE_RUNNING) {
        if (keepRunning) {
            scm.Close(service);
            scm.Close(manager);
            return true;
        }
        scm.Stop(service);
    }
    bool started = scm.Start(service);
    scm.Close(service);
    scm.Close(manager);
    return started;
}

}  // namespace keld
