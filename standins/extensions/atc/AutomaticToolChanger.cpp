// An automatic tool changer: whether it is fitted and how many tool pockets
// its carousel has, kept as "EnableATC" and "ATCPockets" under "Settings"
// in KELD4K.INI.
//
// Registered as "ATC,MakeOption".
#include "../common/SettingsWindow.h"

#include <SetupExtension.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kKeyName = "ATC";
constexpr int kDefaultPockets = 8;
constexpr int kFitted = 100, kPockets = 101;

class CAutomaticToolChanger : public COption {
public:
    CAutomaticToolChanger()
    {
        flags |= OPT_HASOPTIONS;
        if (GetOptionInstalledOrEnabled(kKeyName, 0))
            flags |= OPT_ENABLED;
    }

    void GetName(char* buffer) const override { std::strcpy(buffer, "ATC..."); }
    void GetOptionName(char* buffer) const override { std::strcpy(buffer, kKeyName); }

    int LoadSettings() override
    {
        m_fitted = SetupGetProfileInt(SETUP_PROFILE_PROGRAM, "Settings", "EnableATC", 0) != 0;
        m_pockets = static_cast<int>(SetupGetProfileInt(SETUP_PROFILE_PROGRAM, "Settings", "ATCPockets", kDefaultPockets));
        return 1;
    }

    int CreateOptWindow(HWND page) override
    {
        window = sample::MakeSettingsWindow(page);
        if (!window)
            return 0;
        sample::AddControl(window, "BUTTON", "&Enable the tool changer", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 5, 130, 10,
                           kFitted);
        sample::AddControl(window, "STATIC", "Tool &pockets:", 0, 5, 24, 60, 8, -1);
        sample::AddControl(window, "EDIT", "", ES_NUMBER | WS_BORDER | WS_TABSTOP, 70, 22, 30, 12, kPockets);
        Show(m_fitted, m_pockets);
        return 1;
    }

    int LoadDefaults() override
    {
        Show(false, kDefaultPockets);
        return 1;
    }

    int SaveSettings(int save) override
    {
        if (!save)
            return 1;
        SetOptionInstalledOrEnabled(kKeyName, 0, IsEnabled() ? 1 : 0);
        if (!window)
            return 1;
        bool fitted = SendMessageA(sample::Control(window, kFitted), BM_GETCHECK, 0, 0) == BST_CHECKED;
        char text[16] = {};
        GetWindowTextA(sample::Control(window, kPockets), text, sizeof text);
        int pockets = std::atoi(text);
        SetupWriteProfileInt(SETUP_PROFILE_PROGRAM, "Settings", "EnableATC", fitted ? 1 : 0);
        SetupWriteProfileInt(SETUP_PROFILE_PROGRAM, "Settings", "ATCPockets", pockets > 0 ? pockets : kDefaultPockets);
        return 1;
    }

private:
    void Show(bool fitted, int pockets)
    {
        SendMessageA(sample::Control(window, kFitted), BM_SETCHECK, fitted ? BST_CHECKED : BST_UNCHECKED, 0);
        char text[16];
        std::snprintf(text, sizeof text, "%d", pockets);
        SetWindowTextA(sample::Control(window, kPockets), text);
    }

    bool m_fitted = false;
    int m_pockets = kDefaultPockets;
};

}  // namespace

extern "C" __declspec(dllexport) COption* MakeOption()
{
    return new CAutomaticToolChanger;
}
