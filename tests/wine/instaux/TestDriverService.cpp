// A user-mode service registered as "NextMove" in place of the kernel
// driver, so that the tests can meet a running service:
//   instaux_test_service.exe stoppable     stops when asked
//   instaux_test_service.exe unstoppable   refuses the stop control
// Either ends when the event "Global\KeldTestServiceQuit" is set.
#include "resources/ProductConstants.h"

#include <windows.h>

#include <cstring>

namespace {

bool g_stoppable = false;
HANDLE g_stop = nullptr;
SERVICE_STATUS_HANDLE g_status = nullptr;

void Report(DWORD state)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING && g_stoppable ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(g_status, &status);
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*)
{
    if (control == SERVICE_CONTROL_INTERROGATE)
        return NO_ERROR;
    if (control == SERVICE_CONTROL_STOP && g_stoppable) {
        Report(SERVICE_STOP_PENDING);
        SetEvent(g_stop);
        return NO_ERROR;
    }
    return ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, char**)
{
    g_status = RegisterServiceCtrlHandlerExA(keld::kDriverServiceName, Handler, nullptr);
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "Global\\KeldTestServiceQuit");
    Report(SERVICE_RUNNING);
    HANDLE events[] = {g_stop, quit};
    WaitForMultipleObjects(2, events, FALSE, 120000);
    Report(SERVICE_STOPPED);
}

}  // namespace

int main(int argc, char** argv)
{
    g_stoppable = argc > 1 && std::strcmp(argv[1], "stoppable") == 0;
    g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    char name[] = "NextMove";
    SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
