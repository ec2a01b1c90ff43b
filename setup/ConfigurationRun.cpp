// The configuration run: the sheet's modal operation. Loads every general
// setting into the pages, runs the sheet and, after OK only, writes them
// back and stores a changed card address (or makes sure the driver runs).
#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "setup/ConfigureSheet.h"
#include "setup/GeneralSettings.h"
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
        LoadGeneralSettings(SettingFile::Program, general);
    }
    {
        ProfileFileScope scope(app.ToolsIniPath);
        LoadGeneralSettings(SettingFile::Tools, general);
    }
    {
        ProfileFileScope scope(app.ControlIniPath);
        LoadGeneralSettings(SettingFile::Control, general);
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
        SaveGeneralSettings(SettingFile::Program, general);
    }
    {
        ProfileFileScope scope(app.ToolsIniPath);
        SaveGeneralSettings(SettingFile::Tools, general);
    }
    {
        ProfileFileScope scope(app.ControlIniPath);
        SaveGeneralSettings(SettingFile::Control, general);
    }
    return result;
}

}  // namespace keld
