// Stand-in for the machine-control application KELDORAN.EXE.
//
//   KELDORAN.EXE            holds "KeldoranAppMutex" and shows the settings it
//                           read until its window is closed or the event
//                           "KeldoranStandInQuit" is set; sets the event
//                           "KeldoranStandInReady" once it holds the lock.
//   KELDORAN.EXE /settings  prints the settings it reads and ends.
#include "resources/ProductConstants.h"
#include "standins/Folders.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Setting {
    const char* file;     // "program" or "windows" folder file
    const char* name;
    const char* section;
    const char* key;
};

const Setting kSettings[] = {
    {"program", keld::kProgramIniName, "Settings", "Units"},
    {"program", keld::kProgramIniName, "Settings", "DefaultLFactor"},
    {"program", keld::kProgramIniName, "Settings", "DefaultRunFeed"},
    {"program", keld::kProgramIniName, "Settings", "MaxArcRadiiDif"},
    {"program", keld::kProgramIniName, "Settings", "BoardAddress"},
    {"program", keld::kProgramIniName, "Settings", "EnableATC"},
    {"program", keld::kProgramIniName, "Settings", "SpindleType"},
    {"program", keld::kToolsIniName, "Tools", "ShaftHeight"},
    {"windows", keld::kControlIniName, "Settings", "DefaultMachine"},
    {"windows", keld::kControlIniName, "FlowCtl", "MaxSubs"},
    {"windows", keld::kControlIniName, "FlowCtl", "MaxSubDepth"},
    {"windows", keld::kControlIniName, "Defaults", "ValueDispPrec"},
};

std::string SettingsReport()
{
    std::string report;
    for (const Setting& s : kSettings) {
        std::string file = (s.file[0] == 'p' ? ProgramFolder() : WindowsFolder()) + s.name;
        char value[256];
        DWORD n = GetPrivateProfileStringA(s.section, s.key, "\x01", value, sizeof value, file.c_str());
        std::string shown = (n == 1 && value[0] == '\x01') ? "(absent)" : std::string(value, n);
        report += std::string(s.name) + " [" + s.section + "] " + s.key + " = " + shown + "\r\n";
    }
    return report;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int RunHoldingLock()
{
    HANDLE lock = CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);
    DWORD wait = lock ? WaitForSingleObject(lock, 0) : WAIT_FAILED;
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        std::printf("KELDORAN is already running.\n");
        return 1;
    }
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "KeldoranStandInQuit");
    ResetEvent(quit);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "KeldoranStandIn";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("KeldoranStandIn", "KELDORAN", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CW_USEDEFAULT, CW_USEDEFAULT, 520, 300, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    CreateWindowA("EDIT", SettingsReport().c_str(),
                  WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL, 0, 0, 505, 260,
                  window, nullptr, windowClass.hInstance, nullptr);

    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "KeldoranStandInReady");
    SetEvent(ready);

    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            break;
        MSG msg;
        bool ended = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                ended = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ended)
            break;
    }
    ResetEvent(ready);
    // The lock is released by ending, like the real application does.
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (lstrcmpiA(argv[1], "/settings") == 0 || lstrcmpiA(argv[1], "-settings") == 0)) {
        std::fputs(SettingsReport().c_str(), stdout);
        return 0;
    }
    return RunHoldingLock();
}
