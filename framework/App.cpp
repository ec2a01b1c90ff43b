#include "framework/App.h"

#include <commctrl.h>
#include <vector>

namespace fw {

CWinApp* CWinApp::s_current = nullptr;

std::string ModulePath(HMODULE module)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

namespace {

HMODULE ModuleOfThisCode()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ModuleOfThisCode), &module);
    return module;
}

std::string ReplaceExtension(const std::string& path, const char* extension)
{
    size_t slash = path.find_last_of("\\/:");
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

std::string FileTitle(const std::string& path)
{
    size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

CWinApp::CWinApp(const char* appName) : m_appName(appName)
{
    s_current = this;
    std::string modulePath = ModulePath(ModuleOfThisCode());
    m_profileName = FileTitle(modulePath) + ".INI";
    m_helpPath = ReplaceExtension(modulePath, ".HLP");
}

CWinApp::~CWinApp()
{
    if (s_current == this)
        s_current = nullptr;
}

HINSTANCE CWinApp::ResourceHandle() const
{
    return m_resources ? m_resources : ModuleOfThisCode();
}

UINT CWinApp::GetProfileInt(const char* section, const char* key, int defaultValue) const
{
    return ::GetPrivateProfileIntA(section, key, defaultValue, m_profileName.c_str());
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* key, int value) const
{
    char text[16];
    wsprintfA(text, "%d", value);
    return ::WritePrivateProfileStringA(section, key, text, m_profileName.c_str());
}

std::string CWinApp::GetProfileString(const char* section, const char* key,
                                      const char* defaultValue) const
{
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD n = ::GetPrivateProfileStringA(section, key, defaultValue, buffer.data(),
                                             static_cast<DWORD>(buffer.size()),
                                             m_profileName.c_str());
        if (n + 1 < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CWinApp::WriteProfileString(const char* section, const char* key, const char* value) const
{
    return ::WritePrivateProfileStringA(section, key, value, m_profileName.c_str());
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command) const
{
    HWND owner = ::GetActiveWindow();
    ::WinHelpA(owner, m_helpPath.c_str(), command, data);
}

int AppMain()
{
    CWinApp* app = CWinApp::Current();
    if (!app)
        return 1;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    int status = 0;
    if (app->InitInstance()) {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        status = static_cast<int>(msg.wParam);
    }
    int exitStatus = app->ExitInstance();
    return status ? status : exitStatus;
}

}  // namespace fw
