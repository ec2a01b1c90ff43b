// A program started with every process it starts in a job of its own, so
// that a test can wait for all of them: the uninstaller, for one, runs from
// a copy of itself that its first process starts and leaves to run.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace instauxtest {

class ProcessTree {
public:
    explicit ProcessTree(const std::string& commandLine);
    // Ends what still runs.
    ~ProcessTree();
    ProcessTree(const ProcessTree&) = delete;
    ProcessTree& operator=(const ProcessTree&) = delete;

    bool Started() const { return m_first != 0; }
    DWORD FirstId() const { return m_first; }
    // Waits until every process of the tree has ended; false when the time
    // ran out first.
    bool WaitForAll(DWORD timeoutMs);
    // The exit codes of the processes in the order they started, the first
    // one's first; -1 for one that ended before it could be opened.
    const std::vector<long long>& ExitCodes() const { return m_exitCodes; }

private:
    void Opened(DWORD processId);

    HANDLE m_job = nullptr;
    HANDLE m_port = nullptr;
    DWORD m_first = 0;
    std::vector<HANDLE> m_processes;
    std::vector<long long> m_exitCodes;
};

}  // namespace instauxtest
