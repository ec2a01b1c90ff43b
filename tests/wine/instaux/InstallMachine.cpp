#include "InstallMachine.h"
#include "resources/ProductConstants.h"

#include "../TestFiles.h"
#include "../WindowDriver.h"

#include <gtest/gtest.h>

namespace instauxtest {

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void CreateKey(const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

void DeleteTree(const std::string& path, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), view, 0);
}

void SetString(const std::string& path, const char* name, const std::string& value, REGSAM view)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

std::string GetString(const std::string& path, const char* name)
{
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    return text;
}

void DeleteValue(const std::string& path, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

std::vector<std::string> SubkeysOf(const std::string& path)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

void ResetProductRegistry()
{
    const std::string product = kProductKey;
    DeleteValue(product, "InstallDir");
    for (const char* sub : {"SetupExtensions", "KELDOPT", "Options"})
        DeleteTree(product + "\\" + sub);
    for (const char* sub : {"KELDORANDeinstkey", "KELDORAN103", "KELDORAN200"})
        DeleteTree(std::string(kUninstallKey) + "\\" + sub);
}

void RegisterOptions(int options)
{
    const std::string product = kProductKey;
    SetString(product + "\\SetupExtensions", "ATC", "ATC.DLL");
    SetString(product + "\\KELDOPT", "Imported", "1");
    for (int i = 1; i <= options; ++i)
        SetString(product + "\\Options\\Option " + std::to_string(i), "Installed", "1");
}

std::string FreshFolder(const std::string& name)
{
    CreateDirectoryA("C:\\keldtest", nullptr);
    CreateDirectoryA("C:\\keldtest\\instaux", nullptr);
    std::string folder = "C:\\keldtest\\instaux\\" + name + "\\";
    testkit::RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string BuildPath(const std::string& rel)
{
    return testkit::FromUnixPath(std::string(KELD_BUILD_DIR) + "/" + rel);
}

bool CopyInto(const std::string& source, const std::string& destination)
{
    return CopyFileA(source.c_str(), destination.c_str(), FALSE) != FALSE;
}

void PutKeldoran(const std::string& folder, const std::string& variant)
{
    // A copy that fails would leave whatever program was there before.
    ASSERT_TRUE(CopyInto(testkit::StandInPath(variant + "/KELDORAN.EXE"), folder + "KELDORAN.EXE"))
        << "KELDORAN.EXE " << variant << " into " << folder << ": error " << GetLastError();
}

std::string SampleContent(const std::string& name)
{
    std::string content = "[" + name + "]\r\nValue=" + std::to_string(name.size() * 37) + "\r\n";
    content += std::string(1, '\0') + "\xff\x01 binary tail of " + name;
    return content;
}

HeldImportTool::HeldImportTool(const std::string& log)
    : m_hold(CreateEventA(nullptr, TRUE, FALSE, "KeldOptStandInHold")),
      m_ended(CreateEventA(nullptr, TRUE, FALSE, "KeldOptStandInEnded"))
{
    ResetEvent(m_hold);
    ResetEvent(m_ended);
    m_release = std::thread([this, log] {
        testkit::WaitFor("the import tool to write " + log, [&] { return m_letGo || testkit::FileExists(log); },
                         30000);
        SetEvent(m_hold);
    });
}

HeldImportTool::~HeldImportTool()
{
    m_letGo = true;
    SetEvent(m_hold);
    m_release.join();
    CloseHandle(m_ended);
    CloseHandle(m_hold);
}

bool HeldImportTool::Ended() const
{
    return WaitForSingleObject(m_ended, 0) == WAIT_OBJECT_0;
}

void PostInstallSurroundings::SetUp()
{
    disk = FreshFolder("disk");
    testkit::WriteFile(disk + "KELD.KCI", "configuration disk");
    m_controlIni = testkit::WindowsFolder() + "KELDORAN.INI";
    m_madeControlIni = !testkit::FileExists(m_controlIni);
    if (m_madeControlIni)
        testkit::WriteFile(m_controlIni, "");
    testkit::SetDriverAddressParameter(800);
}

void PostInstallSurroundings::TearDown()
{
    if (m_madeControlIni)
        testkit::RemoveFile(m_controlIni);
    testkit::SetDriverAddressParameter(-1);
}

void PutProductFiles(const std::string& target, bool importTool, bool setup)
{
    if (importTool) {
        ASSERT_TRUE(CopyInto(testkit::KeldOptExePath(), target + "KELDOpt.EXE"));
    }
    if (setup) {
        ASSERT_TRUE(CopyInto(testkit::SetupExePath(), target + "KELDSetup.exe"));
    }
    for (const char* name : {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI"})
        testkit::WriteFile(target + name, "[New]\r\n");
}

bool StartDriverServiceStandIn(bool stoppable)
{
    return testkit::StartDriverServiceStandIn(testkit::FromUnixPath(KELD_TEST_SERVICE_EXE), stoppable);
}

}  // namespace instauxtest
