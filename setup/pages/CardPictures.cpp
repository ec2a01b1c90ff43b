#include "setup/pages/CardPictures.h"

#include "framework/App.h"
#include "framework/Dpi.h"
#include "setup/pages/CardAddress.h"
#include "setup/pages/TransparentBitmap.h"

namespace keld {

namespace {

// Loads the program's bitmap `id` into `held`, freeing what it held, and
// gives its size; `held` is left as it was when the bitmap cannot be loaded.
bool ReplaceWithProgramBitmap(HBITMAP& held, UINT id, BITMAP& info)
{
    HBITMAP loaded = ::LoadBitmapA(fw::CWinApp::Current()->ResourceHandle(), MAKEINTRESOURCEA(id));
    if (!loaded)
        return false;
    if (held)
        ::DeleteObject(held);
    held = loaded;
    info = BITMAP{};
    ::GetObjectA(held, sizeof info, &info);
    return true;
}

void ResizeKeepingPlace(HWND window, int width, int height)
{
    ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Copies `width` x `height` of `source` over `target`, stretched pixel by
// pixel (no blending: the pictures are pixel art and keep their colours).
void StretchPixels(HDC target, const RECT& area, HDC source, int width, int height)
{
    int previous = ::SetStretchBltMode(target, COLORONCOLOR);
    ::StretchBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, source, 0, 0, width,
                 height, SRCCOPY);
    ::SetStretchBltMode(target, previous);
}

// `held` stretched to the screen's DPI; `held` stays when it need not grow
// or the copy cannot be made.
void StretchToScreenDpi(HBITMAP& held, BITMAP& info)
{
    const int width = fw::ScaleForScreen(info.bmWidth), height = fw::ScaleForScreen(info.bmHeight);
    if (width == info.bmWidth && height == info.bmHeight)
        return;
    HDC screen = ::GetDC(nullptr);
    HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
    HBITMAP scaled = ::CreateCompatibleBitmap(screen, width, height);
    if (from && to && scaled) {
        HGDIOBJ oldFrom = ::SelectObject(from, held), oldTo = ::SelectObject(to, scaled);
        StretchPixels(to, RECT{0, 0, width, height}, from, info.bmWidth, info.bmHeight);
        ::SelectObject(from, oldFrom);
        ::SelectObject(to, oldTo);
        ::DeleteObject(held);
        held = scaled;
        scaled = nullptr;
        info.bmWidth = width;
        info.bmHeight = height;
    }
    if (scaled)
        ::DeleteObject(scaled);
    if (from)
        ::DeleteDC(from);
    if (to)
        ::DeleteDC(to);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace

CDipSwitchButton::~CDipSwitchButton()
{
    if (cellBitmap)
        ::DeleteObject(cellBitmap);
}

BOOL CDipSwitchButton::Setup(UINT bitmapId, int count, uint16_t base, uint16_t address)
{
    BITMAP info;
    if (!ReplaceWithProgramBitmap(cellBitmap, bitmapId, info))
        return FALSE;
    cellWidth = info.bmWidth / 2;
    cellHeight = info.bmHeight;
    switchCount = count;
    baseAddress = base;
    positionIndex = SwitchPositionIndex(address, base);
    ResizeKeepingPlace(m_hWnd, fw::ScaleForScreen(PictureWidth()), fw::ScaleForScreen(PictureHeight()));
    return TRUE;
}

void CDipSwitchButton::SetPosition(uint16_t index)
{
    if (index == positionIndex)
        return;
    positionIndex = index;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

// The row is put together in picture pixels, a frame and one cell per
// switch, then stretched as a whole over the control.
void CDipSwitchButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (!(item.itemAction & ODA_DRAWENTIRE))
        return;
    const int width = PictureWidth(), height = PictureHeight();
    HDC row = ::CreateCompatibleDC(item.hDC);
    HDC cells = ::CreateCompatibleDC(item.hDC);
    HBITMAP rowBitmap = ::CreateCompatibleBitmap(item.hDC, width, height);
    if (row && cells && rowBitmap && cellBitmap) {
        HGDIOBJ oldRow = ::SelectObject(row, rowBitmap);
        RECT frame{0, 0, width, height};
        ::FrameRect(row, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        HGDIOBJ oldCells = ::SelectObject(cells, cellBitmap);
        for (int i = 0; i < switchCount; ++i) {
            int column = DipSwitchCellColumn(positionIndex, i, cellWidth);
            int x = 1 + (switchCount - 1 - i) * cellWidth;
            ::BitBlt(row, x, 1, cellWidth, cellHeight, cells, column, 0, SRCCOPY);
        }
        ::SelectObject(cells, oldCells);
        StretchPixels(item.hDC, item.rcItem, row, width, height);
        ::SelectObject(row, oldRow);
    }
    if (rowBitmap)
        ::DeleteObject(rowBitmap);
    if (cells)
        ::DeleteDC(cells);
    if (row)
        ::DeleteDC(row);
}

CTransparentBitmapButton::~CTransparentBitmapButton()
{
    if (bitmap)
        ::DeleteObject(bitmap);
}

BOOL CTransparentBitmapButton::Setup(UINT bitmapId)
{
    BITMAP info;
    if (!ReplaceWithProgramBitmap(bitmap, bitmapId, info))
        return FALSE;
    StretchToScreenDpi(bitmap, info);
    ResizeKeepingPlace(m_hWnd, info.bmWidth, info.bmHeight);
    return TRUE;
}

void CTransparentBitmapButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    HDC memory = ::CreateCompatibleDC(item.hDC);
    HGDIOBJ old = memory && bitmap ? ::SelectObject(memory, bitmap) : nullptr;
    if (old) {
        ::SetBkColor(item.hDC, RGB(0, 0, 128));
        DrawTransparentBitmap(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
                              item.rcItem.bottom - item.rcItem.top, memory, 0, 0);
        ::SelectObject(memory, old);
    }
    if (memory)
        ::DeleteDC(memory);
}

}  // namespace keld
