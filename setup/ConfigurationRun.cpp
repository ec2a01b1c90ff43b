// The configuration run: the sheet's modal operation. Loads every general
// setting into the pages, runs the sheet and, after OK only, writes them
// back and stores a changed card address (or makes sure the driver runs).
#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "setup/ConfigureSheet.h"
#include "setup/ProfileFileScope.h"
#include "setup/ProfileSettings.h"
#include "setup/SetupApp.h"
#include "setup/options/PropOptions.h"
#include "setup/pages/BoardAddress.h"
#include "setup/pages/CardAddress.h"
#include "setup/pages/DriverService.h"
#include "setup/pages/PropGeneral.h"
#include "setup/pages/PropInterfaceCard.h"
#include "setup/pages/PropOpening.h"
#include "setup/valueentry/ValueField.h"

#include <cstdint>

namespace keld {

INT_PTR CConfigureSheet::DoModal()
{
    CSetupApp& app = SetupApp();
    CPropOpening welcome;
    CPropGeneral general;
    CPropOptions options;
    CPropInterfaceCard interfaceCard;
    AddPage(&welcome);
    AddPage(&general);
    AddPage(&options);
    AddPage(&interfaceCard);

    int readAddress = 0;
    bool addressUnknown = false;
    {
        ProfileFileScope scope(app.ProgramIniPath);
        if (!GetBoardAddress(readAddress)) {
            fw::AppMessageBox(IDS_NO_DRIVER_INFO);
            readAddress = kDefaultCardAddress;
            addressUnknown = true;
        }
        interfaceCard.address = static_cast<uint16_t>(readAddress);
        general.lFactor = GetProfileDouble("Settings", "DefaultLFactor", -1.0);
        general.runFeedrate = GetProfileDouble("Settings", "DefaultRunFeed", 10.0);
        general.maxArcRadiiDif = GetProfileDouble("Settings", "MaxArcRadiiDif", 0.002);
        InchUnits = app.GetProfileInt("Settings", "Units", 0) == 0 ? 1 : 0;
    }
    {
        ProfileFileScope scope(app.ToolsIniPath);
        general.shaftHeight = GetProfileDouble("Tools", "ShaftHeight", 1.0);
    }
    {
        ProfileFileScope scope(app.ControlIniPath);
        general.offline = app.GetProfileInt("Settings", "DefaultMachine", 4) == 0 ? 1 : 0;
        general.maxSubs = static_cast<int>(app.GetProfileInt("FlowCtl", "MaxSubs", 20));
        general.maxSubDepth = static_cast<int>(app.GetProfileInt("FlowCtl", "MaxSubDepth", 20));
        general.valueDispPrec = static_cast<int>(app.GetProfileInt("Defaults", "ValueDispPrec", 4));
    }

    INT_PTR result = RunModalLoop();
    if (result != IDOK)
        return result;

    {
        ProfileFileScope scope(app.ProgramIniPath);
        if (interfaceCard.address != readAddress && !addressUnknown)
            SetBoardAddress(interfaceCard.address);
        else if (app.IsWindowsNT)
            StartBoardDriver(true);
        WriteProfileDouble("Settings", "DefaultLFactor", general.lFactor);
        WriteProfileDouble("Settings", "DefaultRunFeed", general.runFeedrate);
        WriteProfileDouble("Settings", "MaxArcRadiiDif", general.maxArcRadiiDif);
        app.WriteProfileInt("Settings", "Units", InchUnits ? 0 : 1);
    }
    {
        ProfileFileScope scope(app.ToolsIniPath);
        WriteProfileDouble("Tools", "ShaftHeight", general.shaftHeight);
    }
    {
        ProfileFileScope scope(app.ControlIniPath);
        app.WriteProfileInt("Settings", "DefaultMachine", general.offline ? 0 : 4);
        app.WriteProfileInt("FlowCtl", "MaxSubs", general.maxSubs);
        app.WriteProfileInt("FlowCtl", "MaxSubDepth", general.maxSubDepth);
        app.WriteProfileInt("Defaults", "ValueDispPrec", general.valueDispPrec);
    }
    return result;
}

}  // namespace keld
