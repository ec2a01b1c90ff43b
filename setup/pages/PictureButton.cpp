#include "setup/pages/PictureButton.h"

namespace keld {

CPictureButton::~CPictureButton()
{
    dib.Release();
}

BOOL CPictureButton::SizeToBitmap()
{
    if (!dib.IsLoaded())
        return FALSE;
    return ::SetWindowPos(m_hWnd, nullptr, 0, 0, dib.Width(), dib.Height(),
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPictureButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    dib.Draw(item.hDC, item.rcItem, item.rcItem);
}

LRESULT CPictureButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A double-click counts as one more single press.
    if (message == WM_LBUTTONDBLCLK)
        return DefaultWindowProc(WM_LBUTTONDOWN, wParam, lParam);
    return fw::CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace keld
