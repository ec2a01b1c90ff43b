#include "DriverFixture.h"

#include "TestFiles.h"
#include "WindowDriver.h"

#include <vector>

namespace testkit {

namespace {

constexpr const char* kService = "NextMove";
constexpr const char* kParameters = "System\\CurrentControlSet\\Services\\NextMove\\Parameters";

std::optional<DWORD> ReadParameter(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParameters, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD value = 0, size = sizeof value;
    bool read = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
                ERROR_SUCCESS;
    RegCloseKey(key);
    return read ? std::optional<DWORD>(value) : std::nullopt;
}

struct Handles {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = manager ? OpenServiceA(manager, kService, SERVICE_ALL_ACCESS) : nullptr;
    ~Handles()
    {
        if (service)
            CloseServiceHandle(service);
        if (manager)
            CloseServiceHandle(manager);
    }
};

bool IsRunning(SC_HANDLE service)
{
    SERVICE_STATUS status{};
    return QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
}

}  // namespace

bool InstallDriverFile()
{
    std::string target = WindowsFolder() + "system32\\drivers\\NEXTMOVE.SYS";
    std::string source = StandInPath("nextmove/NEXTMOVE.SYS");
    // A driver still loaded keeps its file; the same image may stay.
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE ||
           (FileExists(target) && ReadFile(target) == ReadFile(source));
}

void RemoveDriverService()
{
    Handles handles;
    if (!handles.service)
        return;
    SERVICE_STATUS status{};
    if (IsRunning(handles.service)) {
        ControlService(handles.service, SERVICE_CONTROL_STOP, &status);
        WaitUntil([&] { return !IsRunning(handles.service); }, 5000);
    }
    DeleteService(handles.service);
}

bool RegisterDriverService(DWORD startType)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return false;
    SC_HANDLE service = CreateServiceA(manager, kService, kService, SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                                       startType, SERVICE_ERROR_NORMAL,
                                       "\\SystemRoot\\system32\\drivers\\NEXTMOVE.SYS", nullptr, nullptr, nullptr,
                                       nullptr, nullptr);
    if (service)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return service != nullptr;
}

bool StartDriverService()
{
    Handles handles;
    return handles.service && StartServiceA(handles.service, 0, nullptr) &&
           WaitUntil([&] { return IsRunning(handles.service); }, 5000);
}

bool StopDriverService()
{
    Handles handles;
    SERVICE_STATUS status{};
    return handles.service && ControlService(handles.service, SERVICE_CONTROL_STOP, &status) &&
           WaitUntil([&] { return !IsRunning(handles.service); }, 5000);
}

DriverServiceState QueryDriverService()
{
    DriverServiceState state;
    Handles handles;
    if (!handles.service)
        return state;
    state.exists = true;
    state.running = IsRunning(handles.service);
    DWORD needed = 0;
    QueryServiceConfigA(handles.service, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (QueryServiceConfigA(handles.service, config, needed, &needed)) {
        state.serviceType = config->dwServiceType;
        state.startType = config->dwStartType;
        state.errorControl = config->dwErrorControl;
        state.imagePath = config->lpBinaryPathName ? config->lpBinaryPathName : "";
        state.displayName = config->lpDisplayName ? config->lpDisplayName : "";
    }
    return state;
}

std::optional<DWORD> DriverRunningAddress()
{
    return ReadParameter("RunningAddress");
}

DWORD DriverStartCount()
{
    return ReadParameter("StartCount").value_or(0);
}

}  // namespace testkit
