// The configuration program's application object.
#pragma once
#include "framework/App.h"
#include "resources/ProductConstants.h"

#include <string>

namespace keld {

class CSetupApp : public fw::CWinApp {
public:
    CSetupApp();
    ~CSetupApp() override;

    BOOL InitInstance() override;

    std::string ProgramIniPath;
    std::string TestIniPath;
    std::string ControlIniPath;
    std::string ToolsIniPath;
    bool IsWindowsNT = false;

    // Start-up steps 3 and 4; also used by tests that build a sheet without
    // going through start-up.
    void DetectPlatform();
    void BuildPaths();

private:
    bool AcquireInstanceLock();
    bool ProfileFilesUsable();

    HANDLE m_instanceMutex = nullptr;
};

// The program's one application object.
CSetupApp& SetupApp();

// Program folder with a trailing backslash.
std::string GetAppDirectory();

}  // namespace keld
