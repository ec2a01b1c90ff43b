// The service control manager calls made to stop the interface card's
// driver service. The library uses the system's; tests put in a double to
// reach failures that a working service manager does not produce.
#pragma once
#include <windows.h>

namespace instaux {

inline constexpr const char* kDriverServiceName = "NextMove";

class ServiceControl {
public:
    virtual ~ServiceControl() = default;
    // The local machine's manager, all access; nullptr on failure.
    virtual SC_HANDLE OpenManager() = 0;
    // The named service, all access; nullptr on failure.
    virtual SC_HANDLE OpenService(SC_HANDLE manager, const char* name) = 0;
    virtual bool QueryStatus(SC_HANDLE service, SERVICE_STATUS& status) = 0;
    // Sends the stop control; whether the request succeeded.
    virtual bool Stop(SC_HANDLE service) = 0;
    virtual void Close(SC_HANDLE handle) = 0;
};

ServiceControl& SystemServiceControl();

}  // namespace instaux
