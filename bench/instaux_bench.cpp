// Time of PreInstallCheck of INSTAUX.DLL on a fresh machine and on a
// Replace, against the 400 ms of pauses that end every successful check.
// The library is loaded anew for each call; the Update or Replace dialog is
// answered from a hook on this thread the moment it becomes active.
//
//   instaux_bench.exe <runs> <INSTAUX.DLL> <KELDORAN.EXE 1,0,5,0> <work folder>
#include "resources/ProductConstants.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using PreInstallCheckFunction = LONG(WINAPI*)(DWORD, const char*, const char*, char*);

const char* const kProductKey = keld::kProductKey;
const char* const kConfigurationFiles[] = {keld::kProgramIniName, keld::kTestIniName, keld::kToolsIniName, "ATC.CFG",
                                            "SECURITY.DAT"};
const char* const kDataFiles[] = {"KELD4K.INB", "TESTCTL.INB", "USERTOOL.INB", "TESTPREV.RVP", "SECURITY.DAB",
                                  "DefIni.ini"};

void WriteText(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void EmptyFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
}

// The option registrations and data files that the clean-up removes.
void PrepareMachine(const std::string& target)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
    for (int i = 1; i <= 5; ++i) {
        HKEY key = nullptr;
        std::string path = std::string(kProductKey) + "\\Options\\Option " + std::to_string(i);
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCloseKey(key);
    }
    for (const char* name : kDataFiles)
        WriteText(target + name, "data");
}

HHOOK g_hook = nullptr;

LRESULT CALLBACK AnswerReplace(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char caption[64] = {};
        GetWindowTextA(reinterpret_cast<HWND>(wParam), caption, sizeof caption);
        if (std::string(caption) == "Update or Replace Existing Version")
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Milliseconds of one PreInstallCheck, or -1 when its result is not `expected`.
double TimeCheck(const std::string& dll, const std::string& target, const std::string& backup, LONG expected)
{
    HMODULE library = LoadLibraryA(dll.c_str());
    auto check = library ? reinterpret_cast<PreInstallCheckFunction>(
                               reinterpret_cast<void*>(GetProcAddress(library, "PreInstallCheck")))
                         : nullptr;
    if (!check)
        return -1;
    char existing[MAX_PATH] = {};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    LONG result = check(0, target.c_str(), backup.c_str(), existing);
    QueryPerformanceCounter(&end);
    FreeLibrary(library);
    if (result != expected) {
        std::fprintf(stderr, "PreInstallCheck gave %ld, expected %ld\n", result, expected);
        return -1;
    }
    return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

void Report(const char* name, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("%-14s median %7.1f ms  min %7.1f  max %7.1f  above the 400 ms of pauses: %6.1f ms (%zu runs)\n",
                name, median, times.front(), times.back(), median - 400.0, n);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: instaux_bench <runs> <INSTAUX.DLL> <KELDORAN.EXE> <work folder>\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string dll = argv[2];
    const std::string keldoran = argv[3];
    std::string work = argv[4];
    if (work.back() != '\\')
        work += '\\';
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string target = work + "KELDORAN\\";
    const std::string backup = work + "backup\\";
    EmptyFolder(backup);
    g_hook = SetWindowsHookExA(WH_CBT, AnswerReplace, nullptr, GetCurrentThreadId());

    std::vector<double> fresh, replace;
    for (int i = 0; i <= runs; ++i) {  // the first round warms the caches
        EmptyFolder(target);
        PrepareMachine(target);
        double freshTime = TimeCheck(dll, target, backup, 1);

        EmptyFolder(target);
        PrepareMachine(target);
        CopyFileA(keldoran.c_str(), (target + "KELDORAN.EXE").c_str(), FALSE);
        for (const char* name : kConfigurationFiles)
            WriteText(target + name, std::string("[") + name + "]\r\nValue=1\r\n");
        double replaceTime = TimeCheck(dll, target, backup, 2);
        if (freshTime < 0 || replaceTime < 0)
            return 1;
        if (i > 0) {
            fresh.push_back(freshTime);
            replace.push_back(replaceTime);
        }
    }
    UnhookWindowsHookEx(g_hook);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
    Report("fresh machine", fresh);
    Report("Replace", replace);
    return 0;
}
