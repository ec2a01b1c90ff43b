#include "setup/options/PropOptions.h"
#include "resources/ProductConstants.h"

#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "setup/ConfigureSheet.h"
#include "setup/ProfileFileScope.h"
#include "setup/SetupApp.h"
#include "setup/options/ExtensionRegistration.h"
#include "setup/options/OptionNames.h"
#include "setup/options/ReinstallOptionsDlg.h"
#include "setup/options/SetupExtension.h"

#include <algorithm>

namespace keld {

CPropOptions::CPropOptions() : fw::CPropertyPage(IDD_OPTIONS) {}

// Options still removed at closing are the page's too.
CPropOptions::~CPropOptions()
{
    for (COption* option : removedOptions)
        delete option;
}

void CPropOptions::DoDataExchange(fw::CDataExchange* dx)
{
    fw::CPropertyPage::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_REMOVE, removeButton);
    fw::DDX_Control(dx, IDC_REINSTALL, reinstallButton);
    fw::DDX_Control(dx, IDC_OPTION_LIST, optionList);
}

BOOL CPropOptions::OnInitDialog()
{
    fw::CPropertyPage::OnInitDialog();
    HWND placeholder = GetDlgItem(IDC_SETTINGS_AREA);
    ::GetWindowRect(placeholder, &settingsRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&settingsRect), 2);
    ::ShowWindow(placeholder, SW_HIDE);

    LoadExtensions();

    optionList.SetCurSel(0);
    UpdateSelection();
    ::SetFocus(optionList);
    return FALSE;
}

void CPropOptions::LoadExtensions()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupExtensionsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        char name[kRegistrationNameCapacity];
        char data[kRegistrationDataCapacity];
        DWORD nameLength = sizeof name;
        DWORD dataSize = sizeof data;
        if (::RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                            &dataSize) != ERROR_SUCCESS)
            break;
        std::optional<std::string> text = RegistrationText(data, dataSize, sizeof data);
        if (!text)
            break;
        std::optional<ExtensionRegistration> registration = SplitExtensionRegistration(*text);
        if (!registration)
            break;
        LoadExtension(registration->module, registration->entryPoint);
    }
    ::RegCloseKey(key);
}

// A module that cannot be loaded, lacks the entry point or makes no
// option is passed over; a loaded module stays loaded.
void CPropOptions::LoadExtension(const std::string& module, const std::string& entryPoint)
{
    if (!IsPlainModuleName(module))
        return;
    const std::string path = ExtensionModulePath(GetAppDirectory(), module);
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    UINT previousMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE loaded = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ::SetErrorMode(previousMode);
    if (!loaded)
        return;
    auto factory = reinterpret_cast<OptionFactory>(
        reinterpret_cast<void*>(::GetProcAddress(loaded, entryPoint.c_str())));
    if (!factory)
        return;
    if (COption* option = factory())
        AddOption(option);
}

int CPropOptions::AddOption(COption* option)
{
    if (!option->Initialize(m_hWnd, &settingsRect)) {
        delete option;
        return 0;
    }
    if (!GetOptionInstalledOrEnabled(OptionKeyName<256>(*option).c_str(), 1)) {
        removedOptions.push_back(option);
        return 1;
    }
    int index = optionList.AddString(OptionDisplayName<256>(*option));
    if (index < 0) {
        delete option;
        return 0;
    }
    optionList.SetCheck(index, option->IsEnabled() != 0);
    return optionList.SetItemDataPtr(index, option) ? 1 : 0;
}

void CPropOptions::UpdateSelection()
{
    int selected = optionList.GetCurSel();
    if (selected < 0) {
        ::EnableWindow(removeButton, FALSE);
    } else {
        auto* option = static_cast<COption*>(optionList.GetItemDataPtr(selected));
        if (option != currentOption) {
            if (currentOption)
                currentOption->Show(0);
            currentOption = option;
            option->Show(1);
            option->SetEnabled(optionList.GetCheck(selected) ? 1 : 0);
        }
        ::SetFocus(optionList);
        ::EnableWindow(removeButton, option->IsPermanent() ? FALSE : TRUE);
    }
    ::EnableWindow(reinstallButton, removedOptions.empty() ? FALSE : TRUE);
}

// The selected item's check mark and its option's enabled state agree; an
// always-enabled option gets its mark back.
void CPropOptions::OnCheckChange()
{
    int index = static_cast<int>(::SendMessageA(optionList, LB_GETCARETINDEX, 0, 0));
    if (index < 0 || index != optionList.GetCurSel())
        return;
    auto* option = static_cast<COption*>(optionList.GetItemDataPtr(index));
    if (option != currentOption)
        return;
    bool checked = optionList.GetCheck(index);
    if (!checked && option->IsAlwaysEnabled())
        optionList.SetCheck(index, true);
    else
        option->SetEnabled(checked ? 1 : 0);
}

void CPropOptions::OnDefaults()
{
    if (currentOption)
        currentOption->LoadDefaults();
}

void CPropOptions::OnRemove()
{
    int selected = optionList.GetCurSel();
    if (selected < 0)
        return;
    auto* option = static_cast<COption*>(optionList.GetItemDataPtr(selected));
    const std::string question = fw::FormatResourceString(IDS_REMOVE_OPTION, OptionDisplayName(*option));
    if (fw::AppMessageBox(question, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES)
        return;

    option->Show(0);
    option->Install(0);
    option->SaveAndClose(1);
    currentOption = nullptr;
    removedOptions.push_back(option);
    optionList.DeleteString(selected);

    int count = optionList.GetCount();
    int next = selected < count ? selected : selected - 1;
    optionList.SetCurSel(next);
    ::SetFocus(optionList);
    UpdateSelection();
}

void CPropOptions::OnReinstall()
{
    CReinstallOptionsDlg dialog;
    dialog.removedOptions = &removedOptions;
    if (dialog.DoModal(::GetAncestor(m_hWnd, GA_ROOT)) != IDOK)
        return;
    for (COption* option : dialog.chosenOptions) {
        int index = optionList.AddString(OptionDisplayName(*option));
        if (index < 0)
            continue;
        optionList.SetCheck(index, true);
        option->SetEnabled(1);
        optionList.SetItemDataPtr(index, option);
        removedOptions.erase(std::find(removedOptions.begin(), removedOptions.end(), option));
        option->Install(1);
    }
    ::EnableWindow(reinstallButton, removedOptions.empty() ? FALSE : TRUE);
}

bool CPropOptions::OnCommandMessage(UINT id, UINT code, HWND)
{
    if (id == IDC_OPTION_LIST) {
        if (code == LBN_SELCHANGE)
            UpdateSelection();
        else if (code == fw::CLBN_CHKCHANGE)
            OnCheckChange();
        else
            return false;
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_OPTION_DEFAULTS:
        OnDefaults();
        return true;
    case IDC_REMOVE:
        OnRemove();
        return true;
    case IDC_REINSTALL:
        OnReinstall();
        return true;
    default:
        return false;
    }
}

bool CPropOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_SHEETCLOSING)
        return false;
    cancelled = wParam == 0 ? 1 : 0;
    result = 0;
    return true;
}

void CPropOptions::OnDestroy()
{
    for (int index = optionList.GetCount() - 1; index >= 0; --index) {
        auto* option = static_cast<COption*>(optionList.GetItemDataPtr(index));
        option->SaveAndClose(cancelled == 0 ? 1 : 0);
        delete option;
    }
    currentOption = nullptr;
    WarnAboutAtcWithHighSpeedSpindle();
}

// Runs after the options have saved, whether the sheet was cancelled or not.
void CPropOptions::WarnAboutAtcWithHighSpeedSpindle()
{
    ProfileFileScope scope(SetupApp().ProgramIniPath);
    fw::CWinApp& app = *fw::CWinApp::Current();
    bool atcEnabled = app.GetProfileInt("Settings", "EnableATC", 0) != 0;
    std::string spindle = app.GetProfileString("Settings", "SpindleType", "");
    if (atcEnabled && ::lstrcmpiA(spindle.c_str(), "HighSpeedSpindle") == 0)
        fw::AppMessageBox(IDS_ATC_SPINDLE_CONFLICT, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace keld
