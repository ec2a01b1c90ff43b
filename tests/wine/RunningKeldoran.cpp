#include "RunningKeldoran.h"
#include "resources/ProductConstants.h"

#include <thread>

namespace testkit {

bool InstanceLockIsFree()
{
    bool free = false;
    std::thread probe([&free] {
        HANDLE lock = CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);
        DWORD wait = WaitForSingleObject(lock, 0);
        free = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        if (free)
            ReleaseMutex(lock);
        CloseHandle(lock);
    });
    probe.join();
    return free;
}

RunningKeldoran::RunningKeldoran(const std::string& exePath, const std::string& workingFolder)
{
    // Both events are reset here: one left signalled by an earlier stand-in
    // would report a lock that is not held yet.
    m_ready = CreateEventA(nullptr, TRUE, FALSE, "KeldoranStandInReady");
    m_quit = CreateEventA(nullptr, TRUE, FALSE, "KeldoranStandInQuit");
    ResetEvent(m_ready);
    ResetEvent(m_quit);
    m_process = Process(Quoted(exePath), workingFolder);
    if (!m_process.Started()) {
        m_failure = "cannot start " + exePath;
        return;
    }
    HANDLE waits[] = {m_ready, m_process.Handle()};
    DWORD r = WaitForMultipleObjects(2, waits, FALSE, 60000);
    if (r == WAIT_OBJECT_0 + 1) {
        DWORD code = 0;
        GetExitCodeProcess(m_process.Handle(), &code);
        m_failure = "the stand-in ended with " + std::to_string(code) + " before holding the lock";
    } else if (r != WAIT_OBJECT_0) {
        m_failure = "the stand-in did not signal that it holds the lock";
    } else if (InstanceLockIsFree()) {
        m_failure = "the stand-in signalled, but the lock is free";
    }
}

RunningKeldoran::~RunningKeldoran()
{
    Stop();
    CloseHandle(m_ready);
    CloseHandle(m_quit);
}

bool RunningKeldoran::Stop()
{
    if (!m_process.Started())
        return true;
    SetEvent(m_quit);
    return m_process.WaitForExit(30000);
}

}  // namespace testkit
