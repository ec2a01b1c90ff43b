// Runs code on the thread that owns the windows under test.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testkit {

// Create on the UI thread; Invoke() may then be called from any thread and
// returns once the function has run on the UI thread.
class UiInvoker {
public:
    UiInvoker();
    ~UiInvoker();
    UiInvoker(const UiInvoker&) = delete;
    UiInvoker& operator=(const UiInvoker&) = delete;

    void Invoke(const std::function<void()>& function) const;
    // Returns once the UI thread has handled every message posted to its
    // windows before this call (posted messages are handled in order).
    void WaitForPostedMessages() const;
    // Sets `reached` once the UI thread has handled what was posted before.
    void PostMark(HANDLE reached) const;
    // The same, then paints whatever `window` and its children still owe
    // the screen, so that their pixels can be read.
    void WaitUntilPainted(HWND window) const;
    DWORD ThreadId() const { return m_threadId; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_window = nullptr;
    DWORD m_threadId = 0;
};

// Runs `showSheet` (a modal property sheet) on this thread while `drive`
// works the sheet from a second thread; returns what `showSheet` returns.
// With `messagesBeforeSheet`, message boxes shown before the sheet are
// answered with OK and their texts collected there; without it they fail
// the test. When the sheet does not show, or is still open once `drive`
// has returned and the UI thread has handled what it posted, the test fails
// with what was on the screen, and the sheet and its boxes are cancelled.
INT_PTR RunSheet(const std::function<INT_PTR()>& showSheet, const std::function<void(HWND sheet)>& drive,
                 std::vector<std::string>* messagesBeforeSheet = nullptr);

}  // namespace testkit
