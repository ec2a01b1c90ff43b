// The interface card's kernel driver service "NextMove".
#pragma once
#include <windows.h>

namespace keld {

// Makes sure the driver service exists and runs. keepRunning false restarts
// a running service so that it reads its parameters anew. True when the
// service runs at the end (left running, or the start request succeeded).
bool StartBoardDriver(bool keepRunning);

// The service manager calls StartBoardDriver makes; the real ones unless a
// test puts others in place.
struct ServiceManagerCalls {
    decltype(&::OpenSCManagerA) openManager = ::OpenSCManagerA;
    decltype(&::OpenServiceA) openService = ::OpenServiceA;
    decltype(&::CreateServiceA) createService = ::CreateServiceA;
    decltype(&::QueryServiceStatus) queryStatus = ::QueryServiceStatus;
    decltype(&::ControlService) control = ::ControlService;
    decltype(&::StartServiceA) start = ::StartServiceA;
    decltype(&::CloseServiceHandle) close = ::CloseServiceHandle;
};
ServiceManagerCalls& ServiceManager();

inline constexpr const char* kDriverServiceName = "NextMove";
inline constexpr const char* kDriverImagePath = "\\SystemRoot\\system32\\drivers\\NEXTMOVE.SYS";
inline constexpr const char* kDriverParametersKey = "System\\CurrentControlSet\\Services\\NextMove\\Parameters";
inline constexpr const char* kDriverAddressValue = "NextMove0";

}  // namespace keld
