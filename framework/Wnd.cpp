#include "framework/Wnd.h"

namespace fw {

namespace {
constexpr const char* kWndProperty = "fw.CWnd";
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (hwnd && m_previousProc) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        ::RemovePropA(hwnd, kWndProperty);
        m_previousProc = nullptr;
    }
    m_hWnd = nullptr;
    return hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd)
        return false;
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kWndProperty, this);
    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    return true;
}

LRESULT CWnd::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(m_previousProc, m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultWindowProc(message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* wnd = static_cast<CWnd*>(::GetPropA(hwnd, kWndProperty));
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC previous = wnd->m_previousProc;
        wnd->Detach();
        return ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }
    return wnd->WindowProc(message, wParam, lParam);
}

std::string CWnd::WindowText(HWND hwnd)
{
    int length = ::GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string CWnd::GetDlgItemText(int id) const
{
    return WindowText(GetDlgItem(id));
}

void CWnd::SetDlgItemText(int id, const std::string& text) const
{
    ::SetDlgItemTextA(m_hWnd, id, text.c_str());
}

}  // namespace fw
