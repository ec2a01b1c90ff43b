#include "InstallMachine.h"
#include "resources/ProductConstants.h"

#include "../TestFiles.h"
#include "../WindowDriver.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>

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

std::optional<DWORD> GetDword(const std::string& path, const char* name)
{
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::string CommonProgramsFolder()
{
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return std::string(folder) + "\\";
}

Shortcut ReadShortcut(const std::string& path)
{
    Shortcut shortcut;
    bool initialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring widePath(path.begin(), path.end());
            if (SUCCEEDED(file->Load(widePath.c_str(), STGM_READ))) {
                char text[MAX_PATH] = {};
                shortcut.read = SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH));
                shortcut.target = text;
                text[0] = '\0';
                link->GetArguments(text, MAX_PATH);
                shortcut.arguments = text;
                text[0] = '\0';
                link->GetWorkingDirectory(text, MAX_PATH);
                shortcut.workingFolder = text;
            }
            file->Release();
        }
        link->Release();
    }
    if (initialized)
        CoUninitialize();
    return shortcut;
}

namespace {

std::vector<char> VersionResource(const std::string& path)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> data(size);
    if (!size || !GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
        data.clear();
    return data;
}

}  // namespace

std::string FixedFileVersion(const std::string& path)
{
    std::vector<char> data = VersionResource(path);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (data.empty() || !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof *fixed)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xffff,
                  fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xffff);
    return text;
}

std::string VersionString(const std::string& path, const char* name)
{
    std::vector<char> data = VersionResource(path);
    struct Translation {
        WORD language, codePage;
    }* translations = nullptr;
    UINT length = 0;
    if (data.empty() ||
        !VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof *translations)
        return {};
    char query[128];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translations->language,
                  translations->codePage, name);
    char* text = nullptr;
    if (!VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&text), &length) || !text)
        return {};
    return text;
}

namespace {

// The native folder is system32 for a 64-bit program; a 32-bit one reaches
// it with the redirection off.
template <typename F>
auto InNativeView(bool native, F f)
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    PVOID redirection = nullptr;
    bool off = native && wow64 && Wow64DisableWow64FsRedirection(&redirection);
    auto result = f();
    if (off)
        Wow64RevertWow64FsRedirection(redirection);
    return result;
}

}  // namespace

std::string InstalledDriverImagePath(bool x86_64)
{
    return testkit::WindowsFolder() + (x86_64 ? "system32" : "syswow64") + "\\drivers\\NEXTMOVE.SYS";
}

bool InstalledDriverImageExists(bool x86_64)
{
    return InNativeView(x86_64, [&] { return testkit::FileExists(InstalledDriverImagePath(x86_64)); });
}

std::string ReadInstalledDriverImage(bool x86_64)
{
    return InNativeView(x86_64, [&] { return testkit::ReadFile(InstalledDriverImagePath(x86_64)); });
}

namespace {

constexpr const char* kSessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPendingRenamesValue = "PendingFileRenameOperations";

}  // namespace

std::string PendingFileRenameData()
{
    DWORD size = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenamesValue, RRF_RT_REG_MULTI_SZ, nullptr,
                     nullptr, &size) != ERROR_SUCCESS)
        return {};
    std::string data(size, '\0');
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenamesValue, RRF_RT_REG_MULTI_SZ, nullptr,
                     data.data(), &size) != ERROR_SUCCESS)
        return {};
    data.resize(size);
    return data;
}

void SetPendingFileRenameData(const std::string& data)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (data.empty())
        RegDeleteValueA(key, kPendingRenamesValue);
    else
        RegSetValueExA(key, kPendingRenamesValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

std::vector<std::pair<std::string, std::string>> PendingFileRenames()
{
    // Strings in pairs; an empty destination is an empty string, so the
    // list ends only at the size.
    std::string data = PendingFileRenameData();
    std::vector<std::string> strings;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\0', start);
        if (end == std::string::npos)
            end = data.size();
        strings.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::pair<std::string, std::string>> renames;
    for (size_t i = 0; i + 1 < strings.size(); i += 2)
        renames.emplace_back(strings[i], strings[i + 1]);
    return renames;
}

}  // namespace instauxtest
