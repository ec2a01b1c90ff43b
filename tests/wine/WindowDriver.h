// Drives real windows from a test: finds them, reads them, presses buttons
// and answers message boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testkit {

// Waits until `done` holds, pumping this thread's messages meanwhile; false
// when the time ran out.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 15000);
// The same, and a timeout fails the test at once, naming `what` it waited for.
bool WaitFor(const std::string& what, const std::function<bool()>& done, DWORD timeoutMs = 15000);

// Top-level windows of a process (0: any process) or of a thread.
std::vector<HWND> TopLevelWindowsOfProcess(DWORD processId);
std::vector<HWND> TopLevelWindowsOfThread(DWORD threadId);

std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);

// A message box: a dialog whose text control has the id 0xFFFF.
bool IsMessageBox(HWND hwnd);
std::string MessageBoxText(HWND hwnd);
// A property sheet: a dialog with a tab control made by comctl32.
bool IsPropertySheet(HWND hwnd);

// First visible message box / property sheet among the given windows.
HWND FindMessageBox(const std::vector<HWND>& windows);
HWND FindPropertySheet(const std::vector<HWND>& windows);

// What is shown: class, caption and, for message boxes, their text of
// each visible window; for failure messages.
std::string DescribeWindows(const std::vector<HWND>& windows);

// These fail the test when nothing came in time, saying what was shown.
HWND WaitForMessageBoxOfProcess(DWORD processId, DWORD timeoutMs = 15000);
HWND WaitForSheetOfProcess(DWORD processId, DWORD timeoutMs = 15000);
HWND WaitForMessageBoxOfThread(DWORD threadId, DWORD timeoutMs = 15000);
// The thread's visible top-level window captioned `caption`.
HWND WaitForWindowOfThread(DWORD threadId, const std::string& caption, DWORD timeoutMs = 15000);

// Answers a message box with the button `id` and waits until it has gone.
bool AnswerMessageBox(HWND box, int id = IDOK);
// Posts a key press (down and up) to a window.
void PressKey(HWND window, WPARAM virtualKey);

// Posts a click of the dialog's button `id` (no waiting for its effect).
void PressButton(HWND dialog, int id);

// Index of the sheet's selected tab.
int ActivePageIndex(HWND sheet);
// The sheet's current page; ShowPage selects page `index` first.
HWND CurrentPage(HWND sheet);
HWND ShowPage(HWND sheet, int index);

// Every descendant of `root`, parents before their children.
std::vector<HWND> DescendantsInPreOrder(HWND root);

}  // namespace testkit
