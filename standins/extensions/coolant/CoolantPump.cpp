// A coolant pump: an option without a settings window. While it is
// installed and enabled, the machine-control application shows an output
// button for it; removing or disabling the pump withdraws the button.
//
// Registered as "COOLANT,MakeCoolantPump".
#include <SetupExtension.h>

#include <cstring>

namespace {

constexpr const char* kKeyName = "CoolantPump";
constexpr uint16_t kCoolantOutput = 8;
constexpr uint16_t kToolbarButton = 4;

// The pump's output button, as stored in its registry key; the first time
// it is described and stored there.
InOutButtonParms Button()
{
    InOutButtonParms parms{};
    if (GetInOutButtonParms(kKeyName, &parms))
        return parms;
    parms = InOutButtonParms{};
    parms.isOutput = 1;
    parms.mapTo = kCoolantOutput;
    parms.tbBtn = kToolbarButton;
    std::strcpy(parms.desc, "Coolant");
    std::strcpy(parms.offDesc, "Coolant Off");
    std::strcpy(parms.onDesc, "Coolant On");
    parms.flags = 0;
    parms.flagsMask = IOBF_RESET;
    parms.present = IOB_DESC | IOB_OFFDESC | IOB_ONDESC | IOB_MAPTO | IOB_TBBTN;
    SetInOutButtonParms(kKeyName, &parms);
    return parms;
}

class CCoolantPump : public COption {
public:
    CCoolantPump()
    {
        if (GetOptionInstalledOrEnabled(kKeyName, 0))
            flags |= OPT_ENABLED;
    }

    void GetName(char* buffer) const override { std::strcpy(buffer, "Coolant Pump"); }
    void GetOptionName(char* buffer) const override { std::strcpy(buffer, kKeyName); }

    int SaveSettings(int save) override
    {
        if (!save)
            return 1;
        SetOptionInstalledOrEnabled(kKeyName, 0, IsEnabled() ? 1 : 0);
        Publish(IsEnabled() && GetOptionInstalledOrEnabled(kKeyName, 1));
        return 1;
    }

    int Install(int install) override
    {
        int stored = COption::Install(install);
        Publish(install && IsEnabled());
        return stored;
    }

private:
    static void Publish(bool shown)
    {
        InOutButtonParms parms = Button();
        // The button is outputs' own: the machine's isOutput is not stored.
        parms.isOutput = 1;
        ShowInOutButton(&parms, shown ? SIOB_DESCRIBE | SIOB_BUTTON : 0);
    }
};

}  // namespace

extern "C" __declspec(dllexport) COption* MakeCoolantPump()
{
    return new CCoolantPump;
}
