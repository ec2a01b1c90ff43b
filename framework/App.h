// Application object: one per module, named, with the current profile file
// and the help file of the module.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

class CWinApp {
public:
    explicit CWinApp(const char* appName);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up hook. FALSE means: do not enter a message loop, end now.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }

    const std::string& AppName() const { return m_appName; }
    HINSTANCE ResourceHandle() const;
    void SetResourceHandle(HINSTANCE module) { m_resources = module; }

    // Switches dialog controls to the three-dimensional look. Common
    // controls 6 always draw that way, so there is nothing left to do.
    void Enable3dControlsStatic() {}

    // Current profile file used by the profile functions below. Its initial
    // value is the module's file title + ".INI", resolved by the platform in
    // the Windows folder.
    const std::string& ProfileName() const { return m_profileName; }
    void SetProfileName(const std::string& name) { m_profileName = name; }

    UINT GetProfileInt(const char* section, const char* key, int defaultValue) const;
    BOOL WriteProfileInt(const char* section, const char* key, int value) const;
    std::string GetProfileString(const char* section, const char* key,
                                 const char* defaultValue = "") const;
    BOOL WriteProfileString(const char* section, const char* key, const char* value) const;

    // Help file: the module's path with the extension ".HLP".
    const std::string& HelpFilePath() const { return m_helpPath; }
    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT) const;

    static CWinApp* Current() { return s_current; }

private:
    std::string m_appName;
    std::string m_profileName;
    std::string m_helpPath;
    HINSTANCE m_resources = nullptr;
    static CWinApp* s_current;
};

// Body of WinMain for programs that own a CWinApp object.
int AppMain();

// Full path of the module that contains this code.
std::string ModulePath(HMODULE module = nullptr);

}  // namespace fw
