#include "UiThread.h"

#include "WindowDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

namespace testkit {

namespace {
constexpr UINT kInvoke = WM_APP + 0x1EE;
constexpr UINT kPostedMark = WM_APP + 0x1EF;
constexpr const char* kClassName = "KeldTestUiInvoker";
}  // namespace

LRESULT CALLBACK UiInvoker::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kInvoke) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    if (message == kPostedMark) {
        SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

UiInvoker::UiInvoker() : m_threadId(GetCurrentThreadId())
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    m_window = CreateWindowA(kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
}

UiInvoker::~UiInvoker()
{
    DestroyWindow(m_window);
}

void UiInvoker::Invoke(const std::function<void()>& function) const
{
    SendMessageA(m_window, kInvoke, 0, reinterpret_cast<LPARAM>(&function));
}

void UiInvoker::PostMark(HANDLE reached) const
{
    PostMessageA(m_window, kPostedMark, 0, reinterpret_cast<LPARAM>(reached));
}

void UiInvoker::WaitForPostedMessages() const
{
    HANDLE reached = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    PostMark(reached);
    EXPECT_EQ(WaitForSingleObject(reached, 15000), WAIT_OBJECT_0)
        << "timed out waiting for the UI thread to handle its posted messages";
    CloseHandle(reached);
}

void UiInvoker::WaitUntilPainted(HWND window) const
{
    WaitForPostedMessages();
    Invoke([window] { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); });
}

namespace {

// Whether the sheet still runs: its window exists and has a current page.
bool SheetStillOpen(HWND sheet)
{
    DWORD_PTR page = 0;
    return IsWindow(sheet) &&
           SendMessageTimeoutA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, 5000, &page) && page != 0;
}

// Cancels whatever the UI thread shows until its run has ended.
void CloseWhatIsOpen(DWORD uiThread, HANDLE runEnded)
{
    for (int round = 0; round < 100; ++round) {
        for (HWND window : TopLevelWindowsOfThread(uiThread)) {
            if (!IsWindowVisible(window) || ClassOf(window) != "#32770")
                continue;
            int answer = IDCANCEL;
            if (IsMessageBox(window) && !GetDlgItem(window, IDCANCEL))
                answer = GetDlgItem(window, IDNO) ? IDNO : IDOK;
            PressButton(window, answer);
        }
        if (WaitForSingleObject(runEnded, 200) == WAIT_OBJECT_0)
            return;
    }
    ADD_FAILURE() << "the sheet's run did not end after Cancel; shown:"
                  << DescribeWindows(TopLevelWindowsOfThread(uiThread));
}

}  // namespace

INT_PTR RunSheet(const std::function<INT_PTR()>& showSheet, const std::function<void(HWND sheet)>& drive,
                 std::vector<std::string>* messagesBeforeSheet)
{
    const UiInvoker ui;
    const DWORD uiThread = GetCurrentThreadId();
    HANDLE runEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread driver([&] {
        auto runHasEnded = [&] { return WaitForSingleObject(runEnded, 0) == WAIT_OBJECT_0; };
        // Fails the test with what is on the screen and closes it.
        auto giveUp = [&](const char* why) {
            ADD_FAILURE() << why << "; shown:" << DescribeWindows(TopLevelWindowsOfThread(uiThread));
            CloseWhatIsOpen(uiThread, runEnded);
        };
        HWND sheet = nullptr;
        bool unexpectedBox = false;
        // A timeout is reported below, with what was shown instead.
        (void)WaitUntil([&] {
            std::vector<HWND> windows = TopLevelWindowsOfThread(uiThread);
            if (HWND box = FindMessageBox(windows)) {
                if (!messagesBeforeSheet) {
                    unexpectedBox = true;
                    return true;
                }
                messagesBeforeSheet->push_back(MessageBoxText(box));
                AnswerMessageBox(box);
            }
            sheet = FindPropertySheet(windows);
            return sheet != nullptr || runHasEnded();
        });
        if (!sheet) {
            giveUp(unexpectedBox ? "a message box came before the sheet"
                   : runHasEnded() ? "the run ended without a sheet"
                                   : "timed out waiting for the sheet");
            return;
        }
        drive(sheet);
        // What the steps posted has been handled once the UI thread reaches
        // a mark posted after them, or the run has ended on the way.
        HANDLE reached = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ui.PostMark(reached);
        HANDLE either[] = {reached, runEnded};
        DWORD which = WaitForMultipleObjects(2, either, FALSE, 15000);
        CloseHandle(reached);
        if (which == WAIT_OBJECT_0 + 1)
            return;
        if (which == WAIT_TIMEOUT || SheetStillOpen(sheet)) {
            giveUp(which == WAIT_TIMEOUT ? "the UI thread did not come back to its messages"
                                         : "the sheet is still open after the test's steps");
            return;
        }
        // The sheet is closing: its run ends unless a message box holds it up.
        HWND box = nullptr;
        bool ended = WaitUntil([&] {
            box = FindMessageBox(TopLevelWindowsOfThread(uiThread));
            return box != nullptr || runHasEnded();
        });
        if (!ended || box)
            giveUp(box ? "a message box held up the closing sheet" : "the closing sheet's run did not end");
    });
    INT_PTR result = showSheet();
    SetEvent(runEnded);
    driver.join();
    CloseHandle(runEnded);
    return result;
}

}  // namespace testkit
