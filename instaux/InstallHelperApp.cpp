#include "instaux/InstallHelperApp.h"

#include "instaux/PleaseWaitDlg.h"

namespace instaux {

CInstallHelperApp::CInstallHelperApp()
    : fw::CWinApp("KELDORAN Setup")
{
    m_instanceLock = ::CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);
}

CInstallHelperApp::~CInstallHelperApp()
{
    ReleaseInstanceLock();
    if (m_instanceLock)
        ::CloseHandle(m_instanceLock);
}

bool CInstallHelperApp::AcquireInstanceLock()
{
    if (m_lockOwned)
        return true;
    DWORD wait = m_instanceLock ? ::WaitForSingleObject(m_instanceLock, 0) : WAIT_FAILED;
    if (wait == WAIT_OBJECT_0) {
        m_lockOwned = true;
        return true;
    }
    // An abandoned lock counts as held: a program of the product ended
    // without letting go of it. The wait made it ours; give it back.
    if (wait == WAIT_ABANDONED)
        ::ReleaseMutex(m_instanceLock);
    return false;
}

void CInstallHelperApp::ReleaseInstanceLock()
{
    if (m_lockOwned && ::ReleaseMutex(m_instanceLock))
        m_lockOwned = false;
}

bool PathExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace instaux
