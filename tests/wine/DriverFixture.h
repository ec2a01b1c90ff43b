// The card driver stand-in NEXTMOVE.SYS in the test prefix and Wine's real
// service control manager.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace testkit {

// Copies the built driver into the Windows drivers folder.
bool InstallDriverFile();
// Stops and deletes the "NextMove" service when it exists.
void RemoveDriverService();
// Registers the service as an installer of the card's maker would.
bool RegisterDriverService(DWORD startType = SERVICE_DEMAND_START);
bool StartDriverService();
bool StopDriverService();

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

}  // namespace testkit
