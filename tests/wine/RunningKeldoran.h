// The machine-control stand-in, started and holding its lock.
#pragma once
#include "TestFiles.h"

#include <string>

namespace testkit {

// Whether another thread could take "KeldoranAppMutex" now: no running
// thread holds it (a program that ended holding it left it abandoned).
bool InstanceLockIsFree();

class RunningKeldoran {
public:
    // Starts `exePath` and waits until it holds "KeldoranAppMutex".
    explicit RunningKeldoran(const std::string& exePath, const std::string& workingFolder = "");
    ~RunningKeldoran();
    RunningKeldoran(const RunningKeldoran&) = delete;
    RunningKeldoran& operator=(const RunningKeldoran&) = delete;

    // Empty once the stand-in holds the lock; otherwise what went wrong.
    const std::string& Failure() const { return m_failure; }
    // Asks the stand-in to end and waits for it; true when it ended.
    bool Stop();

private:
    HANDLE m_ready = nullptr;
    HANDLE m_quit = nullptr;
    Process m_process;
    std::string m_failure;
};

}  // namespace testkit
