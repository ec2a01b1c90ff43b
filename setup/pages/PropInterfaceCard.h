// Interface Card page: the card's port address and its DIP switch.
#pragma once
#include "setup/pages/CardPictures.h"
#include "setup/valueentry/ValueField.h"

#include <cstdint>

namespace keld {

class CPropInterfaceCard : public CPropertyPageBase {
public:
    CPropInterfaceCard();

    fw::CWnd spin;
    fw::CWnd addressText;
    CDipSwitchButton dipSwitch;
    CTransparentBitmapButton cardPicture;
    uint16_t address = 0;  // set before the sheet runs, read after it closed

protected:
    void DoDataExchange(fw::CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnCommandMessage(UINT id, UINT code, HWND control) override;

private:
    void Refresh();
};

}  // namespace keld
