// The card driver in the test prefix: the stand-in NEXTMOVE.SYS, its
// "NextMove" service in Wine's real service control manager, a user-mode
// service standing in for it, and its registry parameters.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace testkit {

// Copies the built driver into the Windows drivers folder.
bool InstallDriverFile();
// Stops and deletes the "NextMove" service when it exists: the driver and
// the stoppable stand-in when asked, the other stand-in on its quit event.
// First it undoes what a test stopped at its time limit may have left on
// the service's key, which the prefix keeps: a volatile service key goes
// (no lasting parameter key can be made below it), and a parameter key
// that refuses writes gets the service key's access back, its values kept.
void RemoveDriverService();
// Registers the service as an installer of the card's maker would.
bool RegisterDriverService(DWORD startType = SERVICE_DEMAND_START);
bool StartDriverService();
bool StopDriverService();
// StartBoardDriver asks a running driver to stop and starts it again at
// once, which works only where the stop is complete when ControlService
// returns; Wine's service manager unloads a kernel driver before it
// answers. Asks the running driver to stop and tells whether it reads
// stopped at once, unloaded (no RunningAddress); then starts it again.
bool DriverStopIsCompleteOnReturn();

struct DriverServiceState {
    bool exists = false;
    bool running = false;
    DWORD serviceType = 0;
    DWORD startType = 0;
    DWORD errorControl = 0;
    std::string imagePath;
    std::string displayName;
};
DriverServiceState QueryDriverService();

// What the running driver reports beside its parameter: the address it
// started with (none while stopped) and how often it started.
std::optional<DWORD> DriverRunningAddress();
DWORD DriverStartCount();

// The card driver's registry parameter NextMove0; a negative address
// removes the value.
void SetDriverAddressParameter(long long address);
bool ReadDriverAddressParameter(DWORD& address);
// NextMove0 with the given registry type and raw data.
void SetDriverAddressParameterData(DWORD type, const std::string& data);
// NextMove0 as it is stored: its type and raw data; false when missing.
bool ReadDriverAddressParameterData(DWORD& type, std::string& data);

// A user-mode service `program` registered and started as "NextMove" in
// place of the card's driver; it runs until stopped (when stoppable) or
// told to quit by RemoveDriverService.
bool StartDriverServiceStandIn(const std::string& program, bool stoppable);
DWORD DriverServiceCurrentState();  // 0 when there is no such service

}  // namespace testkit
