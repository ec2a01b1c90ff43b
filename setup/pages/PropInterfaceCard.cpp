#include "setup/pages/PropInterfaceCard.h"

#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "setup/pages/CardAddress.h"

#include <commctrl.h>

#include <cstdio>

namespace keld {

CPropInterfaceCard::CPropInterfaceCard() : CPropertyPageBase(IDD_INTERFACE_CARD, 0) {}

void CPropInterfaceCard::DoDataExchange(fw::CDataExchange* dx)
{
    CPropertyPageBase::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_ADDRESS_SPIN, spin);
    fw::DDX_Control(dx, IDC_ADDRESS, addressText);
    fw::DDX_Control(dx, IDC_DIPSWITCH, dipSwitch);
    fw::DDX_Control(dx, IDC_CARD_PICTURE, cardPicture);
}

BOOL CPropInterfaceCard::OnInitDialog()
{
    BOOL result = CPropertyPageBase::OnInitDialog();
    ::SendMessageA(spin, UDM_SETRANGE32, 0, 15);
    ::SendMessageA(spin, UDM_SETPOS32, 0, SwitchPositionIndex(address));
    dipSwitch.Setup(IDB_DIPSWITCH, kCardSwitchCount, kLowestCardAddress, address);
    cardPicture.Setup(IDB_CARD);
    Refresh();
    return result;
}

void CPropInterfaceCard::Refresh()
{
    char text[64];
    std::snprintf(text, sizeof text, fw::LoadResourceString(IDS_ADDRESS_FORMAT).c_str(), address, address);
    ::SetWindowTextA(addressText, text);
    dipSwitch.SetPosition(SwitchPositionIndex(address));
}

bool CPropInterfaceCard::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_ADDRESS_SPIN && header->code == UDN_DELTAPOS) {
        address = StepCardAddress(address, reinterpret_cast<NMUPDOWN*>(header)->iDelta);
        Refresh();
        result = 0;  // the spin control may take its own step
        return true;
    }
    return CPropertyPageBase::OnNotify(header, result);
}

bool CPropInterfaceCard::OnCommandMessage(UINT id, UINT code, HWND)
{
    if (id != IDC_CARD_DEFAULT || code != BN_CLICKED)
        return false;
    address = kDefaultCardAddress;
    Refresh();
    return true;
}

}  // namespace keld
