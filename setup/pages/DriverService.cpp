#include "setup/pages/DriverService.h"

#include "framework/MessageBox.h"
#include "framework/ServiceControl.h"
#include "resources/resource.h"

namespace keld {

bool StartBoardDriver(bool keepRunning, DriverStartFailure* failure)
{
    DriverStartFailure ignored;
    DriverStartFailure& why = failure ? *failure : ignored;
    fw::ServiceControl& scm = fw::Services();
    SC_HANDLE manager = scm.OpenManager();
    if (!manager) {
        DWORD error = ::GetLastError();
        fw::AppMessageBox(error == ERROR_ACCESS_DENIED ? IDS_SERVICE_ACCESS_DENIED : IDS_SERVICE_RESTART_ERROR);
        why = {IDS_SERVICE_RESTART_ERROR, error, true};
        return false;
    }
    SC_HANDLE service = scm.OpenService(manager, kDriverServiceName);
    if (!service) {
        service = scm.CreateService(manager, kDriverServiceName, SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START,
                                    SERVICE_ERROR_NORMAL, kDriverImagePath);
        if (!service) {
            why = {IDS_DRIVER_NOT_REGISTERED, ::GetLastError(), false};
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
    if (!started)
        why = {IDS_DRIVER_NOT_STARTED, ::GetLastError(), false};
    scm.Close(service);
    scm.Close(manager);
    return started;
}

}  // namespace keld
