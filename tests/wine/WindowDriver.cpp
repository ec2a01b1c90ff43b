#include "WindowDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace testkit {

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

bool WaitFor(const std::string& what, const std::function<bool()>& done, DWORD timeoutMs)
{
    if (WaitUntil(done, timeoutMs))
        return true;
    ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what;
    return false;
}

namespace {

struct ProcessFilter {
    DWORD processId;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectOfProcess(HWND hwnd, LPARAM lParam)
{
    auto* filter = reinterpret_cast<ProcessFilter*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (filter->processId == 0 || owner == filter->processId)
        filter->windows->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectAll(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOfProcess(DWORD processId)
{
    std::vector<HWND> windows;
    ProcessFilter filter{processId, &windows};
    EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&filter));
    return windows;
}

std::vector<HWND> TopLevelWindowsOfThread(DWORD threadId)
{
    std::vector<HWND> windows;
    EnumThreadWindows(threadId, CollectAll, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string ClassOf(HWND hwnd)
{
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd)
{
    char text[8192] = {};
    // WM_GETTEXT also reads controls of other processes.
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, nullptr);
    return text;
}

bool IsMessageBox(HWND hwnd)
{
    if (ClassOf(hwnd) != "#32770" || GetDlgItem(hwnd, 0xFFFF) == nullptr)
        return false;
    // Only texts, the icon and buttons with the standard answers (IDOK to
    // IDCONTINUE): a dialog of our own with a 0xFFFF static is no message box.
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string kind = ClassOf(child);
        int id = GetDlgCtrlID(child);
        if (kind == "Button" ? (id < IDOK || id > IDCONTINUE) : kind != "Static")
            return false;
    }
    return true;
}

std::string MessageBoxText(HWND hwnd)
{
    return TextOf(GetDlgItem(hwnd, 0xFFFF));
}

bool IsPropertySheet(HWND hwnd)
{
    return ClassOf(hwnd) == "#32770" && FindWindowExA(hwnd, nullptr, WC_TABCONTROLA, nullptr) != nullptr;
}

HWND FindMessageBox(const std::vector<HWND>& windows)
{
    for (HWND hwnd : windows)
        if (IsWindowVisible(hwnd) && IsMessageBox(hwnd))
            return hwnd;
    return nullptr;
}

HWND FindPropertySheet(const std::vector<HWND>& windows)
{
    for (HWND hwnd : windows)
        if (IsWindowVisible(hwnd) && IsPropertySheet(hwnd))
            return hwnd;
    return nullptr;
}

std::string DescribeWindows(const std::vector<HWND>& windows)
{
    std::string description;
    for (HWND hwnd : windows) {
        if (!IsWindowVisible(hwnd))
            continue;
        description += "\n  " + ClassOf(hwnd) + " '" + TextOf(hwnd) + "'";
        if (IsMessageBox(hwnd))
            description += ": " + MessageBoxText(hwnd);
        else if (IsPropertySheet(hwnd))
            description += " on page '" + TextOf(CurrentPage(hwnd)) + "'";
    }
    return description.empty() ? " no visible window" : description;
}

namespace {

using WindowList = std::vector<HWND> (*)(DWORD);
using WindowFinder = HWND (*)(const std::vector<HWND>&);

HWND WaitForWindow(const char* what, WindowList list, DWORD owner, WindowFinder find, DWORD timeoutMs)
{
    HWND found = nullptr;
    if (WaitUntil([&] { return (found = find(list(owner))) != nullptr; }, timeoutMs))
        return found;
    ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what << " of "
                  << (list == TopLevelWindowsOfThread ? "thread " : "process ") << owner << "; shown:"
                  << DescribeWindows(list(owner));
    return nullptr;
}

}  // namespace

HWND WaitForMessageBoxOfProcess(DWORD processId, DWORD timeoutMs)
{
    return WaitForWindow("a message box", TopLevelWindowsOfProcess, processId, FindMessageBox, timeoutMs);
}

HWND WaitForSheetOfProcess(DWORD processId, DWORD timeoutMs)
{
    return WaitForWindow("a property sheet", TopLevelWindowsOfProcess, processId, FindPropertySheet, timeoutMs);
}

HWND WaitForMessageBoxOfThread(DWORD threadId, DWORD timeoutMs)
{
    return WaitForWindow("a message box", TopLevelWindowsOfThread, threadId, FindMessageBox, timeoutMs);
}

HWND WaitForWindowOfThread(DWORD threadId, const std::string& caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    auto shown = [&] {
        for (HWND window : TopLevelWindowsOfThread(threadId))
            if (IsWindowVisible(window) && TextOf(window) == caption)
                found = window;
        return found != nullptr;
    };
    if (!WaitUntil(shown, timeoutMs))
        ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for the window '" << caption
                      << "' of thread " << threadId << "; shown:" << DescribeWindows(TopLevelWindowsOfThread(threadId));
    return found;
}

bool AnswerMessageBox(HWND box, int id)
{
    PressButton(box, id);
    return WaitFor("the message box to close", [box] { return !IsWindow(box); }, 5000);
}

void PressKey(HWND window, WPARAM virtualKey)
{
    PostMessageA(window, WM_KEYDOWN, virtualKey, 0x00010001);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0010001);
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int ActivePageIndex(HWND sheet)
{
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    return tab ? static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)) : -1;
}

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND ShowPage(HWND sheet, int index)
{
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return CurrentPage(sheet);
}

std::vector<HWND> DescendantsInPreOrder(HWND root)
{
    std::vector<HWND> windows;
    auto walk = [&windows](auto&& self, HWND parent) -> void {
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            windows.push_back(child);
            self(self, child);
        }
    };
    walk(walk, root);
    return windows;
}

}  // namespace testkit
