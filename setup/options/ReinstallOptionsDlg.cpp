#include "setup/options/ReinstallOptionsDlg.h"

#include "resources/resource.h"
#include "setup/options/OptionNames.h"

namespace keld {

CReinstallOptionsDlg::CReinstallOptionsDlg() : fw::CDialog(IDD_REINSTALL_OPTIONS) {}

void CReinstallOptionsDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Control(dx, IDC_REMOVED_LIST, optionList);
    fw::DDX_Control(dx, IDC_REINSTALL_CHOSEN, reinstallButton);
}

BOOL CReinstallOptionsDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (removedOptions) {
        for (COption* option : *removedOptions) {
            int index = optionList.AddString(OptionDisplayName(*option));
            if (index >= 0)
                optionList.SetItemDataPtr(index, option);
        }
    }
    UpdateReinstallButton();

    // Centred over the owner window (the sheet).
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    RECT area{}, dialog{};
    if (owner)
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(m_hWnd, &dialog);
    int width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
    ::SetWindowPos(m_hWnd, nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CReinstallOptionsDlg::UpdateReinstallButton()
{
    bool anyChecked = false;
    for (int index = optionList.GetCount() - 1; index >= 0 && !anyChecked; --index)
        anyChecked = optionList.GetCheck(index);
    ::EnableWindow(reinstallButton, anyChecked);
}

void CReinstallOptionsDlg::Reinstall()
{
    chosenOptions.clear();
    for (int index = optionList.GetCount() - 1; index >= 0; --index) {
        if (optionList.GetCheck(index))
            chosenOptions.push_back(static_cast<COption*>(optionList.GetItemDataPtr(index)));
    }
    EndDialog(IDOK);
}

bool CReinstallOptionsDlg::OnCommandMessage(UINT id, UINT code, HWND)
{
    if (id == IDC_REMOVED_LIST && (code == LBN_SELCHANGE || code == fw::CLBN_CHKCHANGE)) {
        UpdateReinstallButton();
        return true;
    }
    if (id == IDC_REINSTALL_CHOSEN && code == BN_CLICKED) {
        Reinstall();
        return true;
    }
    return false;
}

}  // namespace keld
