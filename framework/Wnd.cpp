#include "framework/Wnd.h"

namespace fw {

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
