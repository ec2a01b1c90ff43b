// Welcome page: display units and the machine picture.
#pragma once
#include "framework/PropertySheet.h"
#include "setup/pages/PictureButton.h"

namespace keld {

class CPropOpening : public fw::CPropertyPage {
public:
    CPropOpening();

    int unitsChoice = 0;  // 0 inch, 1 metric
    CPictureButton picture;

    BOOL OnSetActive() override;

protected:
    void DoDataExchange(fw::CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool OnCommandMessage(UINT id, UINT code, HWND control) override;
};

}  // namespace keld
