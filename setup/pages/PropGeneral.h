// General page: general machining settings of the machine-control program.
#pragma once
#include "setup/valueentry/ValueField.h"

namespace keld {

class CPropGeneral : public CPropertyPageBase {
public:
    CPropGeneral();

    fw::CWnd subDepthSpin;
    fw::CWnd subCountSpin;
    fw::CWnd placesSpin;
    int offline = 0;
    double lFactor = -1.0;
    double runFeedrate = 10.0;      // inches per minute
    double maxArcRadiiDif = 0.002;  // inches
    int maxSubDepth = 20;
    int maxSubs = 20;
    int valueDispPrec = 4;
    double shaftHeight = 1.0;       // inches

    BOOL OnSetActive() override;
    double GetMaxValue(UINT id) override;
    double GetMinValue(UINT id) override;

protected:
    void DoDataExchange(fw::CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool OnCommandMessage(UINT id, UINT code, HWND control) override;
};

}  // namespace keld
