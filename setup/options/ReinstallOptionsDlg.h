// The Reinstall Options dialog: lists the options that are loaded but not
// installed and hands back the ones the user checked.
#pragma once
#include "framework/CheckListBox.h"
#include "framework/Dialog.h"

#include <vector>

class COption;

namespace keld {

class CReinstallOptionsDlg : public fw::CDialog {
public:
    CReinstallOptionsDlg();

    // Set by the page before the dialog runs; not owned, not changed.
    const std::vector<COption*>* removedOptions = nullptr;
    // After Reinstall (result 1): the checked options, last item first.
    std::vector<COption*> chosenOptions;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    bool OnCommandMessage(UINT id, UINT code, HWND control) override;

private:
    void UpdateReinstallButton();
    void Reinstall();

    fw::CCheckListBox optionList;
    fw::CWnd reinstallButton;
};

}  // namespace keld
