#include "ProcessTree.h"

namespace instauxtest {

ProcessTree::ProcessTree(const std::string& commandLine)
{
    m_job = CreateJobObjectA(nullptr, nullptr);
    m_port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association{};
    association.CompletionKey = m_job;
    association.CompletionPort = m_port;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!m_job || !m_port ||
        !SetInformationJobObject(m_job, JobObjectAssociateCompletionPortInformation, &association,
                                 sizeof association) ||
        !SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof limits))
        return;

    // Suspended until it is in the job, so that all it starts is there too.
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &info))
        return;
    if (!AssignProcessToJobObject(m_job, info.hProcess)) {
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        return;
    }
    m_first = info.dwProcessId;
    m_processes.push_back(info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
}

ProcessTree::~ProcessTree()
{
    if (m_job) {
        TerminateJobObject(m_job, 1);
        CloseHandle(m_job);
    }
    if (m_port)
        CloseHandle(m_port);
    for (HANDLE process : m_processes)
        CloseHandle(process);
}

void ProcessTree::Opened(DWORD processId)
{
    if (processId == m_first)
        return;
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId))
        m_processes.push_back(process);
    else
        m_processes.push_back(nullptr);
}

bool ProcessTree::WaitForAll(DWORD timeoutMs)
{
    if (!Started())
        return false;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        DWORD message = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* data = nullptr;
        if (!GetQueuedCompletionStatus(m_port, &message, &key, &data, static_cast<DWORD>(deadline - now)))
            return false;
        if (message == JOB_OBJECT_MSG_NEW_PROCESS)
            Opened(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(data)));
        else if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO)
            break;
    }
    m_exitCodes.clear();
    for (HANDLE process : m_processes) {
        DWORD code = 0;
        m_exitCodes.push_back(process && GetExitCodeProcess(process, &code) ? static_cast<long long>(code) : -1);
    }
    return true;
}

}  // namespace instauxtest
