#include "framework/Dpi.h"

#include <windows.h>

namespace fw {

int ScreenDpi()
{
    // A program aware of the system's DPI sees one DPI for its whole run:
    // read once.
    static const int dpi = [] {
        HDC screen = ::GetDC(nullptr);
        int read = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ::ReleaseDC(nullptr, screen);
        return read > 0 ? read : 96;
    }();
    return dpi;
}

int ScaleForScreen(int pixels)
{
    return ::MulDiv(pixels, ScreenDpi(), 96);
}

}  // namespace fw
