#include "TextFit.h"

#include "WindowDriver.h"

#include <commctrl.h>

#include <cstdlib>

namespace optionstest {

namespace {

struct Room {
    int width = 0;
    int height = 0;
};

// The text's extent in the control's font: wrapped into `wrapWidth`, or on
// one line when it is 0.
SIZE TextExtent(HWND control, const std::string& text, UINT flags, int wrapWidth)
{
    HDC dc = GetDC(control);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT box{0, 0, wrapWidth, 0};
    DrawTextA(dc, text.c_str(), -1, &box, flags | DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

std::string Describe(const std::string& windowName, HWND control, const std::string& text, SIZE needed, Room room)
{
    return windowName + ": control " + std::to_string(GetDlgCtrlID(control)) + " \"" + text + "\" needs " +
           std::to_string(needed.cx) + "x" + std::to_string(needed.cy) + ", has " + std::to_string(room.width) +
           "x" + std::to_string(room.height);
}

// What the control needs and what it has, or false when it shows no text
// of its own that can be measured.
bool Measure(HWND control, const std::string& text, SIZE& needed, Room& room)
{
    const std::string cls = testkit::ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    RECT client{};
    GetClientRect(control, &client);
    room = {client.right, client.bottom};
    if (lstrcmpiA(cls.c_str(), "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        UINT flags = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)
            needed = TextExtent(control, text, flags, room.width);
        else if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP)
            needed = TextExtent(control, text, flags, 0);
        else
            return false;
        return true;
    }
    if (lstrcmpiA(cls.c_str(), "Button") != 0)
        return false;
    const LONG type = style & BS_TYPEMASK;
    const int dpi = RunDpi();
    switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: {
        // The frame and the focus rectangle take about 3 pixels a side.
        const int margin = MulDiv(3, dpi, 96);
        SIZE text1 = TextExtent(control, text, 0, (style & BS_MULTILINE) ? room.width - 2 * margin : 0);
        needed = {text1.cx + 2 * margin, text1.cy + 2 * MulDiv(2, dpi, 96)};
        return true;
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        // The box (12 pixels and a line at 96 DPI), a gap, the text and
        // its focus rectangle.
        SIZE line = TextExtent(control, text, 0, 0);
        const int box = MulDiv(12, dpi, 96) + 1;
        needed = {box + MulDiv(4, dpi, 96) + line.cx + 1, line.cy > box ? line.cy : box};
        return true;
    }
    case BS_GROUPBOX: {
        // The caption sits inside the frame, about one character in.
        SIZE line = TextExtent(control, text, 0, 0);
        needed = {line.cx + MulDiv(18, dpi, 96), line.cy};
        return true;
    }
    default:
        return false;
    }
}

BOOL CALLBACK CollectDescendant(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

}  // namespace

std::vector<std::string> ControlsOutside(HWND window, const std::string& windowName)
{
    RECT client{};
    GetClientRect(window, &client);
    std::vector<std::string> outside;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        if (place.left < 0 || place.top < 0 || place.right > client.right || place.bottom > client.bottom)
            outside.push_back(windowName + ": control " + std::to_string(GetDlgCtrlID(child)) + " \"" +
                              testkit::TextOf(child) + "\" at " + std::to_string(place.left) + "," +
                              std::to_string(place.top) + "-" + std::to_string(place.right) + "," +
                              std::to_string(place.bottom) + " beyond " + std::to_string(client.right) + "x" +
                              std::to_string(client.bottom));
    }
    return outside;
}

int RunDpi()
{
    const char* dpi = std::getenv("KELD_WINE_DPI");
    return dpi && *dpi ? std::atoi(dpi) : 96;
}

std::vector<std::string> ClippedTexts(HWND window, const std::string& windowName)
{
    std::vector<HWND> controls;
    EnumChildWindows(window, CollectDescendant, reinterpret_cast<LPARAM>(&controls));
    std::vector<std::string> clipped;
    for (HWND control : controls) {
        if (!(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE))
            continue;
        const std::string text = testkit::TextOf(control);
        if (text.empty())
            continue;
        SIZE needed{};
        Room room;
        if (!Measure(control, text, needed, room))
            continue;
        if (needed.cx > room.width || needed.cy > room.height)
            clipped.push_back(Describe(windowName, control, text, needed, room));
    }
    return clipped;
}

}  // namespace optionstest
