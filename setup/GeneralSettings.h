// The general settings of the configuration run, one line each: the file,
// section and key they are stored under, how they are read and written,
// their default, and the member of the General page that holds them while
// the sheet runs. Loading, saving and the page's Defaults walk this table.
#pragma once
#include "resources/resource.h"
#include "setup/pages/PropGeneral.h"

#include <array>

namespace keld {

enum class SettingFile { Program, Tools, Control };

enum class SettingKind {
    Number,       // a floating value of a value field, written with "%g" or
                  // as many more digits as show it again as it is shown
    Integer,      // an integer
    OfflineFlag,  // DefaultMachine: 0 starts offline, anything else online (written as 4)
    Units,        // Units: 0 inch, anything else metric; sets InchUnits
};

// The General page's value field that shows a Number setting.
struct SettingField {
    unsigned int id = 0;
    unsigned short kind = 0;  // VF_EXPRESSION, VF_LENGTH
};

struct GeneralSetting {
    SettingFile file;
    const char* section;
    const char* key;
    SettingKind kind;
    double defaultValue;                      // as stored
    double CPropGeneral::*number = nullptr;   // SettingKind::Number
    int CPropGeneral::*integer = nullptr;     // SettingKind::Integer and OfflineFlag
    SettingField field{};                     // SettingKind::Number
};

// In the order in which they are written, file by file.
inline const std::array<GeneralSetting, 9> kGeneralSettings{{
    {SettingFile::Program, "Settings", "DefaultLFactor", SettingKind::Number, -1.0, &CPropGeneral::lFactor, nullptr,
     {IDC_L_FACTOR, VF_EXPRESSION}},
    {SettingFile::Program, "Settings", "DefaultRunFeed", SettingKind::Number, 10.0, &CPropGeneral::runFeedrate,
     nullptr, {IDC_RUN_FEEDRATE, VF_EXPRESSION | VF_LENGTH}},
    {SettingFile::Program, "Settings", "MaxArcRadiiDif", SettingKind::Number, 0.002, &CPropGeneral::maxArcRadiiDif,
     nullptr, {IDC_MAX_ARC_DEVIATION, VF_EXPRESSION | VF_LENGTH}},
    {SettingFile::Program, "Settings", "Units", SettingKind::Units, 0},
    {SettingFile::Tools, "Tools", "ShaftHeight", SettingKind::Number, 1.0, &CPropGeneral::shaftHeight, nullptr,
     {IDC_SHAFT_HEIGHT, VF_EXPRESSION | VF_LENGTH}},
    {SettingFile::Control, "Settings", "DefaultMachine", SettingKind::OfflineFlag, 4, nullptr, &CPropGeneral::offline},
    {SettingFile::Control, "FlowCtl", "MaxSubs", SettingKind::Integer, 20, nullptr, &CPropGeneral::maxSubs},
    {SettingFile::Control, "FlowCtl", "MaxSubDepth", SettingKind::Integer, 20, nullptr, &CPropGeneral::maxSubDepth},
    {SettingFile::Control, "Defaults", "ValueDispPrec", SettingKind::Integer, 4, nullptr, &CPropGeneral::valueDispPrec},
}};

// Each reads or writes the settings of `file` in the current profile file.
void LoadGeneralSettings(SettingFile file, CPropGeneral& page);
void SaveGeneralSettings(SettingFile file, const CPropGeneral& page);
// The defaults of the page's own settings (the units are the Welcome
// page's and stay).
void ApplyGeneralDefaults(CPropGeneral& page);

}  // namespace keld
