// The spindle fitted to the machine, chosen from a list and kept as
// "SpindleType" under "Settings" in KELD4K.INI.
//
// Registered as "SPINDLE,MakeOption".
#include "../common/SettingsWindow.h"

#include <SetupExtension.h>

#include <cstring>

namespace {

constexpr const char* kKeyName = "Spindle";
constexpr int kTypes = 100;

struct SpindleKind {
    const char* shown;
    const char* stored;
};
constexpr SpindleKind kKinds[] = {
    {"Standard spindle", "StandardSpindle"},
    {"High speed spindle", "HighSpeedSpindle"},
    {"Belt drive spindle", "BeltDriveSpindle"},
};
constexpr int kDefaultKind = 0;

class CSpindleType : public COption {
public:
    CSpindleType()
    {
        flags |= OPT_HASOPTIONS;
        if (GetOptionInstalledOrEnabled(kKeyName, 0))
            flags |= OPT_ENABLED;
    }

    void GetName(char* buffer) const override { std::strcpy(buffer, "Spindle..."); }
    void GetOptionName(char* buffer) const override { std::strcpy(buffer, kKeyName); }

    int LoadSettings() override
    {
        char stored[64] = {};
        SetupGetProfileString(SETUP_PROFILE_PROGRAM, "Settings", "SpindleType", kKinds[kDefaultKind].stored, stored,
                              sizeof stored - 1);
        m_kind = kDefaultKind;
        for (int kind = 0; kind < static_cast<int>(sizeof kKinds / sizeof kKinds[0]); ++kind) {
            if (lstrcmpiA(stored, kKinds[kind].stored) == 0)
                m_kind = kind;
        }
        return 1;
    }

    int CreateOptWindow(HWND page) override
    {
        window = sample::MakeSettingsWindow(page);
        if (!window)
            return 0;
        sample::AddControl(window, "STATIC", "Spindle &type:", 0, 5, 5, 100, 8, -1);
        HWND list = sample::AddControl(window, "LISTBOX", "", LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 5, 16,
                                       130, 50, kTypes);
        for (const SpindleKind& kind : kKinds)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind.shown));
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(m_kind), 0);
        return 1;
    }

    int LoadDefaults() override
    {
        SendMessageA(sample::Control(window, kTypes), LB_SETCURSEL, kDefaultKind, 0);
        return 1;
    }

    int SaveSettings(int save) override
    {
        if (!save)
            return 1;
        SetOptionInstalledOrEnabled(kKeyName, 0, IsEnabled() ? 1 : 0);
        if (!window)
            return 1;
        LRESULT kind = SendMessageA(sample::Control(window, kTypes), LB_GETCURSEL, 0, 0);
        if (kind >= 0 && kind < static_cast<LRESULT>(sizeof kKinds / sizeof kKinds[0]))
            SetupWriteProfileString(SETUP_PROFILE_PROGRAM, "Settings", "SpindleType", kKinds[kind].stored);
        return 1;
    }

private:
    int m_kind = kDefaultKind;
};

}  // namespace

extern "C" __declspec(dllexport) COption* MakeOption()
{
    return new CSpindleType;
}
