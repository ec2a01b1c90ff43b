// The service control manager calls that the modules make, behind one seam:
// the system's, unless a test puts a double in place to reach failures that
// a working service manager does not produce.
#pragma once
#include <windows.h>

namespace fw {

class ServiceControl {
public:
    virtual ~ServiceControl() = default;
    // The local machine's manager, all access; nullptr on failure, with the
    // reason in GetLastError.
    virtual SC_HANDLE OpenManager() = 0;
    // The named service, all access; nullptr on failure.
    virtual SC_HANDLE OpenService(SC_HANDLE manager, const char* name) = 0;
    // A service named and shown as `name`; nullptr on failure.
    virtual SC_HANDLE CreateService(SC_HANDLE manager, const char* name, DWORD serviceType, DWORD startType,
                                    DWORD errorControl, const char* imagePath) = 0;
    virtual bool QueryStatus(SC_HANDLE service, SERVICE_STATUS& status) = 0;
    // Sends the stop control; whether the request succeeded.
    virtual bool Stop(SC_HANDLE service) = 0;
    virtual bool Start(SC_HANDLE service) = 0;
    virtual void Close(SC_HANDLE handle) = 0;
};

// The service manager of this module: the system's unless replaced.
ServiceControl& Services();
// Puts `services` in place (not owned); nullptr puts the system's back.
void SetServices(ServiceControl* services);

// Whether the operating system belongs to the NT family.
bool IsWindowsNT();

}  // namespace fw
