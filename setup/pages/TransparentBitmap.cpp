#include "setup/pages/TransparentBitmap.h"

namespace keld {

BOOL DrawTransparentBitmap(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY)
{
    COLORREF targetBackground = ::GetBkColor(target);
    COLORREF targetText = ::GetTextColor(target);
    COLORREF sourceBackground = ::GetBkColor(source);
    COLORREF key = targetBackground;
    ::SetTextColor(target, RGB(0, 0, 0));

    HDC maskDc = ::CreateCompatibleDC(source);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    if (!maskDc || !mask) {
        if (mask)
            ::DeleteObject(mask);
        if (maskDc)
            ::DeleteDC(maskDc);
        ::SetTextColor(target, targetText);
        return FALSE;
    }
    HGDIOBJ oldMask = ::SelectObject(maskDc, mask);

    // Key-coloured source pixels become white in the mask, all others black.
    ::SetBkColor(source, key);
    ::BitBlt(maskDc, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);

    ::SetBkColor(target, RGB(255, 255, 255));
    ::BitBlt(target, x, y, width, height, source, sourceX, sourceY, SRCINVERT);
    ::BitBlt(target, x, y, width, height, maskDc, 0, 0, SRCAND);
    ::BitBlt(target, x, y, width, height, source, sourceX, sourceY, SRCINVERT);

    ::SelectObject(maskDc, oldMask);
    ::DeleteObject(mask);
    ::DeleteDC(maskDc);
    ::SetBkColor(target, targetBackground);
    ::SetTextColor(target, targetText);
    ::SetBkColor(source, sourceBackground);
    return TRUE;
}

}  // namespace keld
