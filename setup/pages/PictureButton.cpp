#include "setup/pages/PictureButton.h"

#include "framework/Dpi.h"

namespace keld {

CPictureButton::~CPictureButton()
{
    dib.Release();
}

BOOL CPictureButton::SizeToBitmap()
{
    if (!dib.IsLoaded())
        return FALSE;
    return ::SetWindowPos(m_hWnd, nullptr, 0, 0, fw::ScaleForScreen(dib.Width()), fw::ScaleForScreen(dib.Height()),
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The whole bitmap over the whole control: stretched at more than 96 DPI.
void CPictureButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    RECT control{};
    ::GetClientRect(m_hWnd, &control);
    dib.Draw(item.hDC, control, RECT{0, 0, dib.Width(), dib.Height()});
}

LRESULT CPictureButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A double-click counts as one more single press.
    if (message == WM_LBUTTONDBLCLK)
        return DefaultWindowProc(WM_LBUTTONDOWN, wParam, lParam);
    return fw::CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace keld
