#include "setup/pages/DriverService.h"

#include "framework/MessageBox.h"
#include "resources/resource.h"

namespace keld {

ServiceManagerCalls& ServiceManager()
{
    static ServiceManagerCalls calls;
    return calls;
}

bool StartBoardDriver(bool keepRunning)
{
    ServiceManagerCalls& scm = ServiceManager();
    SC_HANDLE manager = scm.openManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager) {
        DWORD error = ::GetLastError();
        fw::AppMessageBox(error == ERROR_ACCESS_DENIED ? IDS_SERVICE_ACCESS_DENIED : IDS_SERVICE_RESTART_ERROR);
        return false;
    }
    SC_HANDLE service = scm.openService(manager, kDriverServiceName, SERVICE_ALL_ACCESS);
    if (!service) {
        service = scm.createService(manager, kDriverServiceName, kDriverServiceName, SERVICE_ALL_ACCESS,
                                    SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                    kDriverImagePath, nullptr, nullptr, nullptr, nullptr, nullptr);
        if (!service) {
            scm.close(manager);
            return false;
        }
    }
    SERVICE_STATUS status{};
    if (scm.queryStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING) {
        if (keepRunning) {
            scm.close(service);
            scm.close(manager);
            return true;
        }
        scm.control(service, SERVICE_CONTROL_STOP, &status);
    }
    bool started = scm.start(service, 0, nullptr) != FALSE;
    scm.close(service);
    scm.close(manager);
    return started;
}

}  // namespace keld
