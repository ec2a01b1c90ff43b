#include "TestFiles.h"

#include "DriverFixture.h"
#include "resources/ProductConstants.h"

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

std::string KeldoranExePath()
{
    return FromUnixPath(KELD_KELDORAN_EXE);
}

std::string KeldOptExePath()
{
    return FromUnixPath(KELD_KELDOPT_EXE);
}

std::string MutexAbandonerPath()
{
    return FromUnixPath(KELD_MUTEX_ABANDONER_EXE);
}

std::string NextMoveImagePath(bool x86_64)
{
    return FromUnixPath(x86_64 ? KELD_NEXTMOVE_SYS_X86_64 : KELD_NEXTMOVE_SYS_I686);
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
