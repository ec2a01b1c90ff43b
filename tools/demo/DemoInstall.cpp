// Helper of the README's run command: runs the product's installer and
// answers, as an operator would, every window that the installation shows
// (the library's questions, the Update or Replace dialog, the import and
// restart messages, and KELDSetup's sheet) until the installer has ended.
//
//   demo_install.exe "<installer command line>"
// An installation found already is updated, so that the demo's settings
// stay. The exit code is 0 when the installation went through.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kUpdate = 1003;

bool HasTab(HWND window)
{
    return FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr) != nullptr;
}

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Answers one visible dialog of another process; true when it did.
bool Answer(HWND window)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId() || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return false;
    if (GetDlgItem(window, kUpdate)) {
        std::printf("answering '%s' with Update\n", TextOf(window).c_str());
        Press(window, kUpdate);
        return true;
    }
    if (HasTab(window)) {
        std::printf("closing KELDSetup's sheet with OK\n");
        Press(window, IDOK);
        return true;
    }
    for (int id : {IDOK, IDYES}) {
        if (HWND button = GetDlgItem(window, id); button && IsWindowVisible(button)) {
            std::printf("answering '%s' with %s\n", TextOf(window).c_str(), id == IDOK ? "OK" : "Yes");
            Press(window, id);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_install \"<installer command line>\"\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION installer{};
    std::string line = argv[1];
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &installer)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    // Ten minutes at most; each window is answered once it is shown.
    for (int round = 0; round < 6000 && WaitForSingleObject(installer.hProcess, 100) == WAIT_TIMEOUT; ++round) {
        for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window;
             window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
            if (Answer(window)) {
                Sleep(300);
                break;
            }
        }
    }
    DWORD code = 0;
    if (WaitForSingleObject(installer.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(installer.hProcess, 1);
        std::fprintf(stderr, "the installer did not end\n");
    }
    GetExitCodeProcess(installer.hProcess, &code);
    std::printf("the installer ended with %lu\n", code);
    // The installer's exit code is the installation's mode: 1, 2 or 3.
    return code >= 1 && code <= 3 ? 0 : 1;
}
