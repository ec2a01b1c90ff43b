// Time from process start to a visible property sheet, for two programs (or
// more) in one run, alternating, so that all see the same machine state.
//
//   startup_bench.exe <runs> <folder> "<command line A>" "<command line B>" ["<C>" ...]
#include "tools/demo/SheetWindow.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Milliseconds until the sheet is visible, or -1.
double TimeToSheet(const std::string& commandLine, const char* folder)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process))
        return -1;
    HWND sheet = nullptr;
    DWORD begin = GetTickCount();
    while (!(sheet = FindSheetOfProcess(process.dwProcessId))) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 || GetTickCount() - begin > 30000)
            break;
        Sleep(1);
    }
    QueryPerformanceCounter(&now);
    double elapsed = sheet ? (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart : -1;
    if (sheet)
        PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: startup_bench <runs> <folder> \"<command A>\" \"<command B>\" [...]\n");
        return 2;
    }
    int runs = std::max(1, std::atoi(argv[1]));
    const int programs = argc - 3;
    // A window of our own keeps Wine's desktop process alive for the whole
    // run, so that no measured start pays for starting it again.
    HWND keeper = CreateWindowA("STATIC", "startup_bench", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    std::vector<std::vector<double>> times(programs);
    for (int p = 0; p < programs; ++p)  // warm the caches once for all
        TimeToSheet(argv[3 + p], argv[2]);
    for (int i = 0; i < runs; ++i) {
        for (int p = 0; p < programs; ++p) {
            double t = TimeToSheet(argv[3 + p], argv[2]);
            if (t < 0) {
                std::fprintf(stderr, "a program did not show its sheet\n");
                return 1;
            }
            times[p].push_back(t);
        }
    }
    DestroyWindow(keeper);
    std::printf("runs: %d\n", runs);
    std::vector<double> medians;
    for (int p = 0; p < programs; ++p) {
        medians.push_back(Median(times[p]));
        std::printf("%c median ms to visible sheet: %.1f  (%s)\n", 'A' + p, medians[p], argv[3 + p]);
    }
    std::printf("ratio A/B: %.3f\n", medians[0] / medians[1]);
    return 0;
}
