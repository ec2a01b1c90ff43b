#include "instaux/PleaseWaitDlg.h"

#include "resources/instaux_resource.h"

#include <commctrl.h>

namespace instaux {

namespace {

void CenterOnWorkArea(HWND window)
{
    RECT area{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        area = monitor.rcWork;
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    ::SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CPleaseWaitDlg::CPleaseWaitDlg() : fw::CDialog(IDD_PLEASE_WAIT)
{
    // The installer may not have registered the progress bar's class.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    Create(nullptr);
}

void CPleaseWaitDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Control(dx, IDC_PROGRESS, m_progress);
}

BOOL CPleaseWaitDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    CenterOnWorkArea(m_hWnd);
    return TRUE;
}

void CPleaseWaitDlg::ShowNow()
{
    if (!m_hWnd)
        return;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
}

void CPleaseWaitDlg::SetPos(int position)
{
    if (!m_progress.GetSafeHwnd())
        return;
    ::SendMessageA(m_progress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    ::UpdateWindow(m_progress);
}

}  // namespace instaux
