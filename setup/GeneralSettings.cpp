#include "setup/GeneralSettings.h"

#include "framework/App.h"
#include "setup/ProfileSettings.h"
#include "setup/valueentry/ValueField.h"

namespace keld {

namespace {

constexpr int kOnline = 4;

int StoredInteger(const GeneralSetting& setting)
{
    return static_cast<int>(fw::CWinApp::Current()->GetProfileInt(setting.section, setting.key,
                                                                   static_cast<int>(setting.defaultValue)));
}

}  // namespace

void LoadGeneralSettings(SettingFile file, CPropGeneral& page)
{
    for (const GeneralSetting& setting : kGeneralSettings) {
        if (setting.file != file)
            continue;
        switch (setting.kind) {
        case SettingKind::Number:
            page.*setting.number = GetProfileDouble(setting.section, setting.key, setting.defaultValue);
            break;
        case SettingKind::Integer:
            page.*setting.integer = StoredInteger(setting);
            break;
        case SettingKind::OfflineFlag:
            page.*setting.integer = StoredInteger(setting) == 0 ? 1 : 0;
            break;
        case SettingKind::Units:
            InchUnits = StoredInteger(setting) == 0 ? 1 : 0;
            break;
        }
    }
}

void SaveGeneralSettings(SettingFile file, const CPropGeneral& page)
{
    fw::CWinApp& app = *fw::CWinApp::Current();
    for (const GeneralSetting& setting : kGeneralSettings) {
        if (setting.file != file)
            continue;
        switch (setting.kind) {
        case SettingKind::Number:
            app.WriteProfileString(setting.section, setting.key,
                                   StoredValueText(page.*setting.number, setting.field.kind, InchUnits != 0,
                                                   page.GetDecimalPlaces(setting.field.id))
                                       .c_str());
            break;
        case SettingKind::Integer:
            app.WriteProfileInt(setting.section, setting.key, page.*setting.integer);
            break;
        case SettingKind::OfflineFlag:
            app.WriteProfileInt(setting.section, setting.key, page.*setting.integer ? 0 : kOnline);
            break;
        case SettingKind::Units:
            app.WriteProfileInt(setting.section, setting.key, InchUnits ? 0 : 1);
            break;
        }
    }
}

void ApplyGeneralDefaults(CPropGeneral& page)
{
    for (const GeneralSetting& setting : kGeneralSettings) {
        switch (setting.kind) {
        case SettingKind::Number:
            page.*setting.number = setting.defaultValue;
            break;
        case SettingKind::Integer:
            page.*setting.integer = static_cast<int>(setting.defaultValue);
            break;
        case SettingKind::OfflineFlag:
            page.*setting.integer = setting.defaultValue == 0 ? 1 : 0;
            break;
        case SettingKind::Units:
            break;
        }
    }
}

}  // namespace keld
