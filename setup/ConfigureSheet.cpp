#include "setup/ConfigureSheet.h"

#include "framework/App.h"
#include "resources/resource.h"

#include <vector>

namespace keld {

CConfigureSheet::CConfigureSheet(const std::string& caption, HWND parent, UINT startPage)
    : fw::CPropertySheet(caption, parent, startPage)
{
}

CConfigureSheet::~CConfigureSheet() = default;

void CConfigureSheet::OnInitDialog()
{
    icon = ::LoadIconA(fw::CWinApp::Current()->ResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    // The small one first: a big icon alone makes the system derive a small
    // copy of it, which the small one would then replace.
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::ShowWindow(GetDlgItem(ID_APPLY_NOW), SW_HIDE);
}

HPALETTE CConfigureSheet::SetPalette(HPALETTE newPalette)
{
    HPALETTE previous = palette;
    palette = newPalette;
    RealizeSheetPalette();
    return previous;
}

int CConfigureSheet::RealizeSheetPalette()
{
    if (!palette || !m_hWnd)
        return 0;
    bool background = CurrentMessage() == WM_PALETTECHANGED;
    HDC dc = ::GetDC(m_hWnd);
    HPALETTE old = ::SelectPalette(dc, palette, background ? TRUE : FALSE);
    UINT changed = ::RealizePalette(dc);
    ::SelectPalette(dc, old, TRUE);
    ::ReleaseDC(m_hWnd, dc);
    if (changed == 0 || changed == GDI_ERROR)
        return 0;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 1;
}

void CConfigureSheet::BroadcastSheetClosing()
{
    // Collect first, parents before their children, so that windows which
    // react by destroying others do not disturb the walk.
    std::vector<HWND> windows;
    auto collect = [&windows](auto&& self, HWND parent) -> void {
        for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            windows.push_back(child);
            self(self, child);
        }
    };
    collect(collect, m_hWnd);
    WPARAM okPressed = ModalResult() == IDOK ? 1 : 0;
    for (HWND window : windows) {
        if (::IsWindow(window))
            ::SendMessageA(window, WM_SHEETCLOSING, okPressed, 0);
    }
}

bool CConfigureSheet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CREATE:
        result = Default(message, wParam, lParam);
        if (result == -1)
            return true;
        palette = nullptr;
        result = 0;
        return true;
    case WM_QUERYNEWPALETTE:
        result = RealizeSheetPalette();
        return true;
    case WM_PALETTECHANGED: {
        HWND changer = reinterpret_cast<HWND>(wParam);
        if (changer != m_hWnd && !::IsChild(m_hWnd, changer))
            RealizeSheetPalette();
        result = 0;
        return true;
    }
    case WM_DESTROY:
        BroadcastSheetClosing();
        result = Default(message, wParam, lParam);
        return true;
    default:
        return false;
    }
}

}  // namespace keld
