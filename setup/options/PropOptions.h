// The Options page: loads the extension modules registered under
// "SetupExtensions" when its window is created, lists the installed
// options with check marks, shows the selected option's settings, removes
// and reinstalls options, and on closing lets every option save or
// discard its settings.
#pragma once
#include "framework/CheckListBox.h"
#include "framework/PropertySheet.h"

#include <string>
#include <unordered_set>
#include <vector>

class COption;

namespace keld {

class CPropOptions : public fw::CPropertyPage {
public:
    CPropOptions();
    ~CPropOptions() override;

    // Takes ownership of `option`; non-zero when it was kept.
    int AddOption(COption* option);
    void UpdateSelection();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    bool OnCommandMessage(UINT id, UINT code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    void LoadExtensions();
    void LoadExtension(const std::string& module, const std::string& entryPoint);
    // Whether the object is already listed or among the removed options.
    bool Owns(const COption* option) const;
    void OnCheckChange();
    void ApplyCheckMark(int index);
    void DrawSettingsOnThePageBackground();
    void OnDefaults();
    void OnRemove();
    void OnReinstall();
    void WarnAboutAtcWithHighSpeedSpindle();

    fw::CWnd removeButton;
    fw::CWnd reinstallButton;
    fw::CCheckListBox optionList;
    RECT settingsRect{};
    int cancelled = 0;
    COption* currentOption = nullptr;
    std::vector<COption*> removedOptions;
    // Every option the page holds, listed or removed: the check that a
    // factory's result is not taken twice costs no walk of the list.
    std::unordered_set<const COption*> heldOptions;
};

}  // namespace keld
