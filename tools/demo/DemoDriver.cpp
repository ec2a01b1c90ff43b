// Opens KELDSetup for a person without a display: starts it, waits for the
// sheet, saves a PNG of each page and of the Reinstall Options dialog that
// the Options page opens, and closes the sheet with Cancel.
//
//   demo_driver.exe "<KELDSetup.exe command line>" <working folder> <PNG prefix>
#include "PngFile.h"
#include "SheetWindow.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool SaveWindow(HWND window, const std::string& path)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const int stride = ((width * 3) + 3) & ~3;
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(bits) + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x)
            rgb.insert(rgb.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return WritePng(path, width, height, rgb);
}

// The process's visible top-level window captioned `caption`.
HWND WaitForWindowOfProcess(DWORD processId, const char* caption)
{
    for (int i = 0; i < 1000; ++i) {
        for (HWND hwnd = FindWindowExA(nullptr, nullptr, "#32770", caption); hwnd;
             hwnd = FindWindowExA(nullptr, hwnd, "#32770", caption)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == processId && IsWindowVisible(hwnd))
                return hwnd;
        }
        Sleep(10);
    }
    return nullptr;
}

constexpr int kReinstallButton = 1008;

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: demo_driver \"<command line>\" <folder> <png prefix>\n");
        return 2;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = argv[1];
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[2], &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    HWND sheet = nullptr;
    for (int i = 0; i < 3000 && !sheet; ++i) {
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0)
            break;
        sheet = FindSheetOfProcess(process.dwProcessId);
    }
    if (!sheet) {
        std::fprintf(stderr, "the sheet did not open\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    const char* pages[] = {"welcome", "general", "options", "interface-card"};
    int saved = 0;
    for (int page = 0; page < 4; ++page) {
        SendMessageA(sheet, PSM_SETCURSEL, page, 0);
        Sleep(400);
        std::string path = std::string(argv[3]) + "-" + pages[page] + ".png";
        if (SaveWindow(sheet, path)) {
            std::printf("saved %s\n", path.c_str());
            ++saved;
        }
        if (page != 2)
            continue;
        HWND options = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND button = GetDlgItem(options, kReinstallButton);
        if (!IsWindowEnabled(button))
            continue;
        PostMessageA(options, WM_COMMAND, MAKEWPARAM(kReinstallButton, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        if (HWND dialog = WaitForWindowOfProcess(process.dwProcessId, "Reinstall Options")) {
            Sleep(400);
            std::string dialogPath = std::string(argv[3]) + "-reinstall-options.png";
            if (SaveWindow(dialog, dialogPath)) {
                std::printf("saved %s\n", dialogPath.c_str());
                ++saved;
            }
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            for (int i = 0; i < 500 && IsWindow(dialog); ++i)
                Sleep(10);
        }
    }
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(process.hProcess, 10000);
    return saved == 5 ? 0 : 1;
}
