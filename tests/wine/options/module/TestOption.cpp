// An extension module for the Options page tests. Copied as NAME.DLL, it
// makes options named after NAME and logs every call the program makes.
//
// Factories: MakeOption (with a settings window), MakePlain (without),
// MakeAlways (always enabled, with settings), MakePermanent (cannot be
// removed, with settings), MakeNull (makes nothing), MakeThrow (throws),
// MakeCached (hands out one object on every call) and MakeThrowingSave
// (its SaveSettings logs, then throws). An option starts
// enabled when its key's "Enabled" is 1. TestOptionLog() returns the log,
// one "NAME:call" entry after the other, separated by ';'; every copy also
// appends its entries to the process's variable TESTOPT_LOG, which shows
// the order across modules.
#include "setup/options/SetupExtension.h"

#include <stdexcept>
#include <string>

namespace {

std::string g_log;

std::string ModuleBaseName()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleBaseName), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of('\\') + 1);
    return name.substr(0, name.find('.'));
}

class CTestOption : public COption {
public:
    explicit CTestOption(uint16_t kind, bool throwOnSave = false) : m_name(ModuleBaseName()), m_throwOnSave(throwOnSave)
    {
        flags = kind;
        if (GetOptionInstalledOrEnabled(m_name.c_str(), 0))
            flags |= OPT_ENABLED;
    }
    ~CTestOption() override { Log("Delete"); }

    void GetName(char* buffer) const override
    {
        std::string shown = m_name + (HasOptions() ? "..." : "");
        lstrcpynA(buffer, shown.c_str(), 128);
    }
    void GetOptionName(char* buffer) const override { lstrcpynA(buffer, m_name.c_str(), 128); }
    int CreateOptWindow(HWND page) override
    {
        Log("CreateOptWindow");
        window = CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", ("settings:" + m_name).c_str(), WS_CHILD, 0, 0, 10,
                                 10, page, nullptr, nullptr, nullptr);
        // 90 x 16 pixels at 96 DPI, in the page's font.
        RECT box{2, 2, 92, 18};
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        HWND check = CreateWindowExA(0, "BUTTON", "setting", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                     MulDiv(box.left, dpi, 96), MulDiv(box.top, dpi, 96),
                                     MulDiv(box.right - box.left, dpi, 96), MulDiv(box.bottom - box.top, dpi, 96),
                                     window, reinterpret_cast<HMENU>(100), nullptr, nullptr);
        SendMessageA(check, WM_SETFONT, SendMessageA(page, WM_GETFONT, 0, 0), FALSE);
        return window != nullptr;
    }
    int LoadSettings() override
    {
        Log("LoadSettings");
        return 1;
    }
    int LoadDefaults() override
    {
        Log("LoadDefaults");
        return 1;
    }
    int SaveSettings(int save) override
    {
        Log("SaveSettings(" + std::to_string(save) + ",enabled=" + (IsEnabled() ? "1" : "0") + ")");
        if (m_throwOnSave)
            throw std::runtime_error("SaveSettings failed");
        return 1;
    }
    int Install(int install) override
    {
        Log("Install(" + std::to_string(install) + ")");
        return COption::Install(install);
    }

private:
    void Log(const std::string& call) const
    {
        std::string entry = m_name + ":" + call + ";";
        g_log += entry;
        char all[8192] = {};
        GetEnvironmentVariableA("TESTOPT_LOG", all, sizeof all);
        SetEnvironmentVariableA("TESTOPT_LOG", (all + entry).c_str());
    }
    std::string m_name;
    bool m_throwOnSave;
};

}  // namespace

extern "C" {

__declspec(dllexport) COption* MakeOption()
{
    return new CTestOption(OPT_HASOPTIONS);
}
__declspec(dllexport) COption* MakePlain()
{
    return new CTestOption(0);
}
__declspec(dllexport) COption* MakeAlways()
{
    return new CTestOption(OPT_HASOPTIONS | OPT_ALWAYSENABLED);
}
__declspec(dllexport) COption* MakePermanent()
{
    return new CTestOption(OPT_HASOPTIONS | OPT_PERMANENT);
}
__declspec(dllexport) COption* MakeNull()
{
    return nullptr;
}
__declspec(dllexport) COption* MakeThrow()
{
    throw std::runtime_error("no option");
}
__declspec(dllexport) COption* MakeCached()
{
    static COption* cached = new CTestOption(OPT_HASOPTIONS);
    return cached;
}
__declspec(dllexport) COption* MakeThrowingSave()
{
    return new CTestOption(OPT_HASOPTIONS, true);
}
__declspec(dllexport) const char* TestOptionLog()
{
    return g_log.c_str();
}

}  // extern "C"
