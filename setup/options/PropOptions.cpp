#include "setup/options/PropOptions.h"
#include "resources/ProductConstants.h"

#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "setup/ConfigureSheet.h"
#include "setup/ProfileFileScope.h"
#include "setup/SetupApp.h"
#include "setup/options/ExtensionCall.h"
#include "setup/options/ExtensionRegistration.h"
#include "setup/options/OptionNames.h"
#include "setup/options/ReinstallOptionsDlg.h"
#include "setup/options/SetupExtension.h"

#include <algorithm>

#include <commctrl.h>

namespace keld {

CPropOptions::CPropOptions() : fw::CPropertyPage(IDD_OPTIONS) {}

// Options still removed at closing are the page's too.
CPropOptions::~CPropOptions()
{
    for (COption* option : removedOptions)
        CallExtension([option] { delete option; });
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

    // The list draws and updates its scroll bar once, not after every
    // option that a module adds.
    ::SendMessageA(optionList, WM_SETREDRAW, FALSE, 0);
    LoadExtensions();
    ::SendMessageA(optionList, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(optionList, nullptr, TRUE);

    optionList.SetCurSel(0);
    UpdateSelection();
    ::SetFocus(optionList);
    return FALSE;
}

namespace {

constexpr UINT_PTR kColourForwarding = 1;

// Controls ask their parent for their background. Inside an option's
// settings window that parent is the extension's window, which would answer
// with the plain dialog colour on a page drawn lighter; the page answers
// instead, as for its own controls.
LRESULT CALLBACK AskThePageForColours(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR page)
{
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ::SendMessageA(reinterpret_cast<HWND>(page), message, wParam, lParam);
    case WM_CTLCOLORDLG:
        // A settings window that is a dialog paints itself like a static
        // control of the page.
        return ::SendMessageA(reinterpret_cast<HWND>(page), WM_CTLCOLORSTATIC, wParam, lParam);
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, AskThePageForColours, kColourForwarding);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

BOOL CALLBACK ForwardColoursOfChild(HWND child, LPARAM page)
{
    ::SetWindowSubclass(child, AskThePageForColours, kColourForwarding, static_cast<DWORD_PTR>(page));
    return TRUE;
}

struct RegistryKey {
    HKEY handle = nullptr;
    ~RegistryKey()
    {
        if (handle)
            ::RegCloseKey(handle);
    }
};

}  // namespace

void CPropOptions::LoadExtensions()
{
    RegistryKey opened;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupExtensionsKey, 0, KEY_READ, &opened.handle) != ERROR_SUCCESS)
        return;
    HKEY key = opened.handle;
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
}

// A module that cannot be loaded, lacks the entry point or makes no
// option (its factory returns null, throws or aborts) is passed over; a
// loaded module stays loaded.
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
    COption* option = nullptr;
    if (CallExtension([&] { option = factory(); }) && option)
        AddOption(option);
}

bool CPropOptions::Owns(const COption* option) const
{
    return heldOptions.count(option) != 0;
}

// An object the page already holds (a factory that hands out one object
// twice) is not taken again. An option whose code throws while it is set
// up is dropped without further calls.
int CPropOptions::AddOption(COption* option)
{
    if (!option || Owns(option))
        return 0;
    int initialized = 0;
    bool installed = false, enabled = false;
    std::string displayName;
    if (!CallExtension([&] {
            initialized = option->Initialize(m_hWnd, &settingsRect);
            if (!initialized)
                return;
            installed = GetOptionInstalledOrEnabled(OptionKeyName<256>(*option).c_str(), 1) != 0;
            displayName = OptionDisplayName<256>(*option);
            enabled = option->IsEnabled() != 0;
        }))
        return 0;
    if (!initialized) {
        CallExtension([option] { delete option; });
        return 0;
    }
    if (!installed) {
        removedOptions.push_back(option);
        heldOptions.insert(option);
        return 1;
    }
    int index = optionList.AddString(displayName);
    if (index < 0) {
        CallExtension([option] { delete option; });
        return 0;
    }
    optionList.SetCheck(index, enabled);
    if (optionList.SetItemDataPtr(index, option)) {
        heldOptions.insert(option);
        return 1;
    }
    optionList.DeleteString(index);
    CallExtension([option] { delete option; });
    return 0;
}

// The settings windows are the page's children in the settings area; they
// and every window in them (extensions may nest windows) get the page's
// colours.
void CPropOptions::DrawSettingsOnThePageBackground()
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        RECT both{};
        if (!::IntersectRect(&both, &place, &settingsRect) || !::EqualRect(&both, &place))
            continue;
        ForwardColoursOfChild(child, reinterpret_cast<LPARAM>(m_hWnd));
        ::EnumChildWindows(child, ForwardColoursOfChild, reinterpret_cast<LPARAM>(m_hWnd));
        ::RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
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
            DrawSettingsOnThePageBackground();
            ApplyCheckMark(selected);
        }
        ::SetFocus(optionList);
        ::EnableWindow(removeButton, option->IsPermanent() ? FALSE : TRUE);
    }
    ::EnableWindow(reinstallButton, removedOptions.empty() ? FALSE : TRUE);
}

// The item whose mark the user changed: its option follows the mark, and an
// always-enabled option gets its mark back. A click on an unselected item's
// box changes the mark before the selection change reaches the page, so the
// item's own option is told, not only the current one.
void CPropOptions::OnCheckChange()
{
    int index = static_cast<int>(::SendMessageA(optionList, LB_GETCARETINDEX, 0, 0));
    ApplyCheckMark(index);
}

void CPropOptions::ApplyCheckMark(int index)
{
    auto* option = static_cast<COption*>(optionList.GetItemDataPtr(index));
    if (!option)
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

// An option whose code throws here does not keep the others from saving,
// nor the configuration run from writing the general settings.
void CPropOptions::OnDestroy()
{
    const int save = cancelled == 0 ? 1 : 0;
    for (int index = optionList.GetCount() - 1; index >= 0; --index) {
        auto* option = static_cast<COption*>(optionList.GetItemDataPtr(index));
        if (!option)
            continue;
        CallExtension([option, save] { option->SaveAndClose(save); });
        CallExtension([option] { delete option; });
        heldOptions.erase(option);
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
