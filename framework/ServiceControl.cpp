#include "framework/ServiceControl.h"

namespace fw {

namespace {

class SystemServices final : public ServiceControl {
public:
    SC_HANDLE OpenManager() override { return ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS); }
    SC_HANDLE OpenService(SC_HANDLE manager, const char* name) override
    {
        return ::OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    }
    SC_HANDLE CreateService(SC_HANDLE manager, const char* name, DWORD serviceType, DWORD startType,
                            DWORD errorControl, const char* imagePath) override
    {
        return ::CreateServiceA(manager, name, name, SERVICE_ALL_ACCESS, serviceType, startType, errorControl,
                                imagePath, nullptr, nullptr, nullptr, nullptr, nullptr);
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
    bool Start(SC_HANDLE service) override { return ::StartServiceA(service, 0, nullptr) != FALSE; }
    void Close(SC_HANDLE handle) override { ::CloseServiceHandle(handle); }
};

SystemServices g_system;
ServiceControl* g_current = &g_system;

}  // namespace

ServiceControl& Services()
{
    return *g_current;
}

void SetServices(ServiceControl* services)
{
    g_current = services ? services : &g_system;
}

bool IsWindowsNT()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
}

}  // namespace fw
