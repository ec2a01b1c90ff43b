#include "TestFiles.h"

#include <fstream>
#include <sstream>
#include <utility>

namespace testkit {

std::string FromUnixPath(const std::string& path)
{
    std::string windows = "Z:" + path;
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    return windows;
}

std::string SetupExePath()
{
    return FromUnixPath(KELD_SETUP_EXE);
}

std::string StandInPath(const std::string& rel)
{
    return FromUnixPath(std::string(KELD_STANDIN_DIR) + "/" + rel);
}

std::string WindowsFolder()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    std::string result = folder;
    if (result.back() != '\\')
        result += '\\';
    return result;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    SetReadOnly(path, false);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

void RemoveFile(const std::string& path)
{
    SetReadOnly(path, false);
    DeleteFileA(path.c_str());
}

void SetReadOnly(const std::string& path, bool readOnly)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    attributes = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), attributes);
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + "\\");
            else
                RemoveFile(folder + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string ProfileText(const std::string& file, const char* section, const char* key)
{
    char text[512];
    DWORD n = GetPrivateProfileStringA(section, key, "\x01", text, sizeof text, file.c_str());
    if (n == 1 && text[0] == '\x01')
        return "<absent>";
    return std::string(text, n);
}

namespace {
constexpr const char* kParametersKey = "System\\CurrentControlSet\\Services\\NextMove\\Parameters";
}

void SetDriverAddressParameter(long long address)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (address < 0) {
        RegDeleteValueA(key, "NextMove0");
    } else {
        DWORD value = static_cast<DWORD>(address);
        RegSetValueExA(key, "NextMove0", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    RegCloseKey(key);
}

void SetDriverAddressParameterData(DWORD type, const std::string& data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "NextMove0", 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

bool ReadDriverAddressParameterData(DWORD& type, std::string& data)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[256];
    DWORD size = sizeof buffer;
    bool read = RegQueryValueExA(key, "NextMove0", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                ERROR_SUCCESS;
    RegCloseKey(key);
    if (read)
        data.assign(buffer, size);
    return read;
}

bool ReadDriverAddressParameter(DWORD& address)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = sizeof address;
    bool read = RegQueryValueExA(key, "NextMove0", nullptr, nullptr, reinterpret_cast<BYTE*>(&address), &size) ==
                ERROR_SUCCESS;
    RegCloseKey(key);
    return read;
}

Installation MakeInstallation(const std::string& name, bool withProfileFiles)
{
    SetDriverAddressParameter(800);
    CreateDirectoryA("C:\\keldtest", nullptr);
    Installation installation;
    installation.folder = "C:\\keldtest\\" + name + "\\";
    RemoveTree(installation.folder);
    CreateDirectoryA(installation.folder.c_str(), nullptr);
    installation.setupExe = installation.Path("KELDSetup.exe");
    CopyFileA(SetupExePath().c_str(), installation.setupExe.c_str(), FALSE);
    RemoveFile(WindowsFolder() + "KELDORAN.INI");
    if (withProfileFiles) {
        for (const char* file : {"KELD4K.INI", "TESTCTL.INI", "NVXTOOLS.INI"})
            WriteFile(installation.Path(file), "");
        WriteFile(WindowsFolder() + "KELDORAN.INI", "");
    }
    return installation;
}

Process::Process(const std::string& commandLine, const std::string& workingFolder)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &m_info))
        m_info = PROCESS_INFORMATION{};
}

Process::~Process()
{
    Kill();
}

Process::Process(Process&& other) noexcept : m_info(std::exchange(other.m_info, PROCESS_INFORMATION{}))
{
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        Kill();
        m_info = std::exchange(other.m_info, PROCESS_INFORMATION{});
    }
    return *this;
}

bool Process::WaitForExit(DWORD timeoutMs)
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void Process::Kill()
{
    if (!m_info.hProcess)
        return;
    if (WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
    m_info = PROCESS_INFORMATION{};
}

}  // namespace testkit
