// Answers the windows that the installation library shows on the test's
// thread, and the KELDSetup sheet and message boxes of started programs
// (the uninstaller's among them), from a thread of its own, and records
// what each window showed.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace instauxtest {

// One window as the script saw it.
struct Seen {
    std::string kind;     // "message", "update-replace" or "sheet"
    std::string text;     // message text; the dialog's first line; "page N"
    std::string buttons;  // message buttons, "OK", "Yes No" or "Yes No Cancel"
    int progress = -1;    // the progress bar's position meanwhile; -1: none shown

    bool operator==(const Seen&) const = default;
};
void PrintTo(const Seen& seen, std::ostream* out);

Seen Message(const std::string& text, const std::string& buttons, int progress = -1);
Seen UpdateReplace(const std::string& firstLine, int progress);
Seen SetupSheet(int page);

// How one window is answered.
struct Answer {
    enum class How { Press, Escape, CloseBox, Enter } how;
    int id = 0;
};
inline Answer Press(int id) { return {Answer::How::Press, id}; }
inline Answer Escape() { return {Answer::How::Escape}; }
inline Answer CloseBox() { return {Answer::How::CloseBox}; }
inline Answer Enter() { return {Answer::How::Enter}; }

class WindowScript {
public:
    // Watches the windows of the calling thread (or, with a process id, of
    // that process) and of the programs started from there; answers them in
    // turn with `answers`.
    explicit WindowScript(std::vector<Answer> answers, DWORD processId = 0);
    ~WindowScript();
    WindowScript(const WindowScript&) = delete;
    WindowScript& operator=(const WindowScript&) = delete;

    // Called on the script's thread for each window before it is answered.
    void OnSeen(std::function<void(const Seen&)> observer) { m_observer = std::move(observer); }

    // Ends the watching; what was seen, in order.
    std::vector<Seen> Finish();

private:
    void Run();
    HWND NextWindow(Seen& seen) const;
    void Answer(HWND window, const Seen& seen);

    std::vector<HWND> OwnWindows() const;

    DWORD m_thread;
    DWORD m_process;
    std::vector<instauxtest::Answer> m_answers;
    size_t m_next = 0;
    std::vector<Seen> m_seen;
    std::function<void(const Seen&)> m_observer;
    std::atomic<bool> m_done{false};
    std::thread m_worker;
};

// Hooks on the calling thread: every progress bar position set and the
// caption of every dialog initialised, in order.
class ThreadRecorder {
public:
    ThreadRecorder();
    ~ThreadRecorder();
    ThreadRecorder(const ThreadRecorder&) = delete;
    ThreadRecorder& operator=(const ThreadRecorder&) = delete;

    const std::vector<int>& Positions() const { return m_positions; }
    const std::vector<std::string>& Dialogs() const { return m_dialogs; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook = nullptr;
    std::vector<int> m_positions;
    std::vector<std::string> m_dialogs;
};

// The caption of a window, read without sending it a message.
std::string CaptionOf(HWND window);

}  // namespace instauxtest
