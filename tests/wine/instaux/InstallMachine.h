// The machine state that the installation library works on, as the tests
// set it up and inspect it: product registry key, folders, stand-ins, the
// instance lock.
#pragma once
#include "../DriverFixture.h"
#include "../RunningKeldoran.h"
#include "resources/ProductConstants.h"

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace instauxtest {

using keld::kProductKey;
inline constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const char* kConfigurationFiles[] = {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI", "ATC.CFG",
                                                      "SECURITY.DAT"};
inline constexpr const char* kObsoleteDataFiles[] = {"KELD4K.INB",   "TESTCTL.INB",  "USERTOOL.INB", "TESTPREV.RVP",
                                                     "SECURITY.DAT", "SECURITY.DAB", "DefIni.ini"};

// Registry below HKEY_LOCAL_MACHINE, in the view of this 32-bit program
// unless `view` names one (KEY_WOW64_64KEY).
bool KeyExists(const std::string& path);
void CreateKey(const std::string& path);
void DeleteTree(const std::string& path, REGSAM view = 0);
void SetString(const std::string& path, const char* name, const std::string& value, REGSAM view = 0);
void DeleteValue(const std::string& path, const char* name);
// A text value; empty when it is missing.
std::string GetString(const std::string& path, const char* name);
std::vector<std::string> SubkeysOf(const std::string& path);

// The product key as on a machine without an installation: no InstallDir,
// no option registrations. Also removes the old uninstall entries.
void ResetProductRegistry();
// SetupExtensions and KELDOPT with a value each, Options with `options`
// subkeys that hold values.
void RegisterOptions(int options);

// A fresh, empty folder C:\keldtest\instaux\<name>\ (with the backslash).
std::string FreshFolder(const std::string& name);
// The built stand-in or module at `rel` below the build folder.
std::string BuildPath(const std::string& rel);
bool CopyInto(const std::string& source, const std::string& destination);
// A copy of the KELDORAN.EXE stand-in built as standins/<variant>/; a
// copy that fails fails the test.
void PutKeldoran(const std::string& folder, const std::string& variant);
// Content that differs per file, so that mixed-up copies show.
std::string SampleContent(const std::string& name);

using testkit::InstanceLockIsFree;

// The KELDOpt.EXE stand-in held running until it has written `log`, so
// that its caller meets a tool that is still running, and the signal that
// the tool gives as the last thing before it ends. The tool is let go at
// the latest when the object goes.
class HeldImportTool {
public:
    explicit HeldImportTool(const std::string& log);
    ~HeldImportTool();
    HeldImportTool(const HeldImportTool&) = delete;
    HeldImportTool& operator=(const HeldImportTool&) = delete;

    // Whether a tool has ended since the object was made.
    bool Ended() const;

private:
    HANDLE m_hold;
    HANDLE m_ended;
    std::atomic<bool> m_letGo{false};
    std::thread m_release;
};

// What PostInstall works with beside the target, for one test: the
// configuration disk (a fresh folder with KELD.KCI), the control profile
// KELDORAN.INI in the Windows folder (made when missing) and the card
// driver's address, which the KELDSetup it starts reads. TearDown undoes
// what SetUp made.
class PostInstallSurroundings {
public:
    void SetUp();
    void TearDown();
    std::string disk;

private:
    std::string m_controlIni;
    bool m_madeControlIni = false;
};

// The product's files in `target` as the installer copies them: the
// import tool and KELDSetup when asked for, and new settings files.
void PutProductFiles(const std::string& target, bool importTool = true, bool setup = true);

using testkit::RemoveDriverService;
using testkit::DriverServiceCurrentState;
// The test service program of the installation library's tests as the
// card's driver.
bool StartDriverServiceStandIn(bool stoppable);

// A REG_DWORD below HKEY_LOCAL_MACHINE; none when it is missing.
std::optional<DWORD> GetDword(const std::string& path, const char* name);

// The Start menu's program folder of all users, with the backslash.
std::string CommonProgramsFolder();
// A shortcut (.lnk) as the shell reads it.
struct Shortcut {
    bool read = false;
    std::string target;
    std::string arguments;
    std::string workingFolder;
};
Shortcut ReadShortcut(const std::string& path);

// A file's version resource: the fixed version as "a.b.c.d" (empty without
// a version resource) and a string of its first translation (empty when
// missing).
std::string FixedFileVersion(const std::string& path);
std::string VersionString(const std::string& path, const char* name);

// The card driver's image where the installer puts it: the i686 one in the
// 32-bit view (syswow64\drivers), the x86_64 one in the native
// system32\drivers.
std::string InstalledDriverImagePath(bool x86_64);
bool InstalledDriverImageExists(bool x86_64);
std::string ReadInstalledDriverImage(bool x86_64);

// What Windows renames or deletes when it next starts
// (PendingFileRenameOperations): pairs of source and destination as
// recorded, an empty destination for a deletion. The raw value, to put it
// back as it was; empty when there is none.
std::vector<std::pair<std::string, std::string>> PendingFileRenames();
std::string PendingFileRenameData();
void SetPendingFileRenameData(const std::string& data);

}  // namespace instauxtest
