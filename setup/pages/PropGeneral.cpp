#include "setup/pages/PropGeneral.h"

#include "resources/resource.h"
#include "setup/GeneralSettings.h"

#include <commctrl.h>

namespace keld {

CPropGeneral::CPropGeneral() : CPropertyPageBase(IDD_GENERAL, 0) {}

double CPropGeneral::GetMaxValue(UINT id)
{
    return CValueFieldSet::GetMaxValue(id);
}

double CPropGeneral::GetMinValue(UINT id)
{
    return CValueFieldSet::GetMinValue(id);
}

BOOL CPropGeneral::OnInitDialog()
{
    for (const GeneralSetting& setting : kGeneralSettings) {
        if (setting.kind == SettingKind::Number)
            AddField(setting.field.id, setting.field.kind, 0.0);
    }
    BOOL result = CPropertyPageBase::OnInitDialog();
    ::SendMessageA(placesSpin, UDM_SETRANGE32, 1, 8);
    ::SendMessageA(subCountSpin, UDM_SETRANGE32, 1, 100);
    ::SendMessageA(subDepthSpin, UDM_SETRANGE32, 1, 100);
    return result;
}

void CPropGeneral::DoDataExchange(fw::CDataExchange* dx)
{
    CPropertyPageBase::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_MAX_SUB_DEPTH_SPIN, subDepthSpin);
    fw::DDX_Control(dx, IDC_MAX_SUBS_SPIN, subCountSpin);
    fw::DDX_Control(dx, IDC_DECIMAL_PLACES_SPIN, placesSpin);
    fw::DDX_Check(dx, IDC_RUN_OFFLINE, offline);
    DDX_ValueField(this, dx, IDC_L_FACTOR, lFactor);
    DDX_ValueField(this, dx, IDC_RUN_FEEDRATE, runFeedrate);
    DDX_ValueField(this, dx, IDC_MAX_ARC_DEVIATION, maxArcRadiiDif);
    fw::DDX_Text(dx, IDC_MAX_SUB_DEPTH, maxSubDepth);
    fw::DDX_Text(dx, IDC_MAX_SUBS, maxSubs);
    fw::DDX_Text(dx, IDC_DECIMAL_PLACES, valueDispPrec);
    DDX_ValueField(this, dx, IDC_SHAFT_HEIGHT, shaftHeight);
}

BOOL CPropGeneral::OnSetActive()
{
    ShowAllFields();
    return CPropertyPageBase::OnSetActive();
}

bool CPropGeneral::OnCommandMessage(UINT id, UINT code, HWND)
{
    if (id != IDC_GENERAL_DEFAULTS || code != BN_CLICKED)
        return false;
    ApplyGeneralDefaults(*this);
    UpdateData(FALSE);
    return true;
}

}  // namespace keld
