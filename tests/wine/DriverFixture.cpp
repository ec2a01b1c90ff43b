#include "DriverFixture.h"

#include "TestFiles.h"
#include "WindowDriver.h"

#include "resources/ProductConstants.h"

#include <vector>

namespace testkit {

namespace {

constexpr const char* kService = keld::kDriverServiceName;
constexpr const char* kParameters = keld::kDriverParametersKey;
constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\NextMove";

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

namespace {

// A driver still loaded keeps its file; the same image may stay.
bool CopyDriverImage(const std::string& source, const std::string& target)
{
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE ||
           (FileExists(target) && ReadFile(target) == ReadFile(source));
}

}  // namespace

bool InstallDriverFile()
{
    const std::string i686 = NextMoveImagePath(false);
    const std::string x86_64 = NextMoveImagePath(true);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (!wow64) {
        // A 64-bit program sees the native folder as system32 and the
        // 32-bit view as syswow64 (empty without 32-bit Wine).
        CreateDirectoryA((WindowsFolder() + "syswow64\\drivers").c_str(), nullptr);
        return CopyDriverImage(x86_64, WindowsFolder() + "system32\\drivers\\NEXTMOVE.SYS") &&
               CopyDriverImage(i686, WindowsFolder() + "syswow64\\drivers\\NEXTMOVE.SYS");
    }
    const std::string target = WindowsFolder() + "system32\\drivers\\NEXTMOVE.SYS";
    // For this 32-bit program system32 is the 32-bit view (syswow64),
    // where Wine's 32-bit device host loads the driver from; a new prefix
    // has no drivers folder there.
    CreateDirectoryA((WindowsFolder() + "system32\\drivers").c_str(), nullptr);
    if (!CopyDriverImage(i686, target))
        return false;
    // The x86_64 image goes to the native folder, past the redirection, as
    // a 64-bit Windows needs it and a 64-bit installer would put it.
    PVOID redirection = nullptr;
    if (!Wow64DisableWow64FsRedirection(&redirection))
        return false;
    bool copied = CopyDriverImage(x86_64, target);
    Wow64RevertWow64FsRedirection(redirection);
    return copied;
}

namespace {

void ClearServiceKeyFaults()
{
    HKEY service = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_ALL_ACCESS, &service) != ERROR_SUCCESS)
        return;
    HKEY probe = nullptr;
    LONG made = RegCreateKeyExA(service, "KeldTestProbe", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                nullptr, &probe, nullptr);
    if (probe) {
        RegCloseKey(probe);
        RegDeleteKeyA(service, "KeldTestProbe");
    }
    if (made == ERROR_CHILD_MUST_BE_VOLATILE) {
        RegCloseKey(service);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kServiceKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kServiceKey);
        return;
    }
    HKEY parameters = nullptr;
    LONG writable = RegOpenKeyExA(service, "Parameters", 0, KEY_SET_VALUE, &parameters);
    if (parameters)
        RegCloseKey(parameters);
    DWORD size = 0;
    RegGetKeySecurity(service, DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<BYTE> access(size ? size : 1);
    if (writable == ERROR_ACCESS_DENIED &&
        RegGetKeySecurity(service, DACL_SECURITY_INFORMATION, access.data(), &size) == ERROR_SUCCESS &&
        RegOpenKeyExA(service, "Parameters", 0, WRITE_DAC, &parameters) == ERROR_SUCCESS) {
        RegSetKeySecurity(parameters, DACL_SECURITY_INFORMATION, access.data());
        RegCloseKey(parameters);
    }
    RegCloseKey(service);
}

}  // namespace

void RemoveDriverService()
{
    ClearServiceKeyFaults();
    Handles handles;
    if (!handles.service)
        return;
    if (IsRunning(handles.service)) {
        // The driver and the stoppable stand-in stop when asked; the other
        // stand-in ends on its quit event.
        SERVICE_STATUS status{};
        ControlService(handles.service, SERVICE_CONTROL_STOP, &status);
        HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "Global\\KeldTestServiceQuit");
        SetEvent(quit);
        WaitFor("the NextMove service to stop", [] { return DriverServiceCurrentState() == SERVICE_STOPPED; },
                10000);
        ResetEvent(quit);
        CloseHandle(quit);
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
                                       keld::kDriverImagePath, nullptr, nullptr, nullptr,
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
           WaitFor("the NextMove service to run", [&] { return IsRunning(handles.service); }, 5000);
}

bool StopDriverService()
{
    Handles handles;
    SERVICE_STATUS status{};
    return handles.service && ControlService(handles.service, SERVICE_CONTROL_STOP, &status) &&
           WaitFor("the NextMove service to stop", [&] { return !IsRunning(handles.service); }, 5000);
}

bool DriverStopIsCompleteOnReturn()
{
    bool complete = false;
    {
        Handles handles;
        SERVICE_STATUS answered{}, queried{};
        complete = handles.service && IsRunning(handles.service) &&
                   ControlService(handles.service, SERVICE_CONTROL_STOP, &answered) &&
                   answered.dwCurrentState == SERVICE_STOPPED && QueryServiceStatus(handles.service, &queried) &&
                   queried.dwCurrentState == SERVICE_STOPPED && !DriverRunningAddress();
        WaitFor("the NextMove service to stop", [&] { return !IsRunning(handles.service); }, 10000);
    }
    return StartDriverService() && complete;
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

void SetDriverAddressParameter(long long address)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParameters, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (address < 0) {
        RegDeleteValueA(key, keld::kDriverAddressValue);
    } else {
        DWORD value = static_cast<DWORD>(address);
        RegSetValueExA(key, keld::kDriverAddressValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    RegCloseKey(key);
}

void SetDriverAddressParameterData(DWORD type, const std::string& data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParameters, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, keld::kDriverAddressValue, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

bool ReadDriverAddressParameterData(DWORD& type, std::string& data)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParameters, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[256];
    DWORD size = sizeof buffer;
    bool read = RegQueryValueExA(key, keld::kDriverAddressValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                ERROR_SUCCESS;
    RegCloseKey(key);
    if (read)
        data.assign(buffer, size);
    return read;
}

bool ReadDriverAddressParameter(DWORD& address)
{
    std::optional<DWORD> stored = ReadParameter(keld::kDriverAddressValue);
    if (stored)
        address = *stored;
    return stored.has_value();
}

DWORD DriverStartCount()
{
    return ReadParameter("StartCount").value_or(0);
}

namespace {

bool CreateAndStartService(DWORD type, const std::string& binaryPath)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return false;
    SC_HANDLE service = CreateServiceA(manager, keld::kDriverServiceName, keld::kDriverServiceName, SERVICE_ALL_ACCESS, type,
                                       SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, binaryPath.c_str(), nullptr,
                                       nullptr, nullptr, nullptr, nullptr);
    bool created = service && StartServiceA(service, 0, nullptr);
    if (service)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return created;
}

}  // namespace

bool StartDriverServiceStandIn(const std::string& program, bool stoppable)
{
    std::string command = Quoted(program) + (stoppable ? " stoppable" : " unstoppable");
    if (!CreateAndStartService(SERVICE_WIN32_OWN_PROCESS, command))
        return false;
    return WaitFor("the NextMove stand-in service to run",
                            [] { return DriverServiceCurrentState() == SERVICE_RUNNING; }, 15000);
}

DWORD DriverServiceCurrentState()
{
    DWORD state = 0;
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return 0;
    if (SC_HANDLE service = OpenServiceA(manager, keld::kDriverServiceName, SERVICE_QUERY_STATUS)) {
        SERVICE_STATUS status{};
        if (QueryServiceStatus(service, &status))
            state = status.dwCurrentState;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return state;
}

}  // namespace testkit
