#include "instaux/ProcessLaunch.h"

#include <windows.h>

#include <vector>

namespace instaux {

// The program starts suspended so that the wait cannot miss it; nothing
// else runs on this thread until it ends. The library has no window of its
// own at that time, and the installer's windows are left as they are.
bool RunProcessAndWait(const std::string& commandLine, const char* workingDir, int showCommand)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, workingDir,
                          &startup, &process))
        return false;
    ::ResumeThread(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

namespace {

BOOL CALLBACK BringToFront(HWND window, LPARAM)
{
    // Hidden helper windows of the thread (the input method's, for one)
    // are not the installer's.
    if (!::IsWindowVisible(window))
        return TRUE;
    ::SetForegroundWindow(window);
    return FALSE;
}

}  // namespace

void BringInstallerToFront()
{
    ::EnumThreadWindows(::GetCurrentThreadId(), BringToFront, 0);
}

}  // namespace instaux
