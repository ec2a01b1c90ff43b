// The visible property sheet of a process, found from outside it.
#pragma once
#include <windows.h>
#include <commctrl.h>

inline HWND FindSheetOfProcess(DWORD processId)
{
    for (HWND hwnd = FindWindowExA(nullptr, nullptr, "#32770", nullptr); hwnd;
         hwnd = FindWindowExA(nullptr, hwnd, "#32770", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == processId && IsWindowVisible(hwnd) && FindWindowExA(hwnd, nullptr, WC_TABCONTROLA, nullptr))
            return hwnd;
    }
    return nullptr;
}
