#include "framework/Dpi.h"

#include <windows.h>

namespace fw {

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int ScaleForScreen(int pixels)
{
    return ::MulDiv(pixels, ScreenDpi(), 96);
}

}  // namespace fw
