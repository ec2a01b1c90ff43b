#include "InstallScript.h"

#include "../WindowDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace instauxtest {

namespace {

constexpr const char* kAppCaption = "KELDORAN Setup";
// The product's uninstaller shows its messages under its own caption.
constexpr const char* kUninstallerCaption = "KELDORAN Uninstall";
constexpr const char* kUpdateReplaceCaption = "Update or Replace Existing Version";
constexpr const char* kPleaseWaitCaption = "Please Wait...";

HWND FirstVisible(const std::vector<HWND>& windows, const std::function<bool(HWND)>& wanted)
{
    for (HWND window : windows)
        if (IsWindowVisible(window) && wanted(window))
            return window;
    return nullptr;
}

bool IsAppMessageBox(HWND window)
{
    if (!testkit::IsMessageBox(window))
        return false;
    std::string caption = CaptionOf(window);
    return caption == kAppCaption || caption == kUninstallerCaption;
}

// Every message of the library carries the exclamation icon. The icon's
// handle can be compared only in the process that shows the box.
bool ShowsExclamationIcon(HWND box)
{
    HWND icon = GetDlgItem(box, 0x0440);
    if (!icon || !IsWindowVisible(icon))
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process != GetCurrentProcessId())
        return true;
    return reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)) == LoadIconA(nullptr, IDI_EXCLAMATION);
}

std::string ButtonsOf(HWND box)
{
    std::string buttons;
    const std::pair<int, const char*> known[] = {{IDOK, "OK"}, {IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    for (auto [id, name] : known) {
        HWND button = GetDlgItem(box, id);
        if (!button || !IsWindowVisible(button))
            continue;
        if (!buttons.empty())
            buttons += ' ';
        buttons += name;
    }
    return buttons;
}

// The position of the progress bar among `windows`, or -1 without a
// progress window.
int ProgressOf(const std::vector<HWND>& windows)
{
    HWND window = FirstVisible(windows, [](HWND w) { return CaptionOf(w) == kPleaseWaitCaption; });
    if (!window)
        return -1;
    DWORD_PTR position = 0;
    if (!SendMessageTimeoutA(GetDlgItem(window, 1000), PBM_GETPOS, 0, 0, SMTO_NORMAL, 5000, &position))
        return -2;
    return static_cast<int>(position);
}

}  // namespace

std::string CaptionOf(HWND window)
{
    wchar_t text[512] = {};
    int n = InternalGetWindowText(window, text, 512);
    std::string caption;
    for (int i = 0; i < n; ++i)
        caption += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return caption;
}

void PrintTo(const Seen& seen, std::ostream* out)
{
    *out << "{" << seen.kind << " \"" << testing::PrintToString(seen.text) << "\" [" << seen.buttons
         << "] progress " << seen.progress << "}";
}

Seen Message(const std::string& text, const std::string& buttons, int progress)
{
    return {"message", text, buttons, progress};
}

Seen UpdateReplace(const std::string& firstLine, int progress)
{
    return {"update-replace", firstLine, "", progress};
}

Seen SetupSheet(int page)
{
    return {"sheet", "page " + std::to_string(page), "", -1};
}

WindowScript::WindowScript(std::vector<instauxtest::Answer> answers, DWORD processId)
    : m_thread(GetCurrentThreadId()), m_process(processId), m_answers(std::move(answers))
{
    m_worker = std::thread([this] { Run(); });
}

WindowScript::~WindowScript()
{
    m_done = true;
    if (m_worker.joinable())
        m_worker.join();
}

std::vector<Seen> WindowScript::Finish()
{
    m_done = true;
    if (m_worker.joinable())
        m_worker.join();
    if (m_next < m_answers.size())
        ADD_FAILURE() << (m_answers.size() - m_next) << " answer(s) left unused";
    return m_seen;
}

std::vector<HWND> WindowScript::OwnWindows() const
{
    return m_process ? testkit::TopLevelWindowsOfProcess(m_process) : testkit::TopLevelWindowsOfThread(m_thread);
}

HWND WindowScript::NextWindow(Seen& seen) const
{
    // The library's own windows first.
    std::vector<HWND> own = OwnWindows();
    if (HWND box = FirstVisible(own, IsAppMessageBox)) {
        seen = Message(testkit::MessageBoxText(box), ButtonsOf(box), ProgressOf(own));
        if (!ShowsExclamationIcon(box))
            ADD_FAILURE() << "no exclamation icon: " << testing::PrintToString(seen);
        return box;
    }
    if (HWND dialog = FirstVisible(own, [](HWND w) { return CaptionOf(w) == kUpdateReplaceCaption; })) {
        seen = UpdateReplace(testkit::TextOf(GetDlgItem(dialog, 1002)), ProgressOf(own));
        return dialog;
    }
    // Then the windows of started programs, KELDSetup above all.
    const DWORD self = m_process ? m_process : GetCurrentProcessId();
    std::vector<HWND> all = testkit::TopLevelWindowsOfProcess(0);
    auto foreign = [self](HWND w) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        return process != self;
    };
    if (HWND box = FirstVisible(all, [&](HWND w) { return foreign(w) && IsAppMessageBox(w); })) {
        seen = Message(testkit::MessageBoxText(box), ButtonsOf(box));
        return box;
    }
    if (HWND sheet = FirstVisible(all, [&](HWND w) {
            return foreign(w) && testkit::IsPropertySheet(w) && CaptionOf(w) == kAppCaption;
        })) {
        seen = SetupSheet(testkit::ActivePageIndex(sheet));
        return sheet;
    }
    return nullptr;
}

void WindowScript::Answer(HWND window, const Seen& seen)
{
    if (m_next >= m_answers.size()) {
        ADD_FAILURE() << "no answer left for " << testing::PrintToString(seen);
        testkit::PressButton(window, seen.kind == "message" && seen.buttons == "OK" ? IDOK
                            : seen.buttons == "Yes No"                     ? IDNO
                                                                           : IDCANCEL);
        return;
    }
    const instauxtest::Answer& answer = m_answers[m_next++];
    switch (answer.how) {
    case Answer::How::Press:
        testkit::PressButton(window, answer.id);
        break;
    case Answer::How::Escape:
    case Answer::How::Enter: {
        WPARAM key = answer.how == Answer::How::Escape ? VK_ESCAPE : VK_RETURN;
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        HWND focus = info.hwndFocus ? info.hwndFocus : window;
        testkit::PressKey(focus, key);
        break;
    }
    case Answer::How::CloseBox:
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

void WindowScript::Run()
{
    while (!m_done) {
        Seen seen;
        HWND window = NextWindow(seen);
        if (!window) {
            Sleep(10);
            continue;
        }
        m_seen.push_back(seen);
        if (m_observer)
            m_observer(seen);
        Answer(window, seen);
        if (!testkit::WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, 15000)) {
            ADD_FAILURE() << "window stayed after its answer: " << testing::PrintToString(seen);
            return;
        }
    }
}

namespace {
ThreadRecorder* g_recorder = nullptr;
}

ThreadRecorder::ThreadRecorder()
{
    g_recorder = this;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
}

ThreadRecorder::~ThreadRecorder()
{
    UnhookWindowsHookEx(m_hook);
    g_recorder = nullptr;
}

LRESULT CALLBACK ThreadRecorder::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_recorder) {
        if (message->message == PBM_SETPOS)
            g_recorder->m_positions.push_back(static_cast<int>(message->wParam));
        else if (message->message == WM_INITDIALOG)
            g_recorder->m_dialogs.push_back(CaptionOf(message->hwnd));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace instauxtest
