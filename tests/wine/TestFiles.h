// Files, folders and processes for the Wine tests.
#pragma once
#include <windows.h>

#include <string>

namespace testkit {

// A path in double quotes, for a command line.
inline std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// A path of the build machine as Wine sees it (drive Z: is the root).
std::string FromUnixPath(const std::string& path);

std::string SetupExePath();                      // the built KELDSetup.exe
std::string KeldoranExePath();                   // the KELDORAN.EXE stand-in (1,0,5,0)
std::string KeldOptExePath();                    // the KELDOpt.EXE stand-in
std::string MutexAbandonerPath();                // the program that abandons the lock
std::string NextMoveImagePath(bool x86_64);      // NEXTMOVE.SYS of either architecture
std::string StandInPath(const std::string& rel); // below the stand-ins' build folder
std::string WindowsFolder();                     // with a trailing backslash

bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);   // empty when missing
void WriteFile(const std::string& path, const std::string& content);
void RemoveFile(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);
void RemoveTree(const std::string& folder);

// The text of a profile key, or "<absent>".
std::string ProfileText(const std::string& file, const char* section, const char* key);

// A fresh folder C:\keldtest\<name>\ holding a copy of KELDSetup.exe and,
// unless told otherwise, empty KELD4K.INI, TESTCTL.INI and NVXTOOLS.INI;
// KELDORAN.INI is (re)created empty in the Windows folder, and the card
// driver's parameter holds the address 800, as after an installation.
struct Installation {
    std::string folder;  // ends with a backslash
    std::string setupExe;
    std::string Path(const std::string& name) const { return folder + name; }
};
Installation MakeInstallation(const std::string& name, bool withProfileFiles = true);

// A started process; ended (killed if need be) when the object goes.
class Process {
public:
    Process() = default;
    Process(const std::string& commandLine, const std::string& workingFolder = "");
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }
    // True when the process ended within the time.
    bool WaitForExit(DWORD timeoutMs = 15000);
    void Kill();

private:
    PROCESS_INFORMATION m_info{};
};

}  // namespace testkit
