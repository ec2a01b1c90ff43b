#include "UiThread.h"

#include "WindowDriver.h"

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

void UiInvoker::WaitForPostedMessages() const
{
    HANDLE reached = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (PostMessageA(m_window, kPostedMark, 0, reinterpret_cast<LPARAM>(reached)))
        EXPECT_EQ(WaitForSingleObject(reached, 15000), WAIT_OBJECT_0) << "the UI thread is stuck";
    CloseHandle(reached);
}

void UiInvoker::WaitUntilPainted(HWND window) const
{
    WaitForPostedMessages();
    Invoke([window] { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); });
}

INT_PTR RunSheet(const std::function<INT_PTR()>& showSheet, const std::function<void(HWND sheet)>& drive)
{
    DWORD uiThread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND sheet = WaitForSheetOfThread(uiThread);
        if (sheet)
            drive(sheet);
        else
            ADD_FAILURE() << "sheet not shown";
    });
    INT_PTR result = showSheet();
    driver.join();
    return result;
}

}  // namespace testkit
