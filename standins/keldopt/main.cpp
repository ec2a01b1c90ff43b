// Stand-in for the configuration import tool KELDOpt.EXE.
//
//   KELDOpt.EXE "<configuration disk>KELD.KCI"
//
// Appends one line to KELDOpt.log beside itself, with its arguments, its
// working folder, the show command it was given and whether the instance
// lock "KeldoranAppMutex" was free when it started, then ends. While the
// event "KeldOptStandInHold" exists and is not set it waits for it (a
// minute at most), so that a test can hold it running. The last thing it
// does is to set the event "KeldOptStandInEnded" when that exists: a caller
// that waited for the tool to end finds it set.
#include "resources/ProductConstants.h"
#include "standins/Folders.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

const char* LockState()
{
    HANDLE lock = CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);
    DWORD wait = lock ? WaitForSingleObject(lock, 0) : WAIT_FAILED;
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(lock);
    if (lock)
        CloseHandle(lock);
    return wait == WAIT_OBJECT_0 ? "free" : wait == WAIT_ABANDONED ? "abandoned" : "held";
}

std::string ShowCommand()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow) : "none";
}

void AppendLine(const std::string& line)
{
    HANDLE file = CreateFileA((ProgramFolder() + "KELDOpt.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string line = "arguments=" + std::to_string(__argc - 1);
    for (int i = 1; i < __argc; ++i)
        line += " argument=" + std::string(__argv[i]);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    line += std::string(" folder=") + folder + " show=" + ShowCommand() + " lock=" + LockState() + "\r\n";
    AppendLine(line);

    if (HANDLE hold = OpenEventA(SYNCHRONIZE, FALSE, "KeldOptStandInHold")) {
        WaitForSingleObject(hold, 60000);
        CloseHandle(hold);
    }
    if (HANDLE ended = OpenEventA(EVENT_MODIFY_STATE, FALSE, "KeldOptStandInEnded")) {
        SetEvent(ended);
        CloseHandle(ended);
    }
    return 0;
}
