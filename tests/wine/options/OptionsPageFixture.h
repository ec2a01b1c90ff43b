// The Options page in a configuration run of this process, with extension
// modules copied into this program's folder and registered under
// "SetupExtensions" in the registry's order.
#pragma once
#include "ConfigurationFixture.h"
#include "OptionsFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace optionstest {

inline constexpr const char* kExtensionsKey = "Software\\Brindlecraft\\PXR2000\\SetupExtensions";
inline constexpr int kOptionsPage = 2;

class OptionsPage : public testkit::ConfigurationRun {
protected:
    void SetUp() override;
    void TearDown() override;

    // The test module copied into the program folder as `fileName` (which
    // may lead out of it, as "..\\NAME.DLL" does).
    void PutModule(const std::string& fileName) const;
    // SetupExtensions values, in this order: text data as REG_SZ.
    void Register(const std::vector<std::string>& registrations) const;
    void RegisterValue(const std::string& name, DWORD type, const std::string& data) const;
    // The option's "Installed" (and "Enabled") values.
    void Installed(const std::string& option, bool enabled = true) const;
    void NotInstalled(const std::string& option) const;

    // Runs the configuration on the Options page, as "/I" starts it.
    INT_PTR RunOptions(const std::function<void(HWND sheet, HWND page)>& drive);

    std::string programFolder;
};

// A copy of the test module in the Windows folder, DECOY.DLL, which the
// page must never load; the fixture removes it before and after each test.
std::string DecoyModulePath();

// What a module copied as `fileName` logged; empty when it was not loaded.
std::string ModuleLog(const std::string& fileName);
bool ModuleLoaded(const std::string& fileName);
// Whether the module file at `path` is loaded into this process.
bool FileLoaded(const std::string& path);
// The files of the copies of the test module loaded into this process.
std::vector<std::string> LoadedTestModules();
// What every copy of the module logged, in the order of the calls.
std::string ProcessLog();

// The list's items, check marks and selection, read through its window.
std::vector<std::string> Items(HWND list);
std::vector<bool> Checks(HWND list);
int Selection(HWND list);
// Clicks the check box of item `index`, or the item's text.
void ClickCheckBox(HWND list, int index);
void ClickItem(HWND list, int index);
// The visible settings window of an option of the test module.
HWND SettingsWindowOf(HWND page, const std::string& name);
// Whether the control `id` of `window` is enabled.
bool Enabled(HWND window, int id);

}  // namespace optionstest
