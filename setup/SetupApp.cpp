#include "setup/SetupApp.h"

#include "framework/MessageBox.h"
#include "framework/ServiceControl.h"
#include "resources/resource.h"
#include "setup/ConfigureSheet.h"
#include "setup/StartupRules.h"

#include <io.h>

namespace keld {

CSetupApp& SetupApp()
{
    return *static_cast<CSetupApp*>(fw::CWinApp::Current());
}

std::string GetAppDirectory()
{
    return AppDirectoryOf(fw::ModulePath());
}

CSetupApp::CSetupApp() : fw::CWinApp("KELDORAN Setup")
{
    m_instanceMutex = ::CreateMutexA(nullptr, FALSE, kInstanceMutexName);
}

CSetupApp::~CSetupApp()
{
    if (m_instanceMutex)
        ::CloseHandle(m_instanceMutex);
}

bool CSetupApp::AcquireInstanceLock()
{
    // Only a plain "signalled" counts: an abandoned lock means the
    // machine-control application ended without letting go of it.
    return m_instanceMutex && ::WaitForSingleObject(m_instanceMutex, 0) == WAIT_OBJECT_0;
}

void CSetupApp::DetectPlatform()
{
    IsWindowsNT = fw::IsWindowsNT();
}

void CSetupApp::BuildPaths()
{
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    ProfilePaths paths = BuildProfilePaths(GetAppDirectory(), windows);
    ProgramIniPath = paths.program;
    TestIniPath = paths.test;
    ControlIniPath = paths.control;
    ToolsIniPath = paths.tools;
}

bool CSetupApp::ProfileFilesUsable()
{
    ProfilePaths paths{ProgramIniPath, TestIniPath, ControlIniPath, ToolsIniPath};
    std::vector<std::string> failing;
    for (const std::string& path : FilesInTestOrder(paths)) {
        if (_access(path.c_str(), 6) != 0)
            failing.push_back(path);
    }
    if (failing.empty())
        return true;
    fw::AppMessageBox(MissingFilesMessage(fw::LoadResourceString(IDS_FILES_HEAD), failing,
                                          fw::LoadResourceString(IDS_FILES_TAIL)));
    return false;
}

BOOL CSetupApp::InitInstance()
{
    Enable3dControlsStatic();
    if (!AcquireInstanceLock()) {
        fw::AppMessageBox(IDS_ALREADY_RUNNING);
        return FALSE;
    }
    DetectPlatform();
    BuildPaths();
    if (!ProfileFilesUsable())
        return FALSE;
    int startPage = StartPageForCommandLine(ArgumentsOfCommandLine(::GetCommandLineA()));
    {
        CConfigureSheet sheet(AppName(), nullptr, static_cast<UINT>(startPage));
        sheet.DoModal();
    }
    return FALSE;
}

}  // namespace keld
