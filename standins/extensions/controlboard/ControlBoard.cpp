// The machine's control board: always fitted, so it can be neither removed
// nor disabled. Its one setting, whether the board beeps on an emergency
// stop, is kept as "BoardBeep" under "Settings" in KELD4K.INI.
//
// Registered as "CTRLBRD,MakeOption".
#include "../common/SettingsWindow.h"

#include <SetupExtension.h>

#include <cstring>

namespace {

constexpr const char* kKeyName = "ControlBoard";
constexpr int kBeep = 100;

class CControlBoard : public COption {
public:
    CControlBoard() { flags |= OPT_HASOPTIONS | OPT_PERMANENT | OPT_ALWAYSENABLED | OPT_ENABLED; }

    void GetName(char* buffer) const override { std::strcpy(buffer, "Control Board..."); }
    void GetOptionName(char* buffer) const override { std::strcpy(buffer, kKeyName); }

    int LoadSettings() override
    {
        m_beep = SetupGetProfileInt(SETUP_PROFILE_PROGRAM, "Settings", "BoardBeep", 1) != 0;
        return 1;
    }

    int CreateOptWindow(HWND page) override
    {
        window = sample::MakeSettingsWindow(page);
        if (!window)
            return 0;
        sample::AddControl(window, "STATIC", "The control board is part of every machine.", 0, 5, 5, 135, 18, -1);
        HWND beep = sample::AddControl(window, "BUTTON", "&Beep on emergency stop", BS_AUTOCHECKBOX | WS_TABSTOP, 5,
                                       28, 130, 10, kBeep);
        SendMessageA(beep, BM_SETCHECK, m_beep ? BST_CHECKED : BST_UNCHECKED, 0);
        return 1;
    }

    int LoadDefaults() override
    {
        SendMessageA(sample::Control(window, kBeep), BM_SETCHECK, BST_CHECKED, 0);
        return 1;
    }

    int SaveSettings(int save) override
    {
        if (save && window) {
            bool beep = SendMessageA(sample::Control(window, kBeep), BM_GETCHECK, 0, 0) == BST_CHECKED;
            SetupWriteProfileInt(SETUP_PROFILE_PROGRAM, "Settings", "BoardBeep", beep ? 1 : 0);
        }
        return 1;
    }

private:
    bool m_beep = true;
};

}  // namespace

extern "C" __declspec(dllexport) COption* MakeOption()
{
    return new CControlBoard;
}
