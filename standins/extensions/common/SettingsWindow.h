// A settings window of plain controls, made without dialog resources: a
// container child of the Options page with controls placed in the page's
// dialog units and drawn in its font.
#pragma once
#include <windows.h>

namespace sample {

inline HWND MakeSettingsWindow(HWND page)
{
    return CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10, 10, page,
                           nullptr, nullptr, nullptr);
}

// A control at x, y, w, h dialog units of the page.
inline HWND AddControl(HWND window, const char* windowClass, const char* text, DWORD style, int x, int y, int w,
                       int h, int id)
{
    HWND page = GetParent(window);
    RECT place{x, y, x + w, y + h};
    MapDialogRect(page, &place);
    HWND control = CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(page, WM_GETFONT, 0, 0), FALSE);
    return control;
}

inline HWND Control(HWND window, int id)
{
    return GetDlgItem(window, id);
}

}  // namespace sample
