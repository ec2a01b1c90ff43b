// Runs code on the thread that owns the windows under test.
#pragma once
#include <windows.h>

#include <functional>

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
INT_PTR RunSheet(const std::function<INT_PTR()>& showSheet, const std::function<void(HWND sheet)>& drive);

}  // namespace testkit
