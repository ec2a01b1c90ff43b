#include "OptionsPageFixture.h"

#include "framework/CheckListBox.h"
#include "setup/SetupApp.h"

#include <tlhelp32.h>

namespace optionstest {

std::string DecoyModulePath()
{
    return testkit::WindowsFolder() + "DECOY.DLL";
}

namespace {

void DeleteModules(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.DLL*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Where the tests put a module beside the program folder rather than in it.
const char* const kOutsideModules[] = {"..\\ABC.DLL"};

// Modules put outside the program folder, which the page must never load.
// The prefix outlives a test stopped at its time limit: SetUp removes them
// as TearDown does.
void DeleteOutsideModules(const std::string& programFolder)
{
    for (const char* outside : kOutsideModules)
        DeleteFileA((programFolder + outside).c_str());
    DeleteFileA(DecoyModulePath().c_str());
}

}  // namespace

void OptionsPage::SetUp()
{
    testkit::ConfigurationRun::SetUp();
    programFolder = keld::GetAppDirectory();
    // Extension modules are never unloaded, and the test module keeps its
    // log in the loaded copy: a copy loaded by an earlier test would answer
    // for this one. Each test needs a process of its own, as CTest gives it.
    std::string loaded;
    for (const std::string& path : LoadedTestModules())
        loaded += " " + path;
    ASSERT_TRUE(loaded.empty()) << "test modules loaded by an earlier test in this process:" << loaded
                                << "; run one test per process";
    DeleteModules(programFolder);
    DeleteOutsideModules(programFolder);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kExtensionsKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kExtensionsKey);
    RemoveOptionKeys();
}

void OptionsPage::TearDown()
{
    DeleteOutsideModules(programFolder);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kExtensionsKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kExtensionsKey);
    RemoveOptionKeys();
    testkit::ConfigurationRun::TearDown();
}

void OptionsPage::PutModule(const std::string& fileName) const
{
    ASSERT_TRUE(CopyFileA(testkit::FromUnixPath(KELD_TEST_OPTION_MODULE).c_str(), (programFolder + fileName).c_str(),
                          FALSE))
        << fileName;
}

void OptionsPage::Register(const std::vector<std::string>& registrations) const
{
    int number = 0;
    for (const std::string& text : registrations)
        RegisterValue("Extension" + std::to_string(++number), REG_SZ, text + '\0');
}

void OptionsPage::RegisterValue(const std::string& name, DWORD type, const std::string& data) const
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kExtensionsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

void OptionsPage::Installed(const std::string& option, bool enabled) const
{
    const DWORD one = 1, flag = enabled ? 1 : 0;
    SetOptionValue(option, "Installed", REG_DWORD, &one, sizeof one);
    SetOptionValue(option, "Enabled", REG_DWORD, &flag, sizeof flag);
}

void OptionsPage::NotInstalled(const std::string& option) const
{
    const DWORD one = 1;
    SetOptionValue(option, "Enabled", REG_DWORD, &one, sizeof one);
}

INT_PTR OptionsPage::RunOptions(const std::function<void(HWND sheet, HWND page)>& drive)
{
    return Run([&](HWND sheet) { drive(sheet, testkit::CurrentPage(sheet)); }, kOptionsPage);
}

std::string ModuleLog(const std::string& fileName)
{
    HMODULE module = GetModuleHandleA(fileName.c_str());
    if (!module)
        return {};
    using LogFunction = const char* (*)();
    auto log = reinterpret_cast<LogFunction>(reinterpret_cast<void*>(GetProcAddress(module, "TestOptionLog")));
    return log ? log() : "";
}

std::string ProcessLog()
{
    char all[8192] = {};
    GetEnvironmentVariableA("TESTOPT_LOG", all, sizeof all);
    return all;
}

bool ModuleLoaded(const std::string& fileName)
{
    return GetModuleHandleA(fileName.c_str()) != nullptr;
}

std::vector<std::string> LoadedTestModules()
{
    std::vector<std::string> paths;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return paths;
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        if (GetProcAddress(module.hModule, "TestOptionLog"))
            paths.emplace_back(module.szExePath);
    }
    CloseHandle(snapshot);
    return paths;
}

bool FileLoaded(const std::string& path)
{
    char full[MAX_PATH] = {};
    if (!GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr))
        return false;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    bool loaded = false;
    for (BOOL more = Module32First(snapshot, &module); more && !loaded; more = Module32Next(snapshot, &module))
        loaded = lstrcmpiA(module.szExePath, full) == 0;
    CloseHandle(snapshot);
    return loaded;
}

std::vector<std::string> Items(HWND list)
{
    std::vector<std::string> items;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        char text[256] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::vector<bool> Checks(HWND list)
{
    std::vector<bool> checks;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index)
        checks.push_back(SendMessageA(list, fw::CLB_GETCHECK, static_cast<WPARAM>(index), 0) == 1);
    return checks;
}

int Selection(HWND list)
{
    return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

namespace {

void ClickAt(HWND list, int index, int x)
{
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    LPARAM point = MAKELPARAM(item.left + x, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

}  // namespace

void ClickCheckBox(HWND list, int index)
{
    ClickAt(list, index, 4);
}

void ClickItem(HWND list, int index)
{
    ClickAt(list, index, 60);
}

HWND SettingsWindowOf(HWND page, const std::string& name)
{
    HWND window = FindWindowExA(page, nullptr, "STATIC", ("settings:" + name).c_str());
    return window && IsWindowVisible(window) ? window : nullptr;
}

bool Enabled(HWND window, int id)
{
    return IsWindowEnabled(GetDlgItem(window, id)) != FALSE;
}

}  // namespace optionstest
